// The demonstration's modes, in the order Enter cycles through them: 0 outline, 1 spans,
// 2 extents. This is the one table of their names; every tool, page and script takes them from
// here.
#pragma once

constexpr int circleModeCount = 3;
extern const char* const circleModeNames[circleModeCount];

// The mode's number for its name, or -1.
int circleModeByName(const char* name);
