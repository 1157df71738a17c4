#include "app/circles.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>

#include "app/circles_testing.h"
#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "color/color.h"
#include "projection/projection.h"
#include "view/view.h"

namespace {

int circleMode = circleOutlineMode;
int circleRadius = 1;  // never below 1
int pixelCount = 0;    // plotGridPixel calls since the display pass last reset it

}  // namespace

void setCirclesVolume() {
    setOrthoVolume(-circlesVolumeHalfSide, circlesVolumeHalfSide, -circlesVolumeHalfSide, circlesVolumeHalfSide,
                   -circlesVolumeHalfDepth, circlesVolumeHalfDepth);
}

void initRendering() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.8f, 0.8f, 0.8f, 1.0f);
}

void plotGridPixel(int x, int y, const Color* colour) {
    ++pixelCount;
    glColor4fv(&colour->r);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0);
    glutWireCube(1.0);
    glPopMatrix();
}

void drawReferenceCircle(int cx, int cy, float radius) {
    const float pi = 3.14159f;
    const float halfTurn = 180.0f;
    glColor4fv(&colorBlue()->r);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 360; ++i) {
        const float angle = static_cast<float>(i * static_cast<double>(pi) / halfTurn);
        const double r = radius;
        glVertex2f(static_cast<float>(std::cos(static_cast<double>(angle)) * r + cx),
                   static_cast<float>(std::sin(static_cast<double>(angle)) * r + cy));
    }
    glEnd();
}

void displayCircles() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    drawReferenceCircle(0, 0, static_cast<float>(circleRadius));
    pixelCount = 0;
    rasterizeCircle(circleMode, colorRed(), circleRadius);
    // No explicit flush: on a pipe the lines stay buffered until exit, as the C library does.
    std::printf("%d\n", pixelCount);
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
}

void keyboardCircles(unsigned char key, int x, int y) {
    if (handleRotationKey(key, x, y)) {
        glutPostRedisplay();
        return;
    }
    switch (key) {
        case keyEnter: circleMode = (circleMode + 1) % circleModeCount; break;
        case '+': ++circleRadius; break;
        case '-':
            if (--circleRadius < 1) circleRadius = 1;
            break;
        default: return;
    }
    glutPostRedisplay();
}

int currentCircleMode() { return circleMode; }
int currentCircleRadius() { return circleRadius; }

CirclesState circlesStateForTesting() { return {circleMode, circleRadius, pixelCount}; }

void resetCirclesForTesting() {
    circleMode = circleOutlineMode;
    circleRadius = 1;
    pixelCount = 0;
}
