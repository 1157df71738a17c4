#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

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
    for (int i = 0; i < 5; ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
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
    for (int i = 0; i < 500 && !shown; ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // The window system's first exposures arrive in bursts; let them all be drawn before tests
    // count redraws of their own.
    for (int i = 0; i < 30; ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return RUN_ALL_TESTS();
}
