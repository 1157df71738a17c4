// A program's table of inputs, a row for each line of its help: what the user presses or drags
// and what that does. Each program lists its rows in one table (the demonstration's in
// app/bindings.cpp, view-showcase's in examples/showcase_bindings.cpp), which its web page, the
// README and the tests read; the view module and the quit menu give the rows for what they handle.
#pragma once

enum class InputKind {
    key,       // keys typed, by name, separated by spaces ("x y z"); a chord is joined by '+' ("Shift+Enter")
    modifier,  // modifiers held with the arrow and page keys ("Ctrl", "Shift+Ctrl")
    drag,      // a left-button drag with these modifiers held ("Shift+Ctrl")
    menu,      // the right button's pop-up menu
};

struct InputBinding {
    InputKind kind;
    const char* inputs;
    const char* action;  // what it does, by a name that the pages' texts describe
};

// The view module's keys (keyboardCallback, handleRotationKey).
extern const InputBinding viewTurnKeys;        // x y z / X Y Z: +2 / -2 degrees about X, Y, Z
extern const InputBinding viewRotationToggle;  // Shift+Enter: the continuous rotation on or off
extern const InputBinding viewQuitKey;         // Escape: exit, status 0
// Its special keys (specialCallback): 1 degree a press, and what modifiers make of them.
extern const InputBinding viewStepKeys;
extern const InputBinding viewPresetModifier;      // Ctrl: preset views
extern const InputBinding viewSpeedModifier;       // Shift: continuous-rotation speed
extern const InputBinding viewCoarseModifier;      // Alt: 10 degrees
extern const InputBinding viewCoarserModifier;     // Shift+Ctrl: 45 degrees
// Its drags (mouseCallback, motionCallback): turn, turn about Z, zoom, shift.
extern const InputBinding viewDrags[4];
// The quit menu's button (createQuitMenu).
extern const InputBinding quitMenuBinding;
