// The trace against the rasteriser it watches. This binary is linked with --wrap=plotGridPixel:
// every draw the rasterisers make passes through the recorder below on its way to the trace's
// own plotGridPixel, so the draws the trace lists can be held against the draws actually made.
// The states are held against the circle model's closed form, the lines it names against the
// source file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "walk/walk.h"
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

// [[x, y], ...]
std::vector<model::Pixel> pixels(const nlohmann::json& list) { return list.get<std::vector<model::Pixel>>(); }

// The trace's JSON, read by a JSON library: anything that is not JSON, or lacks a part, fails.
Trace read(const std::string& text, int mode, int radius) {
    const nlohmann::json json = nlohmann::json::parse(text);
    EXPECT_EQ(json.size(), 7u);
    EXPECT_EQ(json.at("mode"), circleModeNames[mode]);
    EXPECT_EQ(json.at("radius"), radius);
    Trace t;
    for (const nlohmann::json& step : json.at("steps")) {
        EXPECT_EQ(step.size(), 8u);
        const nlohmann::json& move = step.at("move");
        t.steps.push_back({step.at("x"), step.at("y"), step.at("d"), move.is_null() ? "null" : move.get<std::string>(),
                           pixels(step.at("draws")), step.at("fm"), step.at("midpoint").at(0), step.at("midpoint").at(1),
                           step.at("lines")});
    }
    t.after = pixels(json.at("after"));
    t.afterLines = json.at("afterLines").get<std::vector<int>>();
    t.decision = json.at("decision").get<std::vector<int>>();
    t.total = json.at("total");
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
