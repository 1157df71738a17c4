#include "projection/projection.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

namespace {

double orthoLeft = 0, orthoRight = 0, orthoBottom = 0, orthoTop = 0, orthoNear = 0, orthoFar = 0;

double frustumLeft = 0, frustumRight = 0, frustumBottom = 0, frustumTop = 0;
double frustumNear = 0, frustumFar = 0;
double frustumTranslateX = 0, frustumTranslateY = 0, frustumTranslateZ = 0;

double perspectiveFovy = 0, perspectiveMinAspect = 0, perspectiveNear = 0, perspectiveFar = 0;
double perspectiveTranslateX = 0, perspectiveTranslateY = 0, perspectiveTranslateZ = 0;
int linkedWindow = -1;

// Shared by the orthographic and the frustum reshape.
double volumeLeft = 0, volumeRight = 0, volumeBottom = 0, volumeTop = 0;
float pixelSize = 0;

float windowAspect = 0, effectiveFovy = 0;

// A zero-sized window would divide by zero and load an infinite or NaN matrix.
double usableExtent(int pixels) { return pixels > 0 ? pixels : 1; }

void beginReshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

// Widens the bounds along the window's longer side; a square window takes the vertical branch,
// which gives back the requested bounds.
void fitVolume(int width, int height, double left, double right, double bottom, double top) {
    const double w = usableExtent(width), h = usableExtent(height);
    if (w > h) {
        volumeLeft = w * left / h;
        volumeRight = w * right / h;
        volumeBottom = bottom;
        volumeTop = top;
    } else {
        volumeLeft = left;
        volumeRight = right;
        volumeBottom = h * bottom / w;
        volumeTop = h * top / w;
    }
    pixelSize = static_cast<float>((volumeTop - volumeBottom) / h);
}

void resetModelview(double x, double y, double z, bool translate) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (translate) glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

}  // namespace

void setOrthoVolume(float left, float right, float bottom, float top, float nearPlane, float farPlane) {
    orthoLeft = left, orthoRight = right, orthoBottom = bottom, orthoTop = top;
    orthoNear = nearPlane, orthoFar = farPlane;
}

void reshapeOrtho(int width, int height) {
    beginReshape(width, height);
    fitVolume(width, height, orthoLeft, orthoRight, orthoBottom, orthoTop);
    glOrtho(volumeLeft, volumeRight, volumeBottom, volumeTop, orthoNear, orthoFar);
    resetModelview(0, 0, 0, false);
}

float getVolumeLeft() { return static_cast<float>(volumeLeft); }
float getVolumeBottom() { return static_cast<float>(volumeBottom); }
float getVolumeRight() { return static_cast<float>(volumeRight); }
float getVolumeTop() { return static_cast<float>(volumeTop); }
float getPixelSize() { return pixelSize; }

void setFrustumVolume(float left, float right, float bottom, float top, float nearPlane, float farPlane,
                      float translateX, float translateY, float translateZ) {
    frustumLeft = left, frustumRight = right, frustumBottom = bottom, frustumTop = top;
    frustumNear = nearPlane, frustumFar = farPlane;
    frustumTranslateX = translateX, frustumTranslateY = translateY, frustumTranslateZ = translateZ;
}

void reshapeFrustum(int width, int height) {
    beginReshape(width, height);
    fitVolume(width, height, frustumLeft, frustumRight, frustumBottom, frustumTop);
    glFrustum(volumeLeft, volumeRight, volumeBottom, volumeTop, frustumNear, frustumFar);
    resetModelview(frustumTranslateX, frustumTranslateY, frustumTranslateZ, true);
}

void setPerspectiveVolume(float fovy, float minAspect, float nearPlane, float farPlane,
                          float translateX, float translateY, float translateZ) {
    perspectiveFovy = fovy, perspectiveMinAspect = minAspect;
    perspectiveNear = nearPlane, perspectiveFar = farPlane;
    perspectiveTranslateX = translateX, perspectiveTranslateY = translateY;
    perspectiveTranslateZ = translateZ;
}

void setPerspectiveVolumeLinked(float fovy, float minAspect, float nearPlane, float farPlane,
                                float translateX, float translateY, float translateZ, int window) {
    setPerspectiveVolume(fovy, minAspect, nearPlane, farPlane, translateX, translateY, translateZ);
    linkedWindow = window;
}

void reshapePerspective(int width, int height) {
    beginReshape(width, height);
    windowAspect = static_cast<float>(usableExtent(width) / usableExtent(height));
    if (windowAspect < perspectiveMinAspect) {
        effectiveFovy = static_cast<float>(perspectiveMinAspect * (perspectiveFovy / windowAspect));
    } else {
        effectiveFovy = static_cast<float>(perspectiveFovy);
    }
    gluPerspective(effectiveFovy, windowAspect, perspectiveNear, perspectiveFar);
    resetModelview(perspectiveTranslateX, perspectiveTranslateY, perspectiveTranslateZ, true);
    if (linkedWindow != -1) glutPostWindowRedisplay(linkedWindow);
}

float getPerspectiveFovy() { return effectiveFovy; }
float getPerspectiveAspect() { return windowAspect; }
