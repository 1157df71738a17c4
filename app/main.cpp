// midpoint-circles: the integer midpoint circle algorithm, shown against the exact circle.
//
// The window shows a circle of integer radius centred on the origin twice: the exact circle as
// a blue line and the grid pixels a midpoint rasteriser selects as red wire cubes. After every
// redraw the number of grid-pixel draws of that pass is printed on standard output.
//
// Its keys, drags and menu, and what each does: circleBindings (app/bindings.cpp).
#include <GL/freeglut.h>

#include "app/circles.h"
#include "projection/projection.h"
#include "view/quit_menu.h"
#include "view/view.h"

int main(int argc, char** argv) {
    // freeglut's header routes glutInit and glutCreateWindow through the __glut*WithExit entry
    // points, with the standard library's exit, where the platform needs them.
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(circlesWindowSide, circlesWindowSide);
    glutInitWindowPosition(50, 50);
    glutCreateWindow(circlesWindowTitle);
    initRendering();
    createQuitMenu();
    setCirclesVolume();
    glutReshapeFunc(reshapeOrtho);
    glutMotionFunc(motionCallback);
    glutMouseFunc(mouseCallback);
    setTranslationFactor(1.0f);
    glutKeyboardFunc(keyboardCircles);
    glutDisplayFunc(displayCircles);
    glutMainLoop();
    return 0;
}
