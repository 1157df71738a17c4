// The trace against the rasteriser it watches. This binary is linked with --wrap=plotGridPixel:
// every draw the rasterisers make passes through the recorder below on its way to the trace's
// own plotGridPixel, so the draws the trace lists can be held against the draws actually made.
// The states are held against the circle model's closed form, the lines it names against the
// source file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "app/walk.h"
#include "support/circle_model.h"

// The linker's names for plotGridPixel's wrapper and for the trace's own definition.
void wrappedPlot(int x, int y, const Color* colour) __asm__("__wrap__Z13plotGridPixeliiPK5Color");
void tracesPlot(int x, int y, const Color* colour) __asm__("__real__Z13plotGridPixeliiPK5Color");

namespace {

std::vector<model::Pixel> made;

struct State {
    int x, y, d;
    std::string move;
    std::vector<model::Pixel> draws;
    double fm, midpointX, midpointY;
    std::vector<int> lines;
};

struct Trace {
    std::vector<State> steps;
    std::vector<model::Pixel> after;
    std::vector<int> afterLines, decision;
    long long total = -1;
};

// Just enough of a reader for the trace's own JSON: fails the test on anything unexpected.
class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}
    void expect(const std::string& literal) {
        skipSpace();
        if (s_.compare(at_, literal.size(), literal) != 0) {
            ADD_FAILURE() << "expected " << literal << " at " << at_ << ": " << s_.substr(at_, 40);
            at_ = s_.size();
            return;
        }
        at_ += literal.size();
    }
    bool take(char c) {
        skipSpace();
        if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
        return false;
    }
    long long number() {
        skipSpace();
        char* end = nullptr;
        const long long n = std::strtoll(s_.c_str() + at_, &end, 10);
        if (end == s_.c_str() + at_) ADD_FAILURE() << "expected a number at " << at_;
        at_ = static_cast<std::size_t>(end - s_.c_str());
        return n;
    }
    double decimal() {
        skipSpace();
        char* end = nullptr;
        const double n = std::strtod(s_.c_str() + at_, &end);
        if (end == s_.c_str() + at_) ADD_FAILURE() << "expected a number at " << at_;
        at_ = static_cast<std::size_t>(end - s_.c_str());
        return n;
    }
    std::vector<int> numbers() {
        std::vector<int> list;
        expect("[");
        if (take(']')) return list;
        do list.push_back(static_cast<int>(number()));
        while (take(','));
        expect("]");
        return list;
    }
    std::string word() {
        skipSpace();
        if (take('"')) {
            const std::size_t end = s_.find('"', at_);
            std::string w = s_.substr(at_, end - at_);
            at_ = end + 1;
            return w;
        }
        expect("null");
        return "null";
    }
    std::vector<model::Pixel> pixels() {
        std::vector<model::Pixel> list;
        expect("[");
        if (take(']')) return list;
        do {
            expect("[");
            const int x = static_cast<int>(number());
            expect(",");
            list.push_back({x, static_cast<int>(number())});
            expect("]");
        } while (take(','));
        expect("]");
        return list;
    }
    bool atEnd() {
        skipSpace();
        return at_ == s_.size();
    }

private:
    void skipSpace() {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\n')) ++at_;
    }
    const std::string& s_;
    std::size_t at_ = 0;
};

Trace read(const std::string& json, int mode, int radius) {
    Trace t;
    Reader in(json);
    in.expect("{\"mode\": \"" + std::string(circleModeNames[mode]) + "\", \"radius\": " + std::to_string(radius) +
              ", \"steps\": [");
    if (!in.take(']')) {
        do {
            State s;
            in.expect("{\"x\":");
            s.x = static_cast<int>(in.number());
            in.expect(", \"y\":");
            s.y = static_cast<int>(in.number());
            in.expect(", \"d\":");
            s.d = static_cast<int>(in.number());
            in.expect(", \"draws\":");
            s.draws = in.pixels();
            in.expect(", \"move\":");
            s.move = in.word();
            in.expect(", \"fm\":");
            s.fm = in.decimal();
            in.expect(", \"midpoint\": [");
            s.midpointX = in.decimal();
            in.expect(",");
            s.midpointY = in.decimal();
            in.expect("], \"lines\":");
            s.lines = in.numbers();
            in.expect("}");
            t.steps.push_back(s);
        } while (in.take(','));
        in.expect("]");
    }
    in.expect(", \"after\":");
    t.after = in.pixels();
    in.expect(", \"afterLines\":");
    t.afterLines = in.numbers();
    in.expect(", \"decision\":");
    t.decision = in.numbers();
    in.expect(", \"total\":");
    t.total = in.number();
    in.expect("}");
    EXPECT_TRUE(in.atEnd());
    return t;
}

// The rasterisers' source, read here from the file itself.
std::vector<std::string> sourceLines() {
    std::ifstream file(RASTERIZERS_SOURCE);
    std::vector<std::string> lines{""};  // lines count from 1
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The lines the trace names, read in the file: the comparison of d at every state that moves,
// the branch of the model's move and not the other, a line that draws wherever the state draws.
void checkLines(const Trace& t) {
    static const std::vector<std::string> source = sourceLines();
    const auto has = [&](const std::vector<int>& lines, const char* text) {
        for (int line : lines) {
            if (line < 1 || line >= static_cast<int>(source.size())) ADD_FAILURE() << "line " << line << " is not in the file";
            else if (source[static_cast<std::size_t>(line)].find(text) != std::string::npos) return true;
        }
        return false;
    };
    ASSERT_EQ(t.decision.size(), 1u);
    EXPECT_TRUE(has(t.decision, "walk.d >= 0"));
    for (std::size_t i = 0; i < t.steps.size(); ++i) {
        const State& s = t.steps[i];
        SCOPED_TRACE("state " + std::to_string(i) + ", move " + s.move);
        const bool east = s.move == "E", south = s.move == "SE";
        EXPECT_EQ(has(s.lines, "walk.d >= 0"), east || south);
        EXPECT_EQ(has(s.lines, "walk.d += 2 * walk.x + 3;"), east);
        EXPECT_EQ(has(s.lines, "walk.d += 2 * (walk.x - walk.y) + 5;"), south);
        EXPECT_EQ(has(s.lines, "--walk.y;"), south);
        EXPECT_TRUE(s.draws.empty() || has(s.lines, "plot"));
    }
    EXPECT_EQ(t.after.empty(), t.afterLines.empty());
    EXPECT_TRUE(t.after.empty() || has(t.afterLines, "plotRowPair("));
}

void checkTrace(int mode, int r) {
    SCOPED_TRACE(std::string(circleModeNames[mode]) + " at radius " + std::to_string(r));
    made.clear();
    long long total = -1;
    const Trace t = read(traceWalk(mode, r, WalkFormat::json, nullptr, &total), mode, r);

    std::vector<model::Pixel> listed;
    for (const State& s : t.steps) listed.insert(listed.end(), s.draws.begin(), s.draws.end());
    listed.insert(listed.end(), t.after.begin(), t.after.end());
    ASSERT_EQ(listed, made) << "the trace lists the rasteriser's draws, in order";
    EXPECT_EQ(t.total, static_cast<long long>(made.size()));
    EXPECT_EQ(total, t.total);
    EXPECT_EQ(mode == circleExtentsMode, !t.after.empty()) << "only the extents draw after the walk";

    // The states, x, y and d, as the model has them.
    const std::vector<model::WalkState> expected = model::walkStates(r);
    ASSERT_EQ(t.steps.size(), expected.size());
    for (std::size_t i = 0; i < t.steps.size(); ++i) {
        const State& s = t.steps[i];
        ASSERT_EQ(s.x, expected[i].x) << "state " << i;
        ASSERT_EQ(s.y, expected[i].y) << "state " << i;
        ASSERT_EQ(s.d, expected[i].d) << "state " << i;
        const bool last = i + 1 == t.steps.size();
        // The move follows from the sign of the model's d: E while the midpoint is inside.
        ASSERT_EQ(s.move, last ? "null" : expected[i].d < 0 ? "E" : "SE") << "state " << i;
        // F(M) and M as the circle function has them: d is F at M less a quarter.
        const double mx = static_cast<double>(expected[i].x) + 1, my = static_cast<double>(expected[i].y) - 0.5;
        ASSERT_EQ(s.fm, mx * mx + my * my - static_cast<double>(r) * r) << "state " << i;
        ASSERT_EQ(s.midpointX, mx);
        ASSERT_EQ(s.midpointY, my);
    }
    if (r <= 12) checkLines(t);
}

}  // namespace

void wrappedPlot(int x, int y, const Color* colour) {
    made.push_back({x, y});
    tracesPlot(x, y, colour);
}

TEST(Walk, TheSourceTextIsTheFilesOwn) {
    std::ifstream file(RASTERIZERS_SOURCE);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(walkSourceText, text);
    EXPECT_EQ(std::string(RASTERIZERS_SOURCE).substr(std::string(RASTERIZERS_SOURCE).size() - std::strlen(walkSourceName)),
              walkSourceName);
}

TEST(Walk, TraceListsTheRasterisersOwnDrawsAndStates) {
    for (int mode = 0; mode < circleModeCount; ++mode) {
        for (int r = 1; r <= 200; ++r) checkTrace(mode, r);
        for (int r : {577, walkJsonRadiusLimit}) checkTrace(mode, r);
    }
}
