// A GL process that leaks one block inside its display callback, with freeglut's frames below
// it, then ends normally. Run with the tests' leak options, LeakSanitizer must report the block:
// proof that the suppressions hide only what freeglut, Mesa and Xlib keep until exit.
#include <GL/freeglut.h>

#include <cstdlib>
#include <cstring>

namespace {

void* volatile lost = nullptr;

__attribute__((noinline)) void plantLeak() {
    lost = std::malloc(4242);
    lost = nullptr;
}

// Dead frames keep stale copies of the pointer that LeakSanitizer would take for references.
__attribute__((noinline)) void scrubStack() {
    volatile char scratch[64 * 1024];
    std::memset(const_cast<char*>(scratch), 0, sizeof scratch);
}

void displayThatLeaks() {
    plantLeak();
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
    glutLeaveMainLoop();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(64, 64);
    glutCreateWindow("planted leak");
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutDisplayFunc(displayThatLeaks);
    glutMainLoop();
    scrubStack();
    return 0;
}
