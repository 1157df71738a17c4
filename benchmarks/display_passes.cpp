#include "display_passes.h"

#include <GL/freeglut.h>

#include "app/circles.h"
#include "app/circles_testing.h"
#include "app/modes.h"
#include "color/color.h"
#include "projection/projection.h"
#include "view/view.h"
#include "view/view_testing.h"

const char* openPassWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(circlesWindowSide, circlesWindowSide);
    glutCreateWindow("display benchmark");
    initRendering();
    setOrthoVolume(-110, 110, -110, 110, -300, 300);
    reshapeOrtho(circlesWindowSide, circlesWindowSide);
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

void setMode(int mode, int radius) {
    overrideModifiersForTesting(0);  // keys fed outside GLUT's input callbacks
    resetCirclesForTesting();
    for (int i = 1; i < radius; ++i) keyboardCircles('+', 0, 0);
    for (int i = 0; i < mode; ++i) keyboardCircles(keyEnter, 0, 0);
}

std::vector<model::Pixel> pixelsOf(int mode, int radius) {
    const model::Circle c = model::circle(radius);
    const auto set = mode == circleOutlineMode ? model::outlinePixels(c) : model::discPixels(c);
    std::vector<model::Pixel> pixels(set.begin(), set.end());
    if (mode == circleSpansMode && !c.endsOnDiagonal) {
        for (int i = -(c.lastX - 1); i <= c.lastX - 1; ++i) pixels.insert(pixels.end(), {{i, c.lastX}, {i, -c.lastX}});
    }
    return pixels;
}

void barePass(const std::vector<model::Pixel>& pixels, int radius, bool withCircle) {
    const Color* red = colorRed();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (withCircle) drawReferenceCircle(0, 0, static_cast<float>(radius));
    for (const model::Pixel& p : pixels) {
        glColor4fv(&red->r);
        glPushMatrix();
        glTranslatef(static_cast<float>(p.first), static_cast<float>(p.second), 0);
        glutWireCube(1.0);
        glPopMatrix();
    }
    glFlush();
    glutSwapBuffers();
}
