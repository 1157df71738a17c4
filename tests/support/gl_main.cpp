#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <GL/glx.h>

#include <cstdio>

#include "support/gl_window.h"

namespace {

int window = 0;
bool shown = false;

void firstDisplay() {
    shown = true;
    glutSwapBuffers();
}

}  // namespace

namespace glwindow {

int id() { return window; }

void pumpEvents() {
    // A round trip to the X server puts every event it has sent so far in the queue; one pass of
    // the loop takes them all and carries out the redraws posted until then, a second those the
    // first one's events posted.
    XSync(glXGetCurrentDisplay(), False);
    glutMainLoopEvent();
    glutMainLoopEvent();
}

std::array<float, 16> matrix(unsigned int which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

}  // namespace glwindow

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests fork; a fork that shares the X connection must not run GLUT's exit handlers.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(350, 350);
    glutInitWindowPosition(50, 50);
    window = glutCreateWindow("gl tests");
    glutDisplayFunc(firstDisplay);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    // Until the window is mapped and drawn; each pump also takes every exposure sent before it,
    // so none is left for a test that counts redraws of its own.
    for (int i = 0; i < 10000 && !shown; ++i) glwindow::pumpEvents();
    if (!shown) {
        std::fprintf(stderr, "the test window was never drawn\n");
        return 1;
    }
    glwindow::pumpEvents();
    return RUN_ALL_TESTS();
}
