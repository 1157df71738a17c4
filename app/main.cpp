// midpoint-circles: the integer midpoint circle algorithm, shown against the exact circle.
//
// The window shows a circle of integer radius centred on the origin twice: the exact circle as
// a blue line and the grid pixels a midpoint rasteriser selects as red wire cubes. After every
// redraw the number of grid-pixel draws of that pass is printed on standard output.
//
// Keys
//   Enter              next rasteriser: outline, filled by spans, filled by row extents
//   + / -              radius up / down by 1 (never below 1)
//   x y z / X Y Z      turn the scene about X, Y, Z by +2 / -2 degrees
//   Shift+Enter        toggle the continuous rotation (no idle callback drives it here)
//   Escape             quit
// Mouse
//   left drag + Shift        turn (horizontal about Y, vertical about X)
//   left drag + Shift+Ctrl   turn (horizontal about Z, vertical about X)
//   left drag + Ctrl         zoom (down enlarges, up shrinks)
//   left drag + Alt          shift the scene with the cursor
//   right button             menu: "Quitter" quits
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
    glutInitWindowSize(350, 350);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Cercles par l'algorithme du midpoint");
    initRendering();
    createQuitMenu();
    setOrthoVolume(-20, 20, -20, 20, -300, 300);
    glutReshapeFunc(reshapeOrtho);
    glutMotionFunc(motionCallback);
    glutMouseFunc(mouseCallback);
    setTranslationFactor(1.0f);
    glutKeyboardFunc(keyboardCircles);
    glutDisplayFunc(displayCircles);
    glutMainLoop();
    return 0;
}
