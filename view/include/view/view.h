// View manipulation by mouse and keyboard for GLUT programs.
//
// The host registers the callbacks it wants and, in its display pass, pushes the modelview
// matrix and calls applyMouseTransform() then applyKeyRotation(). Both transforms start as the
// identity. Every handler returns 1 when the event changed the state or was consumed, 0
// otherwise; each callback posts a redisplay when its handler returns non-zero.
//
// Bindings
//   Mouse (mouseCallback + motionCallback), left button dragged with:
//     Shift              turn: horizontal motion about Y, vertical about X, 1 degree per pixel
//     Shift+Ctrl         turn: horizontal motion about Z, vertical about X
//     Ctrl               zoom: x1.02 per 5 pixels downwards, /1.02 per 5 pixels upwards
//     Alt (alone)        shift the scene with the cursor (scaled by setTranslationFactor)
//     (Alt held with Shift or Ctrl counts as Shift or Ctrl; no modifier does nothing.)
//   Keys (keyboardCallback, or a host's own callback offering keys to handleRotationKey first):
//     x / X              key rotation about X by +2 / -2 degrees
//     y / Y              key rotation about Y by +2 / -2 degrees
//     z / Z              key rotation about Z by +2 / -2 degrees
//     Shift+Enter        toggle the continuous rotation (driven by idleCallback)
//     Escape             end the program, exit status 0
//   Special keys (specialCallback):
//     Left / Right       key rotation about Y by -step / +step
//     Up / Down          key rotation about X by -step / +step
//     Page Up / Down     key rotation about Z by -step / +step
//                        step: 1 degree alone, 10 with Alt, 45 with Shift+Ctrl
//     Ctrl+arrow/page    preset view (mouse angles zeroed, shift and zoom kept):
//                        Left, Up, Page Down: face-on; Right: turned 180 about Y;
//                        Down: 180 about X; Page Up: 180 about Z
//     Shift+Left/Up/PgUp continuous-rotation speed x1.1; Shift+Right/Down/PgDn: /1.1
//   Idle (idleCallback): while the continuous rotation is on, the mouse angles advance by
//     1.1, 2.1 and 3.1 degrees times the speed per call, and the idle window is redrawn.
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

// Keyboard half.
int handleRotationKey(unsigned char key, int x, int y);  // does not return on Escape
int handleSpecialKey(int key, int x, int y);
void keyboardCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);
// Multiplies the key rotation, X then Y then Z, onto the current matrix.
void applyKeyRotation();
void setKeyRotation(float x, float y, float z);
void idleCallback();
void setIdleWindow(int window);  // -1: GLUT's current window
