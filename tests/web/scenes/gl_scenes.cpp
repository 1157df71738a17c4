// Scenes for the exactness test of the web build's GL unit (gl_test.mjs): each is drawn by the real
// code, once with the unit's savings on and once plainly (every line the program gives, freeglut's
// cube as its six line loops, each matrix multiplied as given), and the page compares the pixels.
// The demonstration's own display pass in each mode at radii 5 and 20, face-on and turned; then
// scenes made to catch a line left out that would have changed a pixel, under each state the
// culling must step aside for:
// - red, then blue with one end beyond the depth range (clipped, so its ends never pass as the
//   same window points), then the red line again, which must paint over the blue;
// - a red line wholly beyond the far plane, then the same line within it, which must be drawn;
// - with the depth test, a red line far, the same line near, then blue between: red;
// - a line shaded from red to blue, then a plain red line with the same ends;
// - the demonstration turned at a radius past the volume's edges, where lines wholly beyond one
//   side are left out and those that cross in must stay;
// - the demonstration turned, with the depth test on;
// - a dim red line drawn twice, blended by adding: red only if both are drawn;
// - the demonstration face-on in a perspective projection, where the back faces' edges, which
//   lie under the front's in an orthographic view, fall elsewhere in the window;
// - the same with the orthographic volume turned on the projection's stack: depth moves points
//   in the window there too, though w stays 1;
// - a flat-shaded quad, blue but for its fourth vertex, red: GL fills it red, all of it.
#include <GL/freeglut.h>
#include <GL/glu.h>
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
constexpr int turnedSpansAt5 = circleModeCount * 2 + circleSpansMode, spansAt5 = circleSpansMode;

void line(const Color* from, float x0, float y0, float z0, const Color* to, float x1, float y1, float z1) {
    glBegin(GL_LINES);
    glColor4fv(&from->r);
    glVertex3d(x0, y0, z0);
    glColor4fv(&to->r);
    glVertex3d(x1, y1, z1);
    glEnd();
}

void demonstration(int mode, int radius, bool turned) {
    resetCirclesForTesting();
    resetViewForTesting();
    overrideModifiersForTesting(0);
    for (int i = 0; i < mode; ++i) keyboardCircles(keyEnter, 0, 0);
    for (int r = 1; r < radius; ++r) keyboardCircles('+', 0, 0);
    if (turned) setKeyRotation(30, 40, 10);
    displayCircles();
}

void demonstration(int scene) {
    demonstration(scene % circleModeCount, radii[scene / circleModeCount % 2], scene / (circleModeCount * 2) == 1);
}

struct Scene {
    const char* name;
    void (*draw)();
};

const Scene scenes[] = {
    {"red, blue beyond the depth range, red",
     [] {
         // The blue line's far end, z 400, lies past the near plane (z 300 in eye space, from
         // glOrtho's near value -300): clipped, it still covers most of the red one.
         line(colorRed(), -10, -10, 0, colorRed(), 10, 10, 0);
         line(colorBlue(), -10, -10, 0, colorBlue(), 10, 10, 400);
         line(colorRed(), -10, -10, 0, colorRed(), 10, 10, 0);
     }},
    {"red wholly beyond the far plane, then the same red line within it",
     [] {
         line(colorRed(), -10, -5, -400, colorRed(), 10, 5, -400);
         line(colorRed(), -10, -5, 0, colorRed(), 10, 5, 0);
     }},
    {"with the depth test, red far, the same red near, then blue between",
     [] {
         glEnable(GL_DEPTH_TEST);
         line(colorRed(), -10, -5, -10, colorRed(), 10, 5, -10);
         line(colorRed(), -10, -5, 10, colorRed(), 10, 5, 10);
         line(colorBlue(), -10, -5, 0, colorBlue(), 10, 5, 0);
         glDisable(GL_DEPTH_TEST);
     }},
    {"red to blue, then red with the same ends",
     [] {
         line(colorRed(), -15, 5, 0, colorBlue(), 15, 8, 0);
         line(colorRed(), -15, 5, 0, colorRed(), 15, 8, 0);
     }},
    // Past the volume's edges: the lines wholly beyond one side are left out, those that cross in.
    {"extents, radius 28, turned, across the volume's edges", [] { demonstration(circleExtentsMode, 28, true); }},
    {"spans, radius 5, turned, with the depth test",
     [] {
         glEnable(GL_DEPTH_TEST);
         demonstration(turnedSpansAt5);
         glDisable(GL_DEPTH_TEST);
     }},
    {"a dim red line twice, blended by adding",
     [] {
         static const Color dim = {0.5f, 0, 0, 1};
         glClearColor(0, 0, 0, 1);  // on black, two halves of red make red
         glClear(GL_COLOR_BUFFER_BIT);
         glClearColor(0.8f, 0.8f, 0.8f, 1);
         glEnable(GL_BLEND);
         glBlendFunc(GL_ONE, GL_ONE);
         line(&dim, -15, -5, 0, &dim, 15, 3, 0);
         line(&dim, -15, -5, 0, &dim, 15, 3, 0);
         glDisable(GL_BLEND);
     }},
    {"spans, radius 5, face-on, in perspective",
     [] {
         glMatrixMode(GL_PROJECTION);
         glLoadIdentity();
         gluPerspective(50, 1, 10, 500);
         glMatrixMode(GL_MODELVIEW);
         glLoadIdentity();
         glTranslatef(0, 0, -30);
         demonstration(spansAt5);
         reshapeOrtho(350, 350);
     }},
    {"spans, radius 5, face-on, the orthographic volume turned on its own stack",
     [] {
         glMatrixMode(GL_PROJECTION);
         glRotatef(20, 0, 1, 0);  // x in the window now depends on depth, w does not
         glMatrixMode(GL_MODELVIEW);
         demonstration(spansAt5);
         reshapeOrtho(350, 350);
     }},
    {"a flat-shaded quad, red at its fourth vertex",
     [] {
         glShadeModel(GL_FLAT);
         glBegin(GL_QUADS);
         glColor4fv(&colorBlue()->r);
         glVertex2f(-10, -10);
         glVertex2f(10, -10);
         glVertex2f(10, 10);
         glColor4fv(&colorRed()->r);
         glVertex2f(-10, 10);
         glEnd();
         glShadeModel(GL_SMOOTH);
     }},
};
constexpr int specialScenes = sizeof scenes / sizeof *scenes;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int glSceneCount() { return demonstrationScenes + specialScenes; }

EMSCRIPTEN_KEEPALIVE const char* glSceneName(int scene) {
    static std::string name;
    if (scene >= demonstrationScenes) return scenes[scene - demonstrationScenes].name;
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
        scenes[scene - demonstrationScenes].draw();
        glutSwapBuffers();
    }
    glWebCullingForTesting(true);
}

}  // extern "C"

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(circlesWindowSide, circlesWindowSide);
    glutCreateWindow("scenes");
    initRendering();
    setCirclesVolume();
    reshapeOrtho(circlesWindowSide, circlesWindowSide);
    std::puts("ready");
    return 0;  // the runtime stays, for the page's calls
}
