#include "view/quit_menu.h"

#include <GL/freeglut.h>

#include <cstdlib>

// Where GLUT needs the program's exit routine handed over (the atexit workaround of Windows
// builds), freeglut's header routes glutCreateMenu through __glutCreateMenuWithExit with exit.
void createQuitMenu() {
    glutCreateMenu(quitMenuCallback);
    glutAddMenuEntry(quitMenuEntry, 0);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void quitMenuCallback(int value) {
    if (value == 0) std::exit(0);
    glutPostRedisplay();
}
