// The one drawing primitive the rasterisers use: draws grid pixel (x, y) and counts the draw.
#pragma once

#include "color/color.h"

void plotGridPixel(int x, int y, const Color* colour);
