// The demonstration's modes, in the order Enter cycles through them. This is the one table of
// them, their numbers here and their names in modes.cpp; every tool, page and script takes them
// from here.
#pragma once

enum CircleMode : int {
    circleOutlineMode,  // the outline, each pixel once
    circleSpansMode,    // the disc as rows drawn during the walk
    circleExtentsMode,  // the disc from per-row half-widths gathered first
    circleModeCount
};

// By mode, in the order above.
extern const char* const circleModeNames[circleModeCount];

// The mode's number for its name, or -1.
int circleModeByName(const char* name);
