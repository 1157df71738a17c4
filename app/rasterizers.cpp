#include "app/rasterizers.h"

#include <cstdlib>

#include "app/grid_pixel.h"

namespace {

// One step of the midpoint walk. d is the circle function at the midpoint ahead, less 1/4, so
// d < 0 exactly when that midpoint lies strictly inside the circle. Returns whether y dropped.
bool stepWalk(int& x, int& y, int& d) {
    const bool down = d >= 0;
    if (down) {
        d += 2 * (x - y) + 5;
        --y;
    } else {
        d += 2 * x + 3;
    }
    ++x;
    return down;
}

}  // namespace

void plotOctantPoints(int x, int y, const Color* colour) {
    plotGridPixel(x, y, colour);
    plotGridPixel(-x, y, colour);
    plotGridPixel(x, -y, colour);
    plotGridPixel(-x, -y, colour);
    plotGridPixel(y, x, colour);
    plotGridPixel(-y, x, colour);
    plotGridPixel(y, -x, colour);
    plotGridPixel(-y, -x, colour);
}

void plotAxisPoints(int a, int b, const Color* colour) {
    plotGridPixel(a, b, colour);
    plotGridPixel(a, -b, colour);
    plotGridPixel(b, a, colour);
    plotGridPixel(-b, a, colour);
}

void plotDiagonalPoints(int a, const Color* colour) {
    plotGridPixel(a, a, colour);
    plotGridPixel(a, -a, colour);
    plotGridPixel(-a, a, colour);
    plotGridPixel(-a, -a, colour);
}

void plotRowSpan(int halfWidth, int row, const Color* colour) {
    for (int i = -halfWidth; i <= halfWidth; ++i) plotGridPixel(i, row, colour);
}

void midpointCircleOutline(const Color* colour, int radius) {
    if (radius < 1) return;
    int x = 0, y = radius, d = 1 - radius;
    plotAxisPoints(0, radius, colour);
    while (y > x) {
        stepWalk(x, y, d);
        // Axis and diagonal points have their own four-point plots, and the point one past the
        // diagonal mirrors one already drawn: each outline pixel is drawn once.
        if (x == y) {
            plotDiagonalPoints(x, colour);
        } else if (y > x) {
            plotOctantPoints(x, y, colour);
        }
    }
}

void midpointDiskSpans(const Color* colour, int radius) {
    if (radius < 1) return;
    int x = 0, y = radius, d = 1 - radius;
    plotRowSpan(radius, 0, colour);
    while (y > x) {
        const int oldX = x, oldY = y;
        if (stepWalk(x, y, d)) {
            // Rows +-y are left behind at the half-width reached so far.
            plotRowSpan(oldX, oldY, colour);
            plotRowSpan(oldX, -oldY, colour);
        }
        plotRowSpan(y, x, colour);
        plotRowSpan(y, -x, colour);
    }
}

void midpointDiskExtents(const Color* colour, int radius) {
    if (radius < 1) return;
    int* rowExtent = static_cast<int*>(std::calloc(static_cast<std::size_t>(radius) + 1, sizeof(int)));
    if (rowExtent == nullptr) return;  // nothing drawn this pass; the next one tries again
    int x = 0, y = radius, d = 1 - radius;
    rowExtent[y] = x;
    rowExtent[x] = y;
    while (y > x) {
        stepWalk(x, y, d);
        // Each point and its mirror across the diagonal offer their width; rows keep the widest.
        if (x > rowExtent[y]) rowExtent[y] = x;
        if (y > rowExtent[x]) rowExtent[x] = y;
    }
    for (int i = -rowExtent[0]; i <= rowExtent[0]; ++i) plotGridPixel(i, 0, colour);
    for (int row = 1; row <= radius; ++row) {
        for (int i = -rowExtent[row]; i <= rowExtent[row]; ++i) {
            plotGridPixel(i, row, colour);
            plotGridPixel(i, -row, colour);
        }
    }
    std::free(rowExtent);
}
