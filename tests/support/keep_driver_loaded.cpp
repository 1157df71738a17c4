// Mesa's driver stays mapped until exit, so that LeakSanitizer, which looks after libGLX has
// closed it, still sees the driver's globals (and what they hold) and can name the driver in
// the stacks of what it keeps until exit. Linked into the tests' own GL programs, preloaded
// into the programs under test.
#include <dlfcn.h>
#include <link.h>

#include <cstring>

extern "C" int dlclose(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && std::strstr(map->l_name, "/dri/") != nullptr) {
        return 0;
    }
    static const auto next = reinterpret_cast<int (*)(void*)>(dlsym(RTLD_NEXT, "dlclose"));
    return next(handle);
}
