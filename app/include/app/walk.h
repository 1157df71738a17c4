// The midpoint walk, step by step, as a rasteriser makes it: midpoint-walk prints it and the
// explainer page reads it. Nothing here walks: the trace runs the rasteriser itself and watches
// it through the pixel seam (plotGridPixel) and the walk's watch points (walk_watch.h), so the
// states, moves and draws it shows are the code's own.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

enum class WalkFormat {
    // One line per state: step, x, y, d, F(M) = d + 1/4, the move, the draws made there and the
    // running total, then the draws themselves as runs along a row; a run drawn before is
    // marked "again". The extents' rows drawn after the walk follow, then the total.
    table,
    // The table with each state's lines of the rasterisers' source (walkSourceName) beside its
    // row, and the lines of the rows after the walk.
    tableWithLines,
    // {"mode": ..., "radius": ..., "steps": [{"x", "y", "d", "draws", "move", "fm", "midpoint",
    //  "lines"}, ...], "after": [[x, y], ...], "afterLines": [...], "decision": [...], "total": N}.
    // "move" is null on the last state; "fm" is F(M) = d + 1/4 and "midpoint" M = [x + 1, y - 1/2];
    // "lines" are the lines of the source that ran at the state (its draws, the comparison of d
    // and the branch its move took), "afterLines" those of the draws after the walk, and
    // "decision" the lines that compare d with 0, whichever way the walk goes.
    json,
    // The JSON with every list of draws empty, and the draws kept apart as numbers
    // (walkDrawsApart()): what the explainer page reads, which would otherwise parse a text of
    // some 350 KB at radius 100 on every walk.
    jsonDrawsApart,
};

// The rasterisers' source file, as the project names it ("app/rasterizers.cpp"), and its text,
// taken from the file when the program was built: the lines the trace names are its lines.
extern const char* const walkSourceName;
extern const char* const walkSourceText;

// The largest radius each format takes. The table tells second draws by one bit per pixel of the
// square around the circle (12.5 MB at 5000); the JSON lists every draw (3.1 million, 40 MB, in
// the filled modes at 1000).
constexpr int walkTableRadiusLimit = 5000;
constexpr int walkJsonRadiusLimit = 1000;
// The largest radius the explainer page offers, and its chart shows: at 3 CSS pixels a cell, its
// grid of 2r + 3 cells a side still fits a 1280 x 800 screen.
constexpr int walkPageRadiusLimit = 100;

// Runs the rasteriser of `mode` at `radius` (1 up to the format's limit) and writes its walk in
// `format`: to `sink` as it goes when one is given, else into the returned string. Returns the
// number of draws through `total`, as the demonstration would print it.
std::string traceWalk(int mode, int radius, WalkFormat format, std::FILE* sink, long long* total);

// The draws of the last trace in WalkFormat::jsonDrawsApart: `xy` holds x then y of each draw,
// in the order drawn; `starts` the index of the first draw of each state, then of the draws after
// the walk, then one past the last draw.
struct WalkDraws {
    std::vector<int> xy, starts;
};
const WalkDraws& walkDrawsApart();

// A state of the walk as the rasteriser reaches it: the point and the decision variable there.
struct WalkPoint {
    int x, y, d;
};

// The states the rasteriser of `mode` passes through at `radius` (1 or more), from its start to
// where it stops, as its watch points report them; its draws are counted into `total` when given.
std::vector<WalkPoint> walkStates(int mode, int radius, long long* total);
