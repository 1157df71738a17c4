// Viewing volumes fitted to a GLUT window on every resize.
//
// Each reshape handler gives the whole window to the viewport, loads a projection and leaves the
// modelview matrix current. Orthographic and frustum volumes keep the requested range square on
// screen: the pair of bounds along the window's longer side is multiplied by the ratio of the
// longer side to the shorter, about the scene origin. The setters only store values; they take
// effect at the next reshape.
//
// A window of zero width or height (a minimised one, say) is treated as one pixel in that
// direction for the arithmetic, so the projection loaded is always finite.
#pragma once

// Orthographic volume.
void setOrthoVolume(float left, float right, float bottom, float top, float nearPlane, float farPlane);
void reshapeOrtho(int width, int height);

// The bounds last loaded by reshapeOrtho or reshapeFrustum, whichever ran last, and the height
// of one window pixel in scene units (for a frustum, on the near plane).
float getVolumeLeft();
float getVolumeBottom();
float getVolumeRight();
float getVolumeTop();
float getPixelSize();

// Frustum volume: bounds on the near plane, then the translation loaded on the modelview.
void setFrustumVolume(float left, float right, float bottom, float top, float nearPlane, float farPlane,
                      float translateX, float translateY, float translateZ);
void reshapeFrustum(int width, int height);

// Field-of-view perspective: the vertical angle is widened in inverse proportion to the aspect
// ratio whenever the window is narrower than minAspect (width / height). The linked variant also
// names a window whose redisplay is posted after every perspective reshape (-1: none).
void setPerspectiveVolume(float fovy, float minAspect, float nearPlane, float farPlane,
                          float translateX, float translateY, float translateZ);
void setPerspectiveVolumeLinked(float fovy, float minAspect, float nearPlane, float farPlane,
                                float translateX, float translateY, float translateZ, int window);
void reshapePerspective(int width, int height);
float getPerspectiveFovy();    // angle last passed to gluPerspective, degrees
float getPerspectiveAspect();  // aspect ratio last passed to gluPerspective
