#include "view/bindings.h"

const InputBinding viewTurnKeys = {InputKind::key, "x y z X Y Z", "turn-keys"};
const InputBinding viewRotationToggle = {InputKind::key, "Shift+Enter", "rotation-toggle"};
const InputBinding viewQuitKey = {InputKind::key, "Escape", "quit"};
const InputBinding viewStepKeys = {InputKind::key, "Left Right Up Down PageUp PageDown", "turn-step"};
const InputBinding viewPresetModifier = {InputKind::modifier, "Ctrl", "preset-views"};
const InputBinding viewSpeedModifier = {InputKind::modifier, "Shift", "rotation-speed"};
const InputBinding viewCoarseModifier = {InputKind::modifier, "Alt", "turn-step-10"};
const InputBinding viewCoarserModifier = {InputKind::modifier, "Shift+Ctrl", "turn-step-45"};
const InputBinding viewDrags[4] = {{InputKind::drag, "Shift", "turn"},
                                   {InputKind::drag, "Shift+Ctrl", "turn-z"},
                                   {InputKind::drag, "Ctrl", "zoom"},
                                   {InputKind::drag, "Alt", "shift"}};
const InputBinding quitMenuBinding = {InputKind::menu, "right button", "quit-menu"};
