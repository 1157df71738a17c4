#include "app/bindings.h"

namespace {

const InputBinding nextModeKey = {InputKind::key, "Enter", "next-mode"};
const InputBinding radiusKeys = {InputKind::key, "+ -", "radius"};

}  // namespace

const InputBinding* const circleBindings[] = {
    &nextModeKey, &radiusKeys,  &viewTurnKeys, &viewRotationToggle, &viewQuitKey, &viewDrags[0],
    &viewDrags[1], &viewDrags[2], &viewDrags[3], &quitMenuBinding};
const int circleBindingCount = sizeof circleBindings / sizeof *circleBindings;
