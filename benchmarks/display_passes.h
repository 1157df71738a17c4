// What the display benchmarks time and count: the demonstration's display pass at a mode and
// radius, and its floors, the same wire cubes drawn bare, with or without the reference circle.
#pragma once

#include <vector>

#include "support/circle_model.h"

// A 350 x 350 window with the demonstration's rendering set up and a volume where radius 100
// stays in view; returns the renderer's name.
const char* openPassWindow(int* argc, char** argv);
void setMode(int mode, int radius);
// The pixels the mode draws, repeats included, from the selection rule.
std::vector<model::Pixel> pixelsOf(int mode, int radius);
// One bare pass: clear, (circle,) the cubes with the pass's colour and matrix calls, flush, swap.
void barePass(const std::vector<model::Pixel>& pixels, int radius, bool withCircle);
