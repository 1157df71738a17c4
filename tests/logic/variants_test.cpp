// What a course teaches of the walk, checked at every radius from 1 to 10,000: the exact sign of
// F(M), d kept from 5/4 - r in floating point, and each column's rounded root give the walk's own
// pixels, and d <= 0 in place of d < 0 changes them exactly where the rasteriser's trace decides
// at d = 0. Up to radius 300 the walk's pixels are also held to the circle model's outline, and
// each variant's counts to its pixel sets, compared as sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "app/modes.h"
#include "walk/variants.h"
#include "walk/walk.h"
#include "support/circle_model.h"

TEST(Variants, OnlyTheComparisonChangesThePixelsAndOnlyWhereTheWalkMeetsZero) {
    enum { walk, exact, quarter, root, lessOrEqual };
    int changedUpTo3000 = 0;
    for (int r = 1; r <= 10000; ++r) {
        const std::vector<WalkVariant> v = walkVariants(r);
        ASSERT_EQ(v[exact].differ, 0) << "radius " << r;
        ASSERT_EQ(v[quarter].differ, 0) << "radius " << r;
        ASSERT_EQ(v[root].differ, 0) << "radius " << r;
        bool decidesAtZero = false;
        for (const WalkPoint& s : walkStates(circleOutlineMode, r, nullptr)) decidesAtZero = decidesAtZero || (s.d == 0 && s.y > s.x);
        ASSERT_EQ(v[lessOrEqual].differ > 0, decidesAtZero) << "radius " << r;
        changedUpTo3000 += r <= 3000 && decidesAtZero;
        if (r > 300) continue;
        const std::vector<OctantPoint> walkPixels = octantPixels(v[walk].octant);
        const std::set<OctantPoint> walkSet(walkPixels.begin(), walkPixels.end());
        ASSERT_EQ(walkSet, model::outlinePixels(model::circle(r))) << "radius " << r;
        for (const WalkVariant& variant : v) {
            const std::vector<OctantPoint> pixels = octantPixels(variant.octant);
            const std::set<OctantPoint> set(pixels.begin(), pixels.end());
            std::vector<OctantPoint> apart;
            std::set_symmetric_difference(set.begin(), set.end(), walkSet.begin(), walkSet.end(), std::back_inserter(apart));
            ASSERT_EQ(pixels.size(), set.size()) << "radius " << r << ": each pixel listed once";
            ASSERT_EQ(variant.pixels, static_cast<long long>(set.size())) << "radius " << r;
            ASSERT_EQ(variant.differ, static_cast<long long>(apart.size())) << "radius " << r;
        }
    }
    EXPECT_EQ(changedUpTo3000, 1973) << "radii up to 3,000 where d <= 0 changes the pixels";
}
