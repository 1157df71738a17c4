// Midpoint circle rasterisers: the grid pixels of a circle of integer radius about the origin.
//
// All three walk one eighth of the circle, from (0, r) clockwise to the diagonal, with integer
// additions only, and draw every pixel through plotGridPixel (so the shell counts them):
//   midpointCircleOutline  the outline, each pixel once
//   midpointDiskSpans      the disc as rows drawn during the walk; the two outermost rows are
//                          drawn twice when the walk ends one past the diagonal
//   midpointDiskExtents    the disc from per-row half-widths gathered first; each pixel once
// A radius below 1 draws nothing.
#pragma once

#include "app/modes.h"
#include "color/color.h"

void midpointCircleOutline(const Color* colour, int radius);
void midpointDiskSpans(const Color* colour, int radius);
void midpointDiskExtents(const Color* colour, int radius);

// Runs the rasteriser of `mode` (see modes.h; any other number draws nothing).
void rasterizeCircle(int mode, const Color* colour, int radius);

// (x, y), (-x, y), (x, -y), (-x, -y), (y, x), (-y, x), (y, -x), (-y, -x).
void plotOctantPoints(int x, int y, const Color* colour);
// (a, b), (a, -b), (b, a), (-b, a): with (0, r), the four points on the axes.
void plotAxisPoints(int a, int b, const Color* colour);
// (a, a), (a, -a), (-a, a), (-a, -a).
void plotDiagonalPoints(int a, const Color* colour);
// (i, row) for i from -halfWidth to halfWidth.
void plotRowSpan(int halfWidth, int row, const Color* colour);
// (i, row) then (i, -row), for i from -halfWidth to halfWidth: rows +-row, as the extents draw them.
void plotRowPair(int halfWidth, int row, const Color* colour);
