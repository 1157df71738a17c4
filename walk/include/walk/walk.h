// The midpoint walk, step by step, as a rasteriser makes it: midpoint-walk prints it and the
// explainer page reads it. Nothing here walks: recordWalk runs the rasteriser itself and watches
// it through the pixel seam (plotGridPixel) and the walk's watch points (app/walk_watch.h), so the
// states, moves and draws it keeps are the code's own. It keeps them in one record, the last walk
// recorded, which the printers read and the page reads as arrays (walkRecordPart).
#pragma once

#include <cstddef>
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
};

// The rasterisers' source file, as the project names it ("app/rasterizers.cpp"), and its text,
// taken from the file when the program was built: the lines the trace names are its lines.
extern const char* const walkSourceName;
extern const char* const walkSourceText;

// The text midpoint-walk writes, its tables and its JSON alike (the variants' too): piece by piece,
// to `sink` as it grows when there is one, else kept until finish(). The JSON's layout, ", " and
// ": " between its parts, is the program's own, which a JSON library's output does not keep.
class WalkText {
public:
    explicit WalkText(std::FILE* sink = nullptr) : sink_(sink) {}
    void add(const char* piece, std::size_t length);
    void add(const char* piece);
    void add(long long n);
    [[gnu::format(printf, 2, 3)]] void write(const char* format, ...);
    // The text not yet written to the sink (all of it without one).
    std::string finish();

private:
    void flush();
    std::FILE* sink_;
    std::string text_;
};

// The largest radius each format takes. The table tells second draws by one bit per pixel of the
// square around the circle (12.5 MB at 5000); the JSON lists every draw (3.1 million, 40 MB, in
// the filled modes at 1000).
constexpr int walkTableRadiusLimit = 5000;
constexpr int walkJsonRadiusLimit = 1000;
// The largest radius the explainer page offers, and its chart shows: at 3 CSS pixels a cell, its
// grid of 2r + 3 cells a side still fits a 1280 x 800 screen.
constexpr int walkPageRadiusLimit = 100;

// Runs the rasteriser of `mode` at `radius` (1 or more) and keeps its walk as the record. Returns
// the number of draws, as the demonstration would print it.
long long recordWalk(int mode, int radius);

// Writes the walk last recorded in `format` (its radius within the format's limit): to `sink` as
// it goes when one is given, else into the returned string.
std::string printWalk(WalkFormat format, std::FILE* sink);

// recordWalk then printWalk; the number of draws goes to `total` when given.
std::string traceWalk(int mode, int radius, WalkFormat format, std::FILE* sink, long long* total);

// The record's parts, each a run of ints. A position is a state of the walk, in order, then one
// more for the draws after it (the extents' rows), which may have none.
enum class WalkPart {
    header,      // mode, radius, number of states, number of draws (up to 2^31 - 1)
    states,      // a state: walkStateFields ints, as WalkStateField names them
    lines,       // the source's lines run at each position, each position's in the file's order
    lineStarts,  // where each position's lines begin in `lines`, then one past the last
    decision,    // the lines that compare d with 0
    runs,        // the draws, in the order made, as runs: walkRunFields ints, as WalkRunField names
    runStarts,   // where each position's runs begin in `runs`, then one past the last
    afterRows,   // the rows drawn after the walk, in the order first drawn: |row|, its half-width
                 // (the widest |x| drawn there) and its draws, rows r and -r together
    code,        // lines of the source: the walk the modes share (the first and the last), then
                 // the function of the mode (its first line, the comment above included, and last)
};
enum WalkStateField {
    walkStateX, walkStateY, walkStateD,
    walkStateMove,       // 0 on the last state, 1 east (the row kept), 2 south-east (a row down)
    walkStateFmQuarters, // F(M) in quarters: 4 d + 1
    walkStateMidpointX,  // M = (x + 1, y - 1/2): x + 1,
    walkStateMidpointYHalves,  // and y - 1/2 in halves
    walkStateFields
};
// A run draws `count` pixels from (x, y): along the row, (x + k, y); or, `paired`, across the rows
// y and -y in turn: (x + k / 2, y) for an even k, (x + k / 2, -y) for an odd one.
enum WalkRunField { walkRunX, walkRunY, walkRunCount, walkRunPaired, walkRunFields };
struct WalkRecordPart {
    const int* data;
    std::size_t size;
};
WalkRecordPart walkRecordPart(WalkPart part);

// A state of the walk as the rasteriser reaches it: the point and the decision variable there.
struct WalkPoint {
    int x, y, d;
};

// The states the rasteriser of `mode` passes through at `radius` (1 or more), from its start to
// where it stops, as its watch points report them; its draws are counted into `total` when given.
// The draws themselves are counted, not kept: the record holds the states and nothing else.
std::vector<WalkPoint> walkStates(int mode, int radius, long long* total);
