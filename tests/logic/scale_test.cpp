// The rasterisers at scale, checked as the draws stream in against the closed-form selection
// rule (no set of pixels is kept), so radii up to 100000 stay cheap.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "support/circle_model.h"

namespace {

// Outline: the draws must come exactly in the order the four- and eight-point plots give them.
struct OutlineCheck {
    std::vector<model::Pixel> expected;
    std::size_t next = 0;
    long wrong = 0;
} outline;

// Filled discs: every row is drawn as ascending passes over -w..w, w from the rule.
struct RowCheck {
    const model::Circle* circle = nullptr;
    std::vector<int> expectedNext;  // per row + r
    std::vector<int> passes;
    long wrong = 0;
} rows;

bool checkingOutline = false;

void expectOutline(const model::Circle& c) {
    auto& e = outline.expected;
    e.clear();
    const int r = c.radius;
    e.insert(e.end(), {{0, r}, {0, -r}, {r, 0}, {-r, 0}});
    for (std::size_t k = 1; k < c.octant.size(); ++k) {
        const int x = c.octant[k].first, y = c.octant[k].second;
        e.insert(e.end(), {{x, y}, {-x, y}, {x, -y}, {-x, -y}, {y, x}, {-y, x}, {y, -x}, {-y, -x}});
    }
    if (c.endsOnDiagonal) {
        const int a = c.diagonal;
        e.insert(e.end(), {{a, a}, {a, -a}, {-a, a}, {-a, -a}});
    }
    outline.next = 0;
    outline.wrong = 0;
}

void expectRows(const model::Circle& c) {
    rows.circle = &c;
    rows.expectedNext.assign(2 * static_cast<std::size_t>(c.radius) + 1, 0);
    rows.passes.assign(rows.expectedNext.size(), 0);
    for (int row = -c.radius; row <= c.radius; ++row) {
        rows.expectedNext[static_cast<std::size_t>(row + c.radius)] = -c.halfWidth[static_cast<std::size_t>(std::abs(row))];
    }
    rows.wrong = 0;
}

// Passes each row was drawn in, in full; -1 where a row was left unfinished.
long rowsDrawnWrongly(const model::Circle& c, bool spans) {
    long bad = rows.wrong;
    for (int row = -c.radius; row <= c.radius; ++row) {
        const std::size_t i = static_cast<std::size_t>(row + c.radius);
        const int w = c.halfWidth[static_cast<std::size_t>(std::abs(row))];
        const int want = spans && !c.endsOnDiagonal && std::abs(row) == c.lastX ? 2 : 1;
        bad += rows.passes[i] != want || rows.expectedNext[i] != w + 1;
    }
    return bad;
}

}  // namespace

void plotGridPixel(int x, int y, const Color*) {
    if (checkingOutline) {
        if (outline.next >= outline.expected.size() || outline.expected[outline.next] != model::Pixel{x, y}) {
            ++outline.wrong;
        }
        ++outline.next;
        return;
    }
    const int r = rows.circle->radius;
    if (std::abs(y) > r) {
        ++rows.wrong;
        return;
    }
    const std::size_t i = static_cast<std::size_t>(y + r);
    const int w = rows.circle->halfWidth[static_cast<std::size_t>(std::abs(y))];
    int& next = rows.expectedNext[i];
    if (x == -w && (next == -w || next == w + 1)) {
        ++rows.passes[i];  // a new pass over this row
    } else if (x != next) {
        ++rows.wrong;
    }
    next = x + 1;
}

namespace {

void checkOutline(int r) {
    const model::Circle c = model::circle(r);
    expectOutline(c);
    checkingOutline = true;
    midpointCircleOutline(nullptr, r);
    checkingOutline = false;
    EXPECT_EQ(outline.wrong, 0) << "radius " << r;
    EXPECT_EQ(outline.next, outline.expected.size()) << "radius " << r;
}

void checkDiscs(int r) {
    const model::Circle c = model::circle(r);
    expectRows(c);
    midpointDiskExtents(nullptr, r);
    EXPECT_EQ(rowsDrawnWrongly(c, false), 0) << "extents, radius " << r;
    expectRows(c);
    midpointDiskSpans(nullptr, r);
    EXPECT_EQ(rowsDrawnWrongly(c, true), 0) << "spans, radius " << r;
}

std::vector<int> seeded(unsigned seed, int count, int low, int high) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(low, high);
    std::vector<int> radii;
    for (int i = 0; i < count; ++i) radii.push_back(pick(random));
    std::cout << "radii seeded with " << seed << "\n";
    return radii;
}

unsigned seedFromEnvironment(unsigned fallback) {
    const char* value = std::getenv("MIDPOINT_SEED");
    return value != nullptr ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

}  // namespace

TEST(Scale, DiscsAtEveryRadiusTo500) {
    for (int r = 1; r <= 500; ++r) checkDiscs(r);
}

TEST(Scale, DiscsAtSeededRadiiTo5000) {
    for (int r : seeded(seedFromEnvironment(5000), 15, 501, 5000)) checkDiscs(r);
}

TEST(Scale, OutlineAtEveryRadiusTo20000) {
    for (int r = 1; r <= 20000; ++r) checkOutline(r);
}

TEST(Scale, OutlineAtSeededRadiiTo100000) {
    for (int r : seeded(seedFromEnvironment(100000), 30, 20001, 100000)) checkOutline(r);
    checkOutline(100000);
}
