// What the browser's GLUT lacks, for the web build only: pop-up menus shown as an overlay on the
// canvas (glut_web.js) and glutPostWindowRedisplay for its one window. GL itself, with freeglut's
// wire cube, is the web GL unit (gl_web.cpp).
#include <GL/freeglut.h>
#include <emscripten.h>
#include <malloc.h>

#include <cstddef>
#include <vector>

namespace {

std::vector<void (*)(int)> menuCallbacks;  // menu identifier - 1 -> its callback
int currentMenu = 0;

}  // namespace

EM_JS(void, webAddMenu, (int menu), { Module.glutWeb.addMenu(menu); });
EM_JS(void, webAddMenuEntry, (int menu, const char* label, int value),
      { Module.glutWeb.addEntry(menu, UTF8ToString(label), value); });
EM_JS(void, webAttachMenu, (int menu, int button), { Module.glutWeb.attach(menu, button); });

extern "C" {

int glutCreateMenu(void (*callback)(int)) {
    menuCallbacks.push_back(callback);
    currentMenu = static_cast<int>(menuCallbacks.size());
    webAddMenu(currentMenu);
    return currentMenu;
}

void glutAddMenuEntry(const char* label, int value) { webAddMenuEntry(currentMenu, label, value); }

void glutAttachMenu(int button) { webAttachMenu(currentMenu, button); }

void glutPostWindowRedisplay(int) { glutPostRedisplay(); }

// The bytes the program holds on its heap: the web storm checks that input never makes it grow.
EMSCRIPTEN_KEEPALIVE std::size_t webHeapInUse() { return static_cast<std::size_t>(mallinfo().uordblks); }

// Called by the overlay when an entry is chosen.
EMSCRIPTEN_KEEPALIVE void webMenuChosen(int menu, int value) {
    if (menu < 1 || menu > static_cast<int>(menuCallbacks.size())) return;
    currentMenu = menu;
    menuCallbacks[static_cast<std::size_t>(menu - 1)](value);
}

}  // extern "C"
