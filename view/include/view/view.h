// View manipulation by mouse and keyboard for GLUT programs.
//
// The host registers the callbacks it wants and, in its display pass, pushes the modelview
// matrix and calls applyMouseTransform() then applyKeyRotation(). Both transforms start as the
// identity. Every handler returns 1 when the event changed the state or was consumed, 0
// otherwise; each callback posts a redisplay when its handler returns non-zero.
//
// The inputs each callback takes, and what they do, are the rows of view/bindings.h:
//   keyboardCallback, or a host's own key callback offering keys to handleRotationKey first:
//     viewTurnKeys, viewRotationToggle, viewQuitKey;
//   specialCallback: viewStepKeys, alone or with the modifiers of viewPresetModifier,
//     viewSpeedModifier, viewCoarseModifier and viewCoarserModifier;
//   mouseCallback and motionCallback: viewDrags (Alt held with Shift or Ctrl counts as Shift or
//     Ctrl; a drag with no modifier does nothing).
// The steps: letter keys 2 degrees; special keys 1 degree, 10 with Alt, 45 with Shift+Ctrl; the
// presets set the key angles (Left, Up, Page Down face-on; Right, Down, Page Up a half-turn about
// Y, X, Z) and zero the mouse angles; the speed goes x1.1 (Left, Up, Page Up) or /1.1; a Shift
// drag turns 1 degree a pixel; a Ctrl drag zooms x1.02 per 5 pixels down. While the continuous
// rotation is on, idleCallback advances the mouse angles by 1.1, 2.1 and 3.1 degrees times the
// speed and redraws the idle window.
#pragma once

enum ModifierMode {
    MODE_NONE = 0,        // none of Shift, Ctrl, Alt
    MODE_SHIFT = 1,       // Shift without Ctrl
    MODE_SHIFT_CTRL = 2,  // Shift and Ctrl
    MODE_CTRL = 3,        // Ctrl without Shift
    MODE_ALT = 4,         // Alt alone
};

// Reads glutGetModifiers, so only valid inside a keyboard, special-key or mouse callback.
ModifierMode decodeModifiers();

// Mouse half.
int handleMouseButton(int button, int state, int x, int y);
int handleMouseMotion(int x, int y);
void mouseCallback(int button, int state, int x, int y);
void motionCallback(int x, int y);
// Multiplies shift, rotations X, Y, Z and zoom onto the current matrix (no push, no mode change).
void applyMouseTransform();
void setMouseRotation(float x, float y, float z);
void setTranslationFactor(float factor);

// Keyboard half. The characters GLUT gives for Enter and Escape, for every key handler.
constexpr unsigned char keyEnter = '\r';
constexpr unsigned char keyEscape = 27;
int handleRotationKey(unsigned char key, int x, int y);  // does not return on Escape
int handleSpecialKey(int key, int x, int y);
void keyboardCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);
// Multiplies the key rotation, X then Y then Z, onto the current matrix.
void applyKeyRotation();
void setKeyRotation(float x, float y, float z);
void idleCallback();
void setIdleWindow(int window);  // -1: GLUT's current window
