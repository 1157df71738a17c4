#include "view/view.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdlib>

#include "view/view_testing.h"

namespace {

// Mouse state.
float mouseRotX = 0, mouseRotY = 0, mouseRotZ = 0;
float translateX = 0, translateY = 0;
float zoomScale = 1.0f;
float translationFactor = 1.0f;
int currentMode = MODE_NONE;
int dragging = 0;
int lastButton = 0;
int lastX = 0, lastY = 0;
int windowWidth = 0;
float savedProjection[16] = {};

// Keyboard state.
float keyRotX = 0, keyRotY = 0, keyRotZ = 0;
int continuousRotation = 0;
float rotationSpeed = 1.0f;
int idleWindow = -1;

int modifierOverride = -1;

const float letterStep = 2.0f;
const float plainStep = 1.0f;
const float altStep = 10.0f;
const float shiftCtrlStep = 45.0f;  // coarse turns, between the Alt step and the half-turn presets
const float zoomBase = 1.02f;
const float speedFactor = 1.1f;

// Sums in double, one rounding on the store.
void addTo(float& angle, double amount) { angle = static_cast<float>(angle + amount); }

void zoomBy(int dy) {
    double next = zoomScale;
    if (dy > 0) next = zoomScale * std::pow(static_cast<double>(zoomBase), dy / 5.0);
    if (dy < 0) next = zoomScale / std::pow(static_cast<double>(zoomBase), -dy / 5.0);
    // An infinite, subnormal or zero factor never comes back by dragging the other way: skip a
    // step that would leave the normal range of a float.
    const float stored = static_cast<float>(next);
    if (std::isnormal(stored)) zoomScale = stored;
}

void shiftBy(int dx, int dy) {
    const double p00 = savedProjection[0];
    // A zero width or a degenerate projection would turn the shift into inf or NaN for good.
    if (windowWidth <= 0 || p00 == 0.0 || !std::isfinite(p00)) return;
    addTo(translateX, 2.0 * dx / windowWidth / p00 * translationFactor);
    addTo(translateY, -(2.0 * dy / windowWidth / p00 * translationFactor));
}

void setPreset(int key) {
    keyRotX = keyRotY = keyRotZ = 0;
    if (key == GLUT_KEY_RIGHT) keyRotY = 180;
    if (key == GLUT_KEY_DOWN) keyRotX = 180;
    if (key == GLUT_KEY_PAGE_UP) keyRotZ = 180;
    mouseRotX = mouseRotY = mouseRotZ = 0;
}

void stepKeyRotation(int key, float step) {
    switch (key) {
        case GLUT_KEY_LEFT: addTo(keyRotY, -step); break;
        case GLUT_KEY_RIGHT: addTo(keyRotY, step); break;
        case GLUT_KEY_UP: addTo(keyRotX, -step); break;
        case GLUT_KEY_DOWN: addTo(keyRotX, step); break;
        case GLUT_KEY_PAGE_UP: addTo(keyRotZ, -step); break;
        case GLUT_KEY_PAGE_DOWN: addTo(keyRotZ, step); break;
        default: break;
    }
}

bool isViewSpecialKey(int key) { return key >= GLUT_KEY_LEFT && key <= GLUT_KEY_PAGE_DOWN; }

}  // namespace

ModifierMode decodeModifiers() {
    const int bits = modifierOverride >= 0 ? modifierOverride : glutGetModifiers();
    if (bits & GLUT_ACTIVE_SHIFT) return (bits & GLUT_ACTIVE_CTRL) ? MODE_SHIFT_CTRL : MODE_SHIFT;
    if (bits & GLUT_ACTIVE_CTRL) return MODE_CTRL;
    if (bits & GLUT_ACTIVE_ALT) return MODE_ALT;
    return MODE_NONE;
}

int handleMouseButton(int button, int state, int x, int y) {
    glGetFloatv(GL_PROJECTION_MATRIX, savedProjection);
    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    lastButton = button;
    if (button != GLUT_LEFT_BUTTON) return 0;
    currentMode = decodeModifiers();
    if (currentMode == MODE_NONE) return 0;
    lastX = x;
    lastY = y;
    if (state == GLUT_DOWN) dragging = 1;
    if (state == GLUT_UP) dragging = 0;
    return 1;
}

int handleMouseMotion(int x, int y) {
    if (lastButton != GLUT_LEFT_BUTTON || dragging != 1) return 0;
    const int dx = x - lastX;
    const int dy = y - lastY;
    switch (currentMode) {
        case MODE_SHIFT:
            addTo(mouseRotY, dx);
            addTo(mouseRotX, dy);
            lastX = x, lastY = y;
            break;
        case MODE_SHIFT_CTRL:
            addTo(mouseRotZ, dx);
            addTo(mouseRotX, dy);
            lastX = x, lastY = y;
            break;
        case MODE_CTRL:
            zoomBy(dy);
            lastY = y;  // zoom follows vertical motion only; lastX stays where the zoom began
            break;
        case MODE_ALT:
            shiftBy(dx, dy);
            lastX = x, lastY = y;
            break;
        default:
            break;
    }
    return 1;
}

void mouseCallback(int button, int state, int x, int y) {
    if (handleMouseButton(button, state, x, y)) glutPostRedisplay();
}

void motionCallback(int x, int y) {
    if (handleMouseMotion(x, y)) glutPostRedisplay();
}

void applyMouseTransform() {
    glTranslatef(translateX, translateY, 0);
    glRotatef(mouseRotX, 1, 0, 0);
    glRotatef(mouseRotY, 0, 1, 0);
    glRotatef(mouseRotZ, 0, 0, 1);
    glScalef(zoomScale, zoomScale, zoomScale);
}

void setMouseRotation(float x, float y, float z) { mouseRotX = x, mouseRotY = y, mouseRotZ = z; }

void setTranslationFactor(float factor) { translationFactor = factor; }

int handleRotationKey(unsigned char key, int, int) {
    currentMode = decodeModifiers();
    if (currentMode == MODE_SHIFT && key == keyEnter) {
        continuousRotation = (continuousRotation + 1) % 2;
        return 1;
    }
    switch (key) {
        case keyEscape: std::exit(0);
        case 'x': addTo(keyRotX, letterStep); return 1;
        case 'X': addTo(keyRotX, -letterStep); return 1;
        case 'y': addTo(keyRotY, letterStep); return 1;
        case 'Y': addTo(keyRotY, -letterStep); return 1;
        case 'z': addTo(keyRotZ, letterStep); return 1;
        case 'Z': addTo(keyRotZ, -letterStep); return 1;
        default: return 0;
    }
}

int handleSpecialKey(int key, int, int) {
    currentMode = decodeModifiers();
    if (!isViewSpecialKey(key)) return 0;
    switch (currentMode) {
        case MODE_SHIFT: {
            const bool faster = key == GLUT_KEY_LEFT || key == GLUT_KEY_UP || key == GLUT_KEY_PAGE_UP;
            const double factor = speedFactor;
            rotationSpeed = static_cast<float>(faster ? rotationSpeed * factor : rotationSpeed / factor);
            return 1;
        }
        case MODE_CTRL: setPreset(key); return 1;
        case MODE_ALT: stepKeyRotation(key, altStep); return 1;
        case MODE_SHIFT_CTRL: stepKeyRotation(key, shiftCtrlStep); return 1;
        default: stepKeyRotation(key, plainStep); return 1;
    }
}

void keyboardCallback(unsigned char key, int x, int y) {
    if (handleRotationKey(key, x, y)) glutPostRedisplay();
}

void specialCallback(int key, int x, int y) {
    if (handleSpecialKey(key, x, y)) glutPostRedisplay();
}

void applyKeyRotation() {
    glRotatef(keyRotX, 1, 0, 0);
    glRotatef(keyRotY, 0, 1, 0);
    glRotatef(keyRotZ, 0, 0, 1);
}

void setKeyRotation(float x, float y, float z) { keyRotX = x, keyRotY = y, keyRotZ = z; }

void idleCallback() {
    if (continuousRotation == 0) return;
    addTo(mouseRotX, static_cast<double>(1.1f) * rotationSpeed);
    addTo(mouseRotY, static_cast<double>(2.1f) * rotationSpeed);
    addTo(mouseRotZ, static_cast<double>(3.1f) * rotationSpeed);
    if (idleWindow == -1) {
        glutPostRedisplay();
    } else {
        glutPostWindowRedisplay(idleWindow);
    }
}

void setIdleWindow(int window) { idleWindow = window; }

ViewState viewStateForTesting() {
    return {mouseRotX, mouseRotY, mouseRotZ, translateX, translateY, zoomScale, translationFactor,
            currentMode, dragging, lastButton, lastX, lastY, windowWidth, savedProjection[0],
            keyRotX, keyRotY, keyRotZ, continuousRotation, rotationSpeed, idleWindow};
}

void resetViewForTesting() {
    mouseRotX = mouseRotY = mouseRotZ = 0;
    translateX = translateY = 0;
    zoomScale = 1.0f;
    translationFactor = 1.0f;
    currentMode = MODE_NONE;
    dragging = lastButton = lastX = lastY = windowWidth = 0;
    for (float& element : savedProjection) element = 0;
    keyRotX = keyRotY = keyRotZ = 0;
    continuousRotation = 0;
    rotationSpeed = 1.0f;
    idleWindow = -1;
    modifierOverride = -1;
}

void overrideModifiersForTesting(int bits) { modifierOverride = bits; }
