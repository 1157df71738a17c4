#include "app/walk.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "app/walk_watch.h"

namespace {

// Draws (x0..x1, y), made one after another in that order.
struct Run {
    int y, x0, x1;
    bool again;  // some of its pixels were drawn before
};

// A row drawn after the walk, rows r and -r together.
struct AfterRow {
    int row, halfWidth;
    long long draws;
};

// The trace being written, or the states being kept (walkStates). Only one runs at a time: the
// watch points are plain functions.
bool keepingStates = false;
std::vector<WalkPoint> keptStates;
WalkFormat format = WalkFormat::table;
std::FILE* sink = nullptr;
std::string text;
int radius = 0;
long long total = 0;
bool ended = false;
long long step = -1;  // the state whose draws are coming in; -1 before the first
int stateX = 0, stateY = 0, stateD = 0;
long long stateDraws = 0;
bool firstDrawOfList = true;
std::vector<Run> runs;               // table: this state's draws
std::vector<std::uint8_t> drawnBits;  // table: one bit per pixel of the square |x|, |y| <= r
std::vector<AfterRow> afterRows;      // table: in the order first drawn
std::vector<int> afterRowIndex;       // table: |row| -> index into afterRows, or -1
std::vector<int> stateLines;          // the source lines run at this state, in the order first run
std::vector<int> afterLines;          // those run after the walk
std::vector<int> decisionLines;       // those that compare d with 0
WalkDraws drawsApart;                 // jsonDrawsApart: the draws

bool json() { return format == WalkFormat::json || format == WalkFormat::jsonDrawsApart; }
// Where the draws to come begin, when they are kept apart.
void startDraws() {
    if (format == WalkFormat::jsonDrawsApart) drawsApart.starts.push_back(static_cast<int>(drawsApart.xy.size() / 2));
}

// Adds `line` to `lines` once: a line runs many times in a state (the extents' rows) or a walk.
void addLine(std::vector<int>& lines, int line) {
    for (int l : lines) {
        if (l == line) return;
    }
    lines.push_back(line);
}

void add(const char* piece, std::size_t length) {
    text.append(piece, length);
    if (sink != nullptr && text.size() > (1u << 16)) {
        std::fwrite(text.data(), 1, text.size(), sink);
        text.clear();
    }
}

void write(const char* format, ...) __attribute__((format(printf, 1, 2)));

void write(const char* fmt, ...) {
    char line[256];
    std::va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    add(line, static_cast<std::size_t>(n < 0 ? 0 : n < 256 ? n : 255));
}

// The JSON, and the lists of lines, are written piece by piece, not through printf: in the
// browser's build, printf (compiling it, then running it) took half of the explainer's first walk.
void add(const char* piece) { add(piece, std::strlen(piece)); }
void add(long long n) {
    char digits[24];
    add(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
}

// In the order of the file, which is how a reader finds them.
void writeLines(std::vector<int> lines, const char* separator) {
    std::sort(lines.begin(), lines.end());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) add(separator);
        add(lines[i]);
    }
}

// Whether (x, y) was drawn before; marks it drawn.
bool drawnBefore(int x, int y) {
    const std::size_t side = 2 * static_cast<std::size_t>(radius) + 1;
    const std::size_t bit = static_cast<std::size_t>(y + radius) * side + static_cast<std::size_t>(x + radius);
    const std::uint8_t mask = static_cast<std::uint8_t>(1u << (bit % 8));
    const bool before = drawnBits[bit / 8] & mask;
    drawnBits[bit / 8] = static_cast<std::uint8_t>(drawnBits[bit / 8] | mask);
    return before;
}

// The width of the table's x, y and d columns at this radius.
int numberWidth() { return radius < 10 ? 2 : radius < 1000 ? 4 : 6; }

// F(M) = d + 1/4 and the midpoint's y - 1/2 are quarters and halves: written exactly from
// integers, with two decimals and one, as printf's %.2f and %.1f would.
struct Decimal {
    char text[32];
};
Decimal fixedPoint(long long n, unsigned parts) {
    const unsigned long long size = n < 0 ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    Decimal out{};  // zeros: the text ends where the digits do
    char* at = out.text;
    if (n < 0) *at++ = '-';
    at = std::to_chars(at, out.text + sizeof out.text, size / parts).ptr;
    *at++ = '.';
    const unsigned hundredths = static_cast<unsigned>(size % parts) * 100 / parts;
    *at++ = static_cast<char>('0' + hundredths / 10);
    if (parts == 4) *at = static_cast<char>('0' + hundredths % 10);
    return out;
}
Decimal fm() { return fixedPoint(4LL * stateD + 1, 4); }

// F(M), the circle function at the midpoint, is d + 1/4: written exactly, as a decimal.
void writeStateNumbers() {
    const int width = numberWidth();
    write("%5lld %*d %*d %*d %*s", step, width, stateX, width, stateY, width + 1, stateD, width + 4, fm().text);
}

void writeRuns() {
    for (const Run& run : runs) {
        if (run.x0 == run.x1) {
            write(" (%d, %d)", run.x0, run.y);
        } else {
            write(" (%d..%d, %d)", run.x0, run.x1, run.y);
        }
        if (run.again) write(" again");
    }
}

// The state whose draws have all come in is written, with the move the walk took from it: east
// when it kept its row, south-east when it dropped one; none on the last.
void finishState(const char* move) {
    if (step < 0) return;
    if (json()) {
        add(move ? "], \"move\": \"" : "], \"move\": null");
        if (move) add(move), add("\"");
        add(", \"fm\": "), add(fm().text);
        add(", \"midpoint\": ["), add(stateX + 1), add(", "), add(fixedPoint(2LL * stateY - 1, 2).text);
        add("], \"lines\": [");
        writeLines(stateLines, ", ");
        add("]}");
        return;
    }
    writeStateNumbers();
    write("  %-4s %6lld %9lld ", move ? move : "-", stateDraws, total);
    writeRuns();
    if (format == WalkFormat::tableWithLines) {
        write("  | lines ");
        writeLines(stateLines, " ");
    }
    write("\n");
}

void startTrace(int mode) {
    total = 0;
    ended = false;
    step = -1;
    runs.clear();
    afterRows.clear();
    stateLines.clear();
    afterLines.clear();
    decisionLines.clear();
    drawsApart.xy.clear();
    drawsApart.starts.clear();
    if (json()) {
        write("{\"mode\": \"%s\", \"radius\": %d, \"steps\": [", circleModeNames[mode], radius);
        return;
    }
    const std::size_t side = 2 * static_cast<std::size_t>(radius) + 1;
    drawnBits.assign((side * side + 7) / 8, 0);
    afterRowIndex.assign(static_cast<std::size_t>(radius) + 1, -1);
    write("midpoint walk: %s, radius %d\n", circleModeNames[mode], radius);
    const int width = numberWidth();
    write("%5s %*s %*s %*s %*s  %-4s %6s %9s  %s%s%s\n", "step", width, "x", width, "y", width + 1, "d", width + 4,
          "F(M)", "move", "draws", "total", "drawn", format == WalkFormat::tableWithLines ? "  | lines of " : "",
          format == WalkFormat::tableWithLines ? walkSourceName : "");
}

void finishTrace() {
    startDraws();
    if (json()) {
        write("], \"afterLines\": [");
        writeLines(afterLines, ", ");
        write("], \"decision\": [");
        writeLines(decisionLines, ", ");
        write("], \"total\": %lld}\n", total);
        return;
    }
    if (!afterRows.empty()) {
        write("after the walk, the rows from the collected half-widths");
        if (format == WalkFormat::tableWithLines) {
            write(" (lines ");
            writeLines(afterLines, " ");
            write(")");
        }
        write(":\n");
        write("%5s %10s %6s %9s\n", "row", "half-width", "draws", "total");
        long long sum = total;
        for (auto row = afterRows.rbegin(); row != afterRows.rend(); ++row) sum -= row->draws;
        for (const AfterRow& row : afterRows) {
            sum += row.draws;
            char name[16];
            std::snprintf(name, sizeof name, row.row == 0 ? "%d" : "+-%d", row.row);
            write("%5s %10d %6lld %9lld\n", name, row.halfWidth, row.draws, sum);
        }
    }
    write("total %lld\n", total);
}

}  // namespace

void noteWalkState(int x, int y, int d) {
    if (keepingStates) {
        keptStates.push_back({x, y, d});
        return;
    }
    finishState(step < 0 ? nullptr : y < stateY ? "SE" : "E");
    ++step;
    stateX = x, stateY = y, stateD = d;
    stateDraws = 0;
    runs.clear();
    stateLines.clear();
    startDraws();
    if (json()) {
        add(step == 0 ? "{\"x\": " : ", {\"x\": "), add(x), add(", \"y\": "), add(y), add(", \"d\": "), add(d);
        add(", \"draws\": [");
        firstDrawOfList = true;
    }
}

void noteWalkEnd() {
    if (keepingStates) return;
    finishState(nullptr);
    ended = true;
    startDraws();
    if (json()) {
        write("], \"after\": [");
        firstDrawOfList = true;
    }
}

void noteWalkLine(int line) {
    if (keepingStates || step < 0) return;
    addLine(ended ? afterLines : stateLines, line);
}

void noteWalkDecision(int line) {
    if (keepingStates) return;
    addLine(decisionLines, line);
    noteWalkLine(line);
}

namespace {

// A draw written into the trace. Apart from plotGridPixel, so that counting a draw (walkStates)
// does not pay for the frame of what writes one.
[[gnu::noinline]] void traceDraw(int x, int y) {
    if (format == WalkFormat::jsonDrawsApart) {
        drawsApart.xy.push_back(x), drawsApart.xy.push_back(y);
        return;
    }
    if (json()) {
        add(firstDrawOfList ? "[" : ", ["), add(x), add(", "), add(y), add("]");
        firstDrawOfList = false;
        return;
    }
    if (ended) {
        const std::size_t row = static_cast<std::size_t>(std::abs(y));
        if (afterRowIndex[row] < 0) {
            afterRowIndex[row] = static_cast<int>(afterRows.size());
            afterRows.push_back({static_cast<int>(row), 0, 0});
        }
        AfterRow& after = afterRows[static_cast<std::size_t>(afterRowIndex[row])];
        if (std::abs(x) > after.halfWidth) after.halfWidth = std::abs(x);
        ++after.draws;
        return;
    }
    ++stateDraws;
    const bool again = drawnBefore(x, y);
    if (!runs.empty() && runs.back().y == y && runs.back().x1 + 1 == x) {
        runs.back().x1 = x;
        runs.back().again = runs.back().again || again;
    } else {
        runs.push_back({y, x, x, again});
    }
}


}  // namespace

void plotGridPixel(int x, int y, const Color*) {
    ++total;
    if (!keepingStates) traceDraw(x, y);
}

std::string traceWalk(int mode, int walkRadius, WalkFormat walkFormat, std::FILE* walkSink, long long* drawCount) {
    format = walkFormat;
    sink = walkSink;
    radius = walkRadius;
    text.clear();
    startTrace(mode);
    rasterizeCircle(mode, nullptr, radius);
    finishTrace();
    if (sink != nullptr) {
        std::fwrite(text.data(), 1, text.size(), sink);
        text.clear();
    }
    drawnBits = {};
    if (drawCount != nullptr) *drawCount = total;
    return std::move(text);
}

const WalkDraws& walkDrawsApart() { return drawsApart; }

std::vector<WalkPoint> walkStates(int mode, int walkRadius, long long* drawCount) {
    keepingStates = true;
    keptStates.clear();
    keptStates.reserve(static_cast<std::size_t>(walkRadius) * 3 / 4 + 2);  // the walk covers r / sqrt(2) columns
    total = 0;
    rasterizeCircle(mode, nullptr, walkRadius);
    keepingStates = false;
    if (drawCount != nullptr) *drawCount = total;
    return std::move(keptStates);
}
