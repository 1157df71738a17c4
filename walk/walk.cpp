#include "walk/walk.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/grid_pixel.h"
#include "app/modes.h"
#include "app/rasterizers.h"
#include "app/walk_watch.h"

namespace {

// The last walk recorded: all that the watch points and the pixel seam report, as walk.h lays it
// out. Only one walk runs at a time: the watch points are plain functions.
struct WalkRecord {
    bool listing = true;  // its draws and lines kept; walkStates counts the draws alone
    int header[4] = {};
    std::vector<int> states, lines, lineStarts, decision, runs, runStarts, afterRows;
    int code[4] = {};
    long long total = 0;
    bool ended = false;              // the walk has stopped: draws now are the rows after it
    std::vector<int> afterRowIndex;  // |row| -> its index in afterRows, or -1
};
WalkRecord walk;

int* lastState() { return walk.states.data() + walk.states.size() - walkStateFields; }

// A position's lines are kept in the file's order, which is how a reader finds them.
void finishPosition() {
    if (walk.listing) std::sort(walk.lines.begin() + walk.lineStarts.back(), walk.lines.end());
}

void startPosition() {
    if (!walk.listing) return;
    walk.lineStarts.push_back(static_cast<int>(walk.lines.size()));
    walk.runStarts.push_back(static_cast<int>(walk.runs.size() / walkRunFields));
}

void endWalk() {
    if (!walk.states.empty()) finishPosition();
    walk.ended = true;
    startPosition();
}

// Adds `line` once: a line runs many times in a position (the extents' rows) or a walk.
void addLine(std::vector<int>& lines, std::size_t from, int line) {
    if (std::find(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), line) == lines.end()) lines.push_back(line);
}

// A draw joins the run before it when it goes on with it, so that a row of 2r + 1 draws, or the
// extents' pair of rows, is one run.
void addDraw(int x, int y) {
    if (walk.ended) {
        const std::size_t row = static_cast<std::size_t>(std::abs(y));
        if (row >= walk.afterRowIndex.size()) walk.afterRowIndex.resize(row + 1, -1);
        if (walk.afterRowIndex[row] < 0) {
            walk.afterRowIndex[row] = static_cast<int>(walk.afterRows.size() / 3);
            walk.afterRows.insert(walk.afterRows.end(), {static_cast<int>(row), 0, 0});
        }
        int* after = walk.afterRows.data() + 3 * walk.afterRowIndex[row];
        after[1] = std::max(after[1], std::abs(x));
        ++after[2];
    }
    if (walk.runs.size() / walkRunFields > static_cast<std::size_t>(walk.runStarts.back())) {
        int* run = walk.runs.data() + walk.runs.size() - walkRunFields;
        int& n = run[walkRunCount];
        if (run[walkRunPaired]) {
            if (x == run[walkRunX] + n / 2 && y == (n % 2 ? -run[walkRunY] : run[walkRunY])) return void(++n);
        } else if (y == run[walkRunY] && x == run[walkRunX] + n) {
            return void(++n);
        } else if (n == 1 && x == run[walkRunX] && y == -run[walkRunY] && y != 0) {
            run[walkRunPaired] = 1;
            return void(n = 2);
        }
    }
    walk.runs.insert(walk.runs.end(), {x, y, 1, 0});
}

// The draws of position `p`, one by one, in the order made.
template <typename Draw>
void forEachDraw(std::size_t p, Draw draw) {
    for (int i = walk.runStarts[p]; i < walk.runStarts[p + 1]; ++i) {
        const int* run = walk.runs.data() + static_cast<std::size_t>(i) * walkRunFields;
        for (int k = 0; k < run[walkRunCount]; ++k) {
            if (run[walkRunPaired]) draw(run[walkRunX] + k / 2, k % 2 ? -run[walkRunY] : run[walkRunY]);
            else draw(run[walkRunX] + k, run[walkRunY]);
        }
    }
}

// The source's lines, counted from 1.
std::vector<std::string> sourceLines() {
    std::vector<std::string> lines{""};
    for (const char* at = walkSourceText;; ++at) {
        const char* end = std::strchr(at, '\n');
        lines.emplace_back(at, end ? static_cast<std::size_t>(end - at) : std::strlen(at));
        if (!end) return lines;
        at = end;
    }
}

// The walk the modes share: the unnamed namespace's insides, without the blank lines at its ends.
// The mode's function: the block at the file's top level around a line it ran, from the comment
// above its first line to the lone "}" that closes it.
void findCode() {
    static const std::vector<std::string> source = sourceLines();
    static const std::pair<int, int> shared = [] {
        const auto blank = [](const std::string& l) { return l.find_first_not_of(" \t\r") == std::string::npos; };
        int first = static_cast<int>(std::find(source.begin(), source.end(), "namespace {") - source.begin()) + 1;
        int last = first;
        const auto closes = [](const std::string& l) { return l.rfind('}', 0) == 0 && l.find("// namespace") != std::string::npos; };
        while (last < static_cast<int>(source.size()) && !closes(source[static_cast<std::size_t>(last)])) ++last;
        --last;
        while (first < last && blank(source[static_cast<std::size_t>(first)])) ++first;
        while (last > first && blank(source[static_cast<std::size_t>(last)])) --last;
        return std::pair{first, last};
    }();
    walk.code[0] = shared.first, walk.code[1] = shared.second, walk.code[2] = walk.code[3] = 0;
    if (walk.lineStarts.size() < 2) return;
    int own = 0;
    for (int i = walk.lineStarts[0]; i < walk.lineStarts[1] && !own; ++i) {
        const int line = walk.lines[static_cast<std::size_t>(i)];
        if (line < shared.first || line > shared.second) own = line;
    }
    if (!own) return;
    const auto at = [](int n) -> const std::string& { return source[static_cast<std::size_t>(n)]; };
    int first = own, last = own;
    while (first > 1 && !std::isalpha(static_cast<unsigned char>(at(first)[0]))) --first;
    while (first > 1 && at(first - 1).rfind("//", 0) == 0) --first;
    while (last < static_cast<int>(source.size()) - 1 && at(last) != "}" && at(last) != "};") ++last;
    walk.code[2] = first, walk.code[3] = last;
}

// The lines of position `p`, or of [from, to), in the file's order.
void addLines(WalkText& out, const int* from, const int* to, const char* separator) {
    for (const int* l = from; l != to; ++l) {
        if (l != from) out.add(separator);
        out.add(*l);
    }
}
void addLines(WalkText& out, std::size_t p, const char* separator) {
    addLines(out, walk.lines.data() + walk.lineStarts[p], walk.lines.data() + walk.lineStarts[p + 1], separator);
}

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

const char* const moveNames[] = {nullptr, "E", "SE"};

std::size_t stateCount() { return walk.states.size() / walkStateFields; }
const int* state(std::size_t p) { return walk.states.data() + p * walkStateFields; }

void printJson(WalkText& out) {
    const int radius = walk.header[1];
    out.write("{\"mode\": \"%s\", \"radius\": %d, \"steps\": [", circleModeNames[walk.header[0]], radius);
    const auto draws = [&](std::size_t p) {
        bool first = true;
        forEachDraw(p, [&](int x, int y) {
            out.add(first ? "[" : ", ["), out.add(x), out.add(", "), out.add(y), out.add("]");
            first = false;
        });
    };
    for (std::size_t p = 0; p < stateCount(); ++p) {
        const int* s = state(p);
        const char* move = moveNames[s[walkStateMove]];
        out.add(p == 0 ? "{\"x\": " : ", {\"x\": "), out.add(s[walkStateX]), out.add(", \"y\": "), out.add(s[walkStateY]);
        out.add(", \"d\": "), out.add(s[walkStateD]), out.add(", \"draws\": [");
        draws(p);
        out.add(move ? "], \"move\": \"" : "], \"move\": null");
        if (move) out.add(move), out.add("\"");
        out.add(", \"fm\": "), out.add(fixedPoint(s[walkStateFmQuarters], 4).text);
        out.add(", \"midpoint\": ["), out.add(s[walkStateMidpointX]), out.add(", "), out.add(fixedPoint(s[walkStateMidpointYHalves], 2).text);
        out.add("], \"lines\": [");
        addLines(out, p, ", ");
        out.add("]}");
    }
    out.write("], \"after\": [");
    draws(stateCount());
    out.write("], \"afterLines\": [");
    addLines(out, stateCount(), ", ");
    out.write("], \"decision\": [");
    addLines(out, walk.decision.data(), walk.decision.data() + walk.decision.size(), ", ");
    out.write("], \"total\": %lld}\n", walk.total);
}

void printTable(WalkText& out, bool withLines) {
    const int radius = walk.header[1];
    const int width = radius < 10 ? 2 : radius < 1000 ? 4 : 6;  // of the x, y and d columns
    out.write("midpoint walk: %s, radius %d\n", circleModeNames[walk.header[0]], radius);
    out.write("%5s %*s %*s %*s %*s  %-4s %6s %9s  %s%s%s\n", "step", width, "x", width, "y", width + 1, "d", width + 4,
              "F(M)", "move", "draws", "total", "drawn", withLines ? "  | lines of " : "", withLines ? walkSourceName : "");
    // Whether a pixel of the square |x|, |y| <= r was drawn before, one bit each.
    const std::size_t side = 2 * static_cast<std::size_t>(radius) + 1;
    std::vector<std::uint8_t> drawnBits((side * side + 7) / 8, 0);
    const auto drawnBefore = [&](int x, int y) {
        const std::size_t bit = static_cast<std::size_t>(y + radius) * side + static_cast<std::size_t>(x + radius);
        const std::uint8_t mask = static_cast<std::uint8_t>(1u << (bit % 8));
        const bool before = drawnBits[bit / 8] & mask;
        drawnBits[bit / 8] = static_cast<std::uint8_t>(drawnBits[bit / 8] | mask);
        return before;
    };
    // Draws (x0..x1, y), made one after another in that order, some drawn before or none.
    struct Run {
        int y, x0, x1;
        bool again;
    };
    std::vector<Run> runs;
    long long total = 0;
    for (std::size_t p = 0; p < stateCount(); ++p) {
        const int* s = state(p);
        runs.clear();
        long long draws = 0;
        forEachDraw(p, [&](int x, int y) {
            ++draws;
            const bool again = drawnBefore(x, y);
            if (!runs.empty() && runs.back().y == y && runs.back().x1 + 1 == x) {
                runs.back().x1 = x;
                runs.back().again = runs.back().again || again;
            } else {
                runs.push_back({y, x, x, again});
            }
        });
        total += draws;
        const char* move = moveNames[s[walkStateMove]];
        out.write("%5lld %*d %*d %*d %*s", static_cast<long long>(p), width, s[walkStateX], width, s[walkStateY], width + 1,
                  s[walkStateD], width + 4, fixedPoint(s[walkStateFmQuarters], 4).text);
        out.write("  %-4s %6lld %9lld ", move ? move : "-", draws, total);
        for (const Run& run : runs) {
            if (run.x0 == run.x1) out.write(" (%d, %d)", run.x0, run.y);
            else out.write(" (%d..%d, %d)", run.x0, run.x1, run.y);
            if (run.again) out.write(" again");
        }
        if (withLines) {
            out.write("  | lines ");
            addLines(out, p, " ");
        }
        out.write("\n");
    }
    if (!walk.afterRows.empty()) {
        out.write("after the walk, the rows from the collected half-widths");
        if (withLines) {
            out.write(" (lines ");
            addLines(out, stateCount(), " ");
            out.write(")");
        }
        out.write(":\n");
        out.write("%5s %10s %6s %9s\n", "row", "half-width", "draws", "total");
        for (std::size_t i = 0; i < walk.afterRows.size(); i += 3) {
            const int* row = walk.afterRows.data() + i;
            total += row[2];
            char name[16];
            std::snprintf(name, sizeof name, row[0] == 0 ? "%d" : "+-%d", row[0]);
            out.write("%5s %10d %6d %9lld\n", name, row[1], row[2], total);
        }
    }
    out.write("total %lld\n", walk.total);
}

long long record(int mode, int radius, bool listing) {
    walk.listing = listing;
    walk.header[0] = mode, walk.header[1] = radius;
    walk.states.clear();
    walk.states.reserve(static_cast<std::size_t>(radius) * 3 / 4 * walkStateFields + 2 * walkStateFields);  // r / sqrt(2) columns
    for (auto* part : {&walk.lines, &walk.lineStarts, &walk.decision, &walk.runs, &walk.runStarts, &walk.afterRows}) part->clear();
    walk.afterRowIndex.assign(static_cast<std::size_t>(radius) + 1, -1);
    walk.total = 0;
    walk.ended = false;
    rasterizeCircle(mode, nullptr, radius);
    if (!walk.ended) endWalk();
    if (listing) {
        finishPosition();
        std::sort(walk.decision.begin(), walk.decision.end());
        startPosition();  // one past the last
        findCode();
    }
    walk.header[2] = static_cast<int>(stateCount());
    walk.header[3] = static_cast<int>(std::min<long long>(walk.total, INT_MAX));
    return walk.total;
}

}  // namespace

void noteWalkState(int x, int y, int d) {
    if (!walk.states.empty()) {
        lastState()[walkStateMove] = y < lastState()[walkStateY] ? 2 : 1;
        finishPosition();
    }
    walk.states.insert(walk.states.end(), {x, y, d, 0, 4 * d + 1, x + 1, 2 * y - 1});
    startPosition();
}

void noteWalkEnd() { endWalk(); }

void noteWalkLine(int line) {
    if (!walk.listing || walk.states.empty()) return;
    addLine(walk.lines, static_cast<std::size_t>(walk.lineStarts.back()), line);
}

void noteWalkDecision(int line) {
    if (!walk.listing) return;
    addLine(walk.decision, 0, line);
    noteWalkLine(line);
}

void plotGridPixel(int x, int y, const Color*) {
    ++walk.total;
    if (walk.listing && !walk.runStarts.empty()) addDraw(x, y);
}

void WalkText::add(const char* piece, std::size_t length) {
    text_.append(piece, length);
    if (sink_ != nullptr && text_.size() > (1u << 16)) flush();
}

// The JSON, and the lists of lines, are written piece by piece, not through printf (see
// docs/performance.md).
void WalkText::add(const char* piece) { add(piece, std::strlen(piece)); }

void WalkText::add(long long n) {
    char digits[24];
    add(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
}

void WalkText::write(const char* format, ...) {
    char line[256];
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    add(line, static_cast<std::size_t>(n < 0 ? 0 : n < 256 ? n : 255));
}

std::string WalkText::finish() {
    if (sink_ != nullptr) flush();
    return std::move(text_);
}

void WalkText::flush() {
    std::fwrite(text_.data(), 1, text_.size(), sink_);
    text_.clear();
}

long long recordWalk(int mode, int radius) { return record(mode, radius, true); }

std::string printWalk(WalkFormat format, std::FILE* sink) {
    WalkText out(sink);
    if (format == WalkFormat::json) printJson(out);
    else printTable(out, format == WalkFormat::tableWithLines);
    return out.finish();
}

std::string traceWalk(int mode, int radius, WalkFormat format, std::FILE* sink, long long* total) {
    const long long draws = recordWalk(mode, radius);
    if (total != nullptr) *total = draws;
    return printWalk(format, sink);
}

WalkRecordPart walkRecordPart(WalkPart part) {
    const auto of = [](const std::vector<int>& v) { return WalkRecordPart{v.data(), v.size()}; };
    switch (part) {
        case WalkPart::header: return {walk.header, 4};
        case WalkPart::states: return of(walk.states);
        case WalkPart::lines: return of(walk.lines);
        case WalkPart::lineStarts: return of(walk.lineStarts);
        case WalkPart::decision: return of(walk.decision);
        case WalkPart::runs: return of(walk.runs);
        case WalkPart::runStarts: return of(walk.runStarts);
        case WalkPart::afterRows: return of(walk.afterRows);
        case WalkPart::code: return {walk.code, 4};
    }
    return {nullptr, 0};
}

std::vector<WalkPoint> walkStates(int mode, int radius, long long* total) {
    const long long draws = record(mode, radius, false);
    if (total != nullptr) *total = draws;
    std::vector<WalkPoint> points(stateCount());
    for (std::size_t p = 0; p < points.size(); ++p) points[p] = {state(p)[walkStateX], state(p)[walkStateY], state(p)[walkStateD]};
    return points;
}
