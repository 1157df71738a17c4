// The trace against the rasteriser it watches. This binary is linked with --wrap=plotGridPixel:
// every draw the rasterisers make passes through the recorder below on its way to the trace's
// own plotGridPixel, so the draws the trace lists can be held against the draws actually made.
// The states are held against the circle model's closed form.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
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
};

struct Trace {
    std::vector<State> steps;
    std::vector<model::Pixel> after;
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
            in.expect("}");
            t.steps.push_back(s);
        } while (in.take(','));
        in.expect("]");
    }
    in.expect(", \"after\":");
    t.after = in.pixels();
    in.expect(", \"total\":");
    t.total = in.number();
    in.expect("}");
    EXPECT_TRUE(in.atEnd());
    return t;
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
    }
}

}  // namespace

void wrappedPlot(int x, int y, const Color* colour) {
    made.push_back({x, y});
    tracesPlot(x, y, colour);
}

TEST(Walk, TraceListsTheRasterisersOwnDrawsAndStates) {
    for (int mode = 0; mode < circleModeCount; ++mode) {
        for (int r = 1; r <= 200; ++r) checkTrace(mode, r);
        for (int r : {577, walkJsonRadiusLimit}) checkTrace(mode, r);
    }
}
