// view-showcase: a host of the support modules that registers everything the circle
// demonstration leaves unused. It shows the rainbow ramp as a ring of 256 cells around the grey
// ramp as a bar of 256 cells, in a perspective view.
//
// Its keys, drags and menu, and what each does: showcaseBindings (showcase.h).
#include <GL/freeglut.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "color/color.h"
#include "projection/projection.h"
#include "showcase.h"
#include "view/quit_menu.h"
#include "view/view.h"

namespace {

Color** rainbow = nullptr;
Color** grey = nullptr;
bool frustumView = false;
bool spinning = false;  // mirrors the view module's continuous rotation

void releaseRamps() {
    for (Color** ramp : {rainbow, grey}) {
        if (ramp == nullptr) continue;
        for (int i = 0; i < 256; ++i) colorFree(ramp[i]);
        std::free(ramp);
    }
    rainbow = grey = nullptr;
}

void drawRing() {
    const double step = 2 * M_PI / 256;
    glBegin(GL_QUADS);
    for (int i = 0; i < 256; ++i) {
        const double a0 = i * step, a1 = (i + 1) * step;
        const double corners[4][2] = {{2.0 * std::cos(a0), 2.0 * std::sin(a0)}, {3.0 * std::cos(a0), 3.0 * std::sin(a0)},
                                      {3.0 * std::cos(a1), 3.0 * std::sin(a1)}, {2.0 * std::cos(a1), 2.0 * std::sin(a1)}};
        glColor4fv(&rainbow[i]->r);
        for (const auto& c : corners) glVertex2d(c[0], c[1]);
    }
    glEnd();
}

void drawGreyBar() {
    glBegin(GL_QUADS);
    for (int i = 0; i < 256; ++i) {
        const double x0 = -1.5 + 3.0 * i / 256, x1 = -1.5 + 3.0 * (i + 1) / 256;
        const double corners[4][2] = {{x0, -0.4}, {x1, -0.4}, {x1, 0.4}, {x0, 0.4}};
        glColor4fv(&grey[i]->r);
        for (const auto& c : corners) glVertex3d(c[0], c[1], 0.01);
    }
    glEnd();
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    drawRing();
    drawGreyBar();
    glPopMatrix();
    glutSwapBuffers();
}

void keyboard(unsigned char key, int x, int y) {
    if (handleRotationKey(key, x, y)) {
        // Enter is taken only as Shift+Enter, the toggle: idle only while turning, so that a
        // still scene costs no processor time.
        if (key == keyEnter) {
            spinning = !spinning;
            glutIdleFunc(spinning ? idleCallback : nullptr);
        }
        glutPostRedisplay();
        return;
    }
    if (key != 'p') return;
    frustumView = !frustumView;
    glutReshapeFunc(frustumView ? reshapeFrustum : reshapePerspective);
    (frustumView ? reshapeFrustum : reshapePerspective)(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(350, 350);
    glutInitWindowPosition(50, 50);
    const int window = glutCreateWindow(showcaseWindowTitle);
    rainbow = colorRainbowRamp();
    grey = colorGrayRamp();
    if (rainbow == nullptr || grey == nullptr) return 1;
    std::atexit(releaseRamps);
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    createQuitMenu();
    // Both volumes show the ring whole in a square window; a narrow one widens the angle.
    setPerspectiveVolumeLinked(60, 1, 1, 100, 0, 0, -8, window);
    setFrustumVolume(-0.5f, 0.5f, -0.5f, 0.5f, 1, 100, 0, 0, -8);
    setIdleWindow(window);
    glutReshapeFunc(reshapePerspective);
    glutMouseFunc(mouseCallback);
    glutMotionFunc(motionCallback);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(specialCallback);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
