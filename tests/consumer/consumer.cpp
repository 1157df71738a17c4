#include "color/color.h"
#include "projection/projection.h"
#include "view/quit_menu.h"
#include "view/view.h"

#include <cstdio>

int main() {
    Color* copy = colorCopy(colorRed());
    const bool ok = copy != nullptr && copy->r == 1.0f;
    colorFree(copy);
    setOrthoVolume(-1, 1, -1, 1, -1, 1);
    setTranslationFactor(1.0f);
    // Only linked: these need a window.
    void (*handlers[])(int, int) = {reshapeOrtho, reshapeFrustum, reshapePerspective, motionCallback};
    void (*menu)() = createQuitMenu;
    std::printf("%s\n", ok && handlers[0] != nullptr && menu != nullptr ? "linked" : "broken");
    return ok ? 0 : 1;
}
