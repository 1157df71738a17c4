// Scenes for the exactness test of the web build's GL unit (gl_test.mjs): each is drawn by the real
// code, once with the unit's culling on and once with it off, and the page compares the pixels.
// The demonstration's own display pass in each mode at radii 5 and 20, face-on and turned; then
// two scenes made to catch a line left out that would have changed a pixel:
// - red, then blue with one end beyond the depth range (clipped, so its ends never pass as the
//   same window points), then the red line again, which must paint over the blue;
// - a line shaded from red to blue, then a plain red line with the same ends.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "app/circles.h"
#include "app/circles_testing.h"
#include "app/modes.h"
#include "color/color.h"
#include "projection/projection.h"
#include "view/view.h"
#include "view/view_testing.h"
#include "web/gl_testing.h"

namespace {

constexpr int radii[] = {5, 20};
constexpr int demonstrationScenes = circleModeCount * 2 * 2;

void line(const Color* from, float x0, float y0, float z0, const Color* to, float x1, float y1, float z1) {
    glBegin(GL_LINES);
    glColor4fv(&from->r);
    glVertex3d(x0, y0, z0);
    glColor4fv(&to->r);
    glVertex3d(x1, y1, z1);
    glEnd();
}

void demonstration(int scene) {
    const int mode = scene % circleModeCount, radius = radii[scene / circleModeCount % 2];
    const bool turned = scene / (circleModeCount * 2) == 1;
    resetCirclesForTesting();
    resetViewForTesting();
    overrideModifiersForTesting(0);
    for (int i = 0; i < mode; ++i) keyboardCircles(13, 0, 0);
    for (int r = 1; r < radius; ++r) keyboardCircles('+', 0, 0);
    if (turned) setKeyRotation(30, 40, 10);
    displayCircles();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int glSceneCount() { return demonstrationScenes + 2; }

EMSCRIPTEN_KEEPALIVE const char* glSceneName(int scene) {
    static std::string name;
    if (scene == demonstrationScenes) return "red, blue beyond the depth range, red";
    if (scene == demonstrationScenes + 1) return "red to blue, then red with the same ends";
    name = std::string(circleModeNames[scene % circleModeCount]) + ", radius " +
           std::to_string(radii[scene / circleModeCount % 2]) + (scene / (circleModeCount * 2) ? ", turned" : ", face-on");
    return name.c_str();
}

// Draws the scene; the page reads the pixels before it returns to the browser.
EMSCRIPTEN_KEEPALIVE void glDrawScene(int scene, int culling) {
    glWebCullingForTesting(culling != 0);
    if (scene < demonstrationScenes) {
        demonstration(scene);
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (scene == demonstrationScenes) {
            // The blue line's far end, z 400, lies past the near plane (z 300 in eye space, from
            // glOrtho's near value -300): clipped, it still covers most of the red one.
            line(colorRed(), -10, -10, 0, colorRed(), 10, 10, 0);
            line(colorBlue(), -10, -10, 0, colorBlue(), 10, 10, 400);
            line(colorRed(), -10, -10, 0, colorRed(), 10, 10, 0);
        } else {
            line(colorRed(), -15, 5, 0, colorBlue(), 15, 8, 0);
            line(colorRed(), -15, 5, 0, colorRed(), 15, 8, 0);
        }
        glutSwapBuffers();
    }
    glWebCullingForTesting(true);
}

}  // extern "C"

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(350, 350);
    glutCreateWindow("scenes");
    initRendering();
    setOrthoVolume(-20, 20, -20, 20, -300, 300);
    reshapeOrtho(350, 350);
    std::puts("ready");
    return 0;  // the runtime stays, for the page's calls
}
