// The rasterisers' draws, recorded through a plotGridPixel of the test's own, against the
// selection rule of circle_model.h.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "support/circle_model.h"

namespace {

std::vector<model::Pixel> draws;
const Color* lastColour = nullptr;
bool allSameColour = true;

using Rasterizer = void (*)(const Color*, int);
const Color recordColour = {0.25f, 0.5f, 0.75f, 1.0f};

std::vector<model::Pixel> record(Rasterizer rasterize, int radius) {
    draws.clear();
    allSameColour = true;
    lastColour = &recordColour;
    rasterize(&recordColour, radius);
    return draws;
}

std::set<model::Pixel> asSet(const std::vector<model::Pixel>& v) { return {v.begin(), v.end()}; }

// How often each pixel of the square |x|, |y| <= r was drawn.
class Grid {
public:
    explicit Grid(int r) : r_(r), side_(2 * static_cast<std::size_t>(r) + 1), cells_(side_ * side_, 0) {}
    bool add(const std::vector<model::Pixel>& pixels) {
        for (const model::Pixel& p : pixels) {
            if (std::abs(p.first) > r_ || std::abs(p.second) > r_) return false;
            ++cells_[index(p.first, p.second)];
        }
        return true;
    }
    int at(int x, int y) const { return cells_[index(x, y)]; }
    int radius() const { return r_; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y + r_) * side_ + static_cast<std::size_t>(x + r_);
    }
    int r_;
    std::size_t side_;
    std::vector<unsigned char> cells_;
};

// Counts the cells where `got` differs from what `want(x, y)` says.
template <typename Want>
long mismatches(const Grid& got, Want want) {
    long bad = 0;
    const int r = got.radius();
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) bad += got.at(x, y) != want(x, y);
    }
    return bad;
}

// Checks every property the three modes must have at this radius.
void checkRadius(int r) {
    SCOPED_TRACE("radius " + std::to_string(r));
    const model::Circle c = model::circle(r);
    Grid outline(r), spans(r), extents(r);
    ASSERT_TRUE(outline.add(record(midpointCircleOutline, r)));
    ASSERT_TRUE(spans.add(record(midpointDiskSpans, r)));
    const std::size_t spanDraws = draws.size();
    ASSERT_TRUE(extents.add(record(midpointDiskExtents, r)));

    Grid expectedOutline(r);
    const auto outlineSet = model::outlinePixels(c);
    ASSERT_TRUE(expectedOutline.add({outlineSet.begin(), outlineSet.end()}));
    const auto inDisc = [&c](int x, int y) { return std::abs(x) <= c.halfWidth[static_cast<std::size_t>(std::abs(y))]; };
    // The spans mode repeats exactly the rows +-lastX, at half-width lastX - 1, when the walk
    // ends one past the diagonal, and nothing otherwise.
    const auto repeated = [&c](int x, int y) {
        return !c.endsOnDiagonal && std::abs(y) == c.lastX && std::abs(x) <= c.lastX - 1;
    };

    EXPECT_EQ(mismatches(outline, [&](int x, int y) { return expectedOutline.at(x, y); }), 0)
        << "the outline is the model's, each pixel once";
    EXPECT_EQ(mismatches(extents, [&](int x, int y) { return inDisc(x, y) ? 1 : 0; }), 0)
        << "the extents fill the model's disc, each pixel once";
    EXPECT_EQ(mismatches(spans, [&](int x, int y) { return inDisc(x, y) ? (repeated(x, y) ? 2 : 1) : 0; }), 0)
        << "the spans cover the same disc, repeating only the predicted rows";
    long outside = 0;
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) outside += outline.at(x, y) > 0 && !inDisc(x, y);
    }
    EXPECT_EQ(outside, 0) << "the outline lies within the disc";
    EXPECT_EQ(static_cast<std::int64_t>(spanDraws), model::spansCount(c));
}

}  // namespace

void plotGridPixel(int x, int y, const Color* colour) {
    draws.push_back({x, y});
    if (colour != lastColour) allSameColour = false;
}

TEST(Rasterizers, CountTable) {
    struct Row {
        int radius, outline, spans, extents;
    };
    const Row table[] = {{1, 4, 7, 5},     {2, 12, 27, 21},   {3, 16, 37, 37},   {4, 24, 61, 61},
                         {5, 28, 111, 97}, {8, 44, 243, 221}, {10, 56, 349, 349}};
    for (const Row& row : table) {
        SCOPED_TRACE("radius " + std::to_string(row.radius));
        EXPECT_EQ(record(midpointCircleOutline, row.radius).size(), static_cast<std::size_t>(row.outline));
        EXPECT_EQ(record(midpointDiskSpans, row.radius).size(), static_cast<std::size_t>(row.spans));
        EXPECT_EQ(record(midpointDiskExtents, row.radius).size(), static_cast<std::size_t>(row.extents));
        EXPECT_EQ(model::count(circleOutlineMode, row.radius), row.outline);
        EXPECT_EQ(model::count(circleSpansMode, row.radius), row.spans);
        EXPECT_EQ(model::count(circleExtentsMode, row.radius), row.extents);
    }
}

TEST(Rasterizers, RadiusOneDrawOrder) {
    using V = std::vector<model::Pixel>;
    EXPECT_EQ(record(midpointCircleOutline, 1), (V{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}));
    EXPECT_EQ(record(midpointDiskSpans, 1), (V{{-1, 0}, {0, 0}, {1, 0}, {0, 1}, {0, -1}, {0, 1}, {0, -1}}));
    EXPECT_EQ(record(midpointDiskExtents, 1), (V{{-1, 0}, {0, 0}, {1, 0}, {0, 1}, {0, -1}}));
}

TEST(Rasterizers, RowExtentsByRadius) {
    // Half-widths of rows 0..r as the extents mode draws them.
    const std::map<int, std::vector<int>> table = {
        {1, {1, 0}},          {2, {2, 2, 1}},          {3, {3, 3, 2, 1}},
        {4, {4, 4, 3, 3, 1}}, {5, {5, 5, 5, 4, 3, 2}}, {8, {8, 8, 8, 7, 7, 6, 5, 4, 2}}};
    for (const auto& [r, widths] : table) {
        std::vector<int> drawn(static_cast<std::size_t>(r) + 1, -1);
        for (const model::Pixel& p : record(midpointDiskExtents, r)) {
            if (p.second >= 0) drawn[static_cast<std::size_t>(p.second)] = std::max(drawn[static_cast<std::size_t>(p.second)], p.first);
        }
        EXPECT_EQ(drawn, widths) << "radius " << r;
        EXPECT_EQ(model::circle(r).halfWidth, widths) << "radius " << r;
    }
}

TEST(Rasterizers, WalkEndsOnOrPastTheDiagonal) {
    EXPECT_FALSE(model::circle(2).endsOnDiagonal);  // ends at (2, 1)
    EXPECT_TRUE(model::circle(3).endsOnDiagonal);   // ends at (2, 2)
    const auto outline = asSet(record(midpointCircleOutline, 3));
    for (int sx : {-2, 2}) {
        for (int sy : {-2, 2}) EXPECT_TRUE(outline.count({sx, sy}));
    }
}

TEST(Rasterizers, EveryRadiusUpTo300) {
    for (int r = 1; r <= 300; ++r) checkRadius(r);
}

TEST(Rasterizers, SeededLargeRadii) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> radius(301, 2000);
    for (int i = 0; i < 6; ++i) checkRadius(radius(random));
}

TEST(Rasterizers, ColourPassedThroughUnchanged) {
    for (Rasterizer rasterize : {midpointCircleOutline, midpointDiskSpans, midpointDiskExtents}) {
        record(rasterize, 7);
        EXPECT_TRUE(allSameColour);
    }
}

TEST(Rasterizers, RadiusBelowOneDrawsNothing) {
    for (int r : {0, -1, -1000}) {
        for (Rasterizer rasterize : {midpointCircleOutline, midpointDiskSpans, midpointDiskExtents}) {
            EXPECT_TRUE(record(rasterize, r).empty()) << "radius " << r;
        }
    }
}
