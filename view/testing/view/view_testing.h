// Test access to the view module's private state. The program never calls these.
#pragma once

struct ViewState {
    float mouseRotX, mouseRotY, mouseRotZ;
    float translateX, translateY, zoomScale, translationFactor;
    int currentMode, dragging, lastButton, lastX, lastY, windowWidth;
    float savedP00;  // element (0, 0) of the projection saved at the last button event
    float keyRotX, keyRotY, keyRotZ;
    int continuousRotation;
    float rotationSpeed;
    int idleWindow;
};

ViewState viewStateForTesting();
// Back to the state the program starts with; also drops any modifier override.
void resetViewForTesting();
// While bits >= 0, decodeModifiers reads these GLUT_ACTIVE_* bits instead of glutGetModifiers,
// so handlers can be called outside GLUT's input callbacks. -1 restores the real source.
void overrideModifiersForTesting(int bits);
