#include "app/rasterizers.h"

#include <algorithm>
#include <cstdlib>

#include "app/grid_pixel.h"
#include "app/walk_watch.h"

// Nobody watches unless a program links its own (see walk_watch.h). The lines that act on a state
// note their own numbers, so that a watcher can show which of them ran.
[[gnu::weak]] void noteWalkState(int, int, int) {}
[[gnu::weak]] void noteWalkEnd() {}
[[gnu::weak]] void noteWalkDecision(int) {}
[[gnu::weak]] void noteWalkLine(int) {}

namespace {

// The midpoint walk's state. d is the circle function x^2 + y^2 - r^2 at the midpoint
// (x + 1, y - 1/2) ahead, less 1/4 so that it stays an integer: d < 0 exactly when that
// midpoint lies strictly inside the circle.
struct Walk {
    int x, y, d;
};

Walk startWalk(int radius) {
    const Walk walk{0, radius, 1 - radius};
    noteWalkState(walk.x, walk.y, walk.d);
    return walk;
}

// Whether the walk takes another step: it stops at the first point on or past the diagonal.
bool walkGoesOn(const Walk& walk) {
    if (walk.y > walk.x) return true;
    noteWalkEnd();
    return false;
}

// One step, one column to the east: the midpoint inside (d < 0) keeps the row, otherwise the walk
// drops a row. Both updates of d are the exact change of the circle function from one midpoint to
// the next. Returns whether y dropped.
bool stepWalk(Walk& walk) {
    const bool down = walk.d >= 0; noteWalkDecision(__LINE__);
    if (down) {
        walk.d += 2 * (walk.x - walk.y) + 5; noteWalkLine(__LINE__);
        --walk.y; noteWalkLine(__LINE__);
    } else {
        walk.d += 2 * walk.x + 3; noteWalkLine(__LINE__);
    }
    ++walk.x;
    noteWalkState(walk.x, walk.y, walk.d);
    return down;
}

}  // namespace

void rasterizeCircle(int mode, const Color* colour, int radius) {
    switch (mode) {
        case circleOutlineMode: midpointCircleOutline(colour, radius); break;
        case circleSpansMode: midpointDiskSpans(colour, radius); break;
        case circleExtentsMode: midpointDiskExtents(colour, radius); break;
        default: break;
    }
}

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

void plotRowPair(int halfWidth, int row, const Color* colour) {
    for (int i = -halfWidth; i <= halfWidth; ++i) {
        plotGridPixel(i, row, colour);
        plotGridPixel(i, -row, colour);
    }
}

void midpointCircleOutline(const Color* colour, int radius) {
    if (radius < 1) return;
    Walk walk = startWalk(radius);
    plotAxisPoints(0, radius, colour); noteWalkLine(__LINE__);
    while (walkGoesOn(walk)) {
        stepWalk(walk);
        // Axis and diagonal points have their own four-point plots, and the point one past the
        // diagonal mirrors one already drawn: each outline pixel is drawn once.
        if (walk.x == walk.y) {
            plotDiagonalPoints(walk.x, colour); noteWalkLine(__LINE__);
        } else if (walk.y > walk.x) {
            plotOctantPoints(walk.x, walk.y, colour); noteWalkLine(__LINE__);
        }
    }
}

void midpointDiskSpans(const Color* colour, int radius) {
    if (radius < 1) return;
    Walk walk = startWalk(radius);
    plotRowSpan(radius, 0, colour); noteWalkLine(__LINE__);
    while (walkGoesOn(walk)) {
        const int oldX = walk.x, oldY = walk.y;
        if (stepWalk(walk)) {
            // Rows +-y are left behind at the half-width reached so far.
            plotRowSpan(oldX, oldY, colour); noteWalkLine(__LINE__);
            plotRowSpan(oldX, -oldY, colour); noteWalkLine(__LINE__);
        }
        plotRowSpan(walk.y, walk.x, colour); noteWalkLine(__LINE__);
        plotRowSpan(walk.y, -walk.x, colour); noteWalkLine(__LINE__);
    }
}

void midpointDiskExtents(const Color* colour, int radius) {
    if (radius < 1) return;
    int* rowExtent = static_cast<int*>(std::calloc(static_cast<std::size_t>(radius) + 1, sizeof(int)));
    if (rowExtent == nullptr) return;  // nothing drawn this pass; the next one tries again
    Walk walk = startWalk(radius);
    rowExtent[walk.y] = walk.x; noteWalkLine(__LINE__);
    rowExtent[walk.x] = walk.y; noteWalkLine(__LINE__);
    while (walkGoesOn(walk)) {
        stepWalk(walk);
        // Each point and its mirror across the diagonal offer their width; rows keep the widest.
        rowExtent[walk.y] = std::max(rowExtent[walk.y], walk.x); noteWalkLine(__LINE__);
        rowExtent[walk.x] = std::max(rowExtent[walk.x], walk.y); noteWalkLine(__LINE__);
    }
    plotRowSpan(rowExtent[0], 0, colour); noteWalkLine(__LINE__);
    for (int row = 1; row <= radius; ++row) {
        plotRowPair(rowExtent[row], row, colour); noteWalkLine(__LINE__);
    }
    std::free(rowExtent);
}
