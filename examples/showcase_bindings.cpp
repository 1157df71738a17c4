#include "showcase.h"

namespace {

const InputBinding projectionKey = {InputKind::key, "p", "projection-switch"};

}  // namespace

const InputBinding* const showcaseBindings[] = {
    &projectionKey,      &viewTurnKeys,       &viewRotationToggle, &viewStepKeys,  &viewPresetModifier,
    &viewSpeedModifier,  &viewCoarseModifier, &viewCoarserModifier, &viewQuitKey,  &viewDrags[0],
    &viewDrags[1],       &viewDrags[2],       &viewDrags[3],        &quitMenuBinding};
const int showcaseBindingCount = sizeof showcaseBindings / sizeof *showcaseBindings;
