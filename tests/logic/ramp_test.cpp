#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

#include "color/color.h"

namespace {

// Owns a ramp for the length of a test and releases it as a caller must: entry by entry, then
// the array.
struct Ramp {
    explicit Ramp(Color** entries) : e(entries) {}
    ~Ramp() {
        if (e == nullptr) return;
        for (int i = 0; i < 256; ++i) colorFree(e[i]);
        std::free(e);
    }
    const Color& operator[](int i) const { return *e[i]; }
    Color** e;
};

bool sameBits(const Color& c, float r, float g, float b, float a) {
    const float want[4] = {r, g, b, a};
    return std::memcmp(&c, want, sizeof want) == 0;
}

// The float nearest to n / d, found without dividing in float: of the floats either side of
// the double quotient, the one whose exact distance (computed in long double) is smaller.
float nearest(long n, long d) {
    const float guess = static_cast<float>(static_cast<long double>(n) / d);
    float best = guess;
    for (float candidate : {std::nextafter(guess, -1.0f), std::nextafter(guess, 2.0f)}) {
        if (std::fabs(static_cast<long double>(candidate) * d - n) < std::fabs(static_cast<long double>(best) * d - n)) {
            best = candidate;
        }
    }
    return best;
}

}  // namespace

TEST(Ramps, RainbowCorners) {
    Ramp ramp(colorRainbowRamp());
    ASSERT_NE(ramp.e, nullptr);
    EXPECT_TRUE(sameBits(ramp[0], 0, 1, 0, 1));
    EXPECT_TRUE(sameBits(ramp[51], 0, 1, 1, 1));
    EXPECT_TRUE(sameBits(ramp[102], 0, 0, 1, 1));
    EXPECT_TRUE(sameBits(ramp[153], 1, 0, 1, 1));
    EXPECT_TRUE(sameBits(ramp[204], 1, 0, 0, 1));
    EXPECT_TRUE(sameBits(ramp[255], 1, 1, 0, 1));
    EXPECT_TRUE(sameBits(ramp[52], 0, nearest(50, 51), 1, 1)) << "not a second cyan";
    EXPECT_TRUE(sameBits(ramp[103], nearest(1, 51), 0, 1, 1));
    EXPECT_TRUE(sameBits(ramp[205], 1, nearest(1, 51), 0, 1));
}

TEST(Ramps, RainbowFallingSegmentsRoundOnce) {
    Ramp ramp(colorRainbowRamp());
    ASSERT_NE(ramp.e, nullptr);
    EXPECT_EQ(ramp[85].g, nearest(1, 3));
    EXPECT_EQ(ramp[187].b, nearest(1, 3));
    // A float quotient subtracted from 1 in float lands one step low here.
    EXPECT_NE(ramp[85].g, 1.0f - 34.0f / 51.0f);
}

TEST(Ramps, RainbowEveryComponentIsNearestToItsRationalValue) {
    Ramp ramp(colorRainbowRamp());
    ASSERT_NE(ramp.e, nullptr);
    // Exact numerators over 51 of each component, walking the hue circle from green.
    long r = 0, g = 51, b = 0;
    for (int i = 0; i < 256; ++i) {
        if (i > 0) {
            if (i <= 51) ++b;
            else if (i <= 102) --g;
            else if (i <= 153) ++r;
            else if (i <= 204) --b;
            else ++g;
        }
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_TRUE(sameBits(ramp[i], nearest(r, 51), nearest(g, 51), nearest(b, 51), 1.0f));
    }
}

TEST(Ramps, GreyEntriesAreNearestToTheirLevel) {
    Ramp ramp(colorGrayRamp());
    ASSERT_NE(ramp.e, nullptr);
    for (int i = 0; i < 256; ++i) {
        const float level = nearest(i, 255);
        EXPECT_TRUE(sameBits(ramp[i], level, level, level, 1.0f)) << "entry " << i;
    }
    EXPECT_TRUE(sameBits(ramp[0], 0, 0, 0, 1));
    EXPECT_EQ(ramp[51].r, 0.2f);
    EXPECT_TRUE(sameBits(ramp[255], 1, 1, 1, 1));
}

TEST(Ramps, EveryCallBuildsRecordsOfItsOwn) {
    Ramp a(colorRainbowRamp()), b(colorRainbowRamp()), c(colorGrayRamp());
    ASSERT_NE(a.e, nullptr);
    ASSERT_NE(b.e, nullptr);
    ASSERT_NE(c.e, nullptr);
    std::set<const void*> all = {a.e, b.e, c.e};
    for (Ramp* ramp : {&a, &b, &c}) {
        for (int i = 0; i < 256; ++i) {
            all.insert(ramp->e[i]);
            EXPECT_NE(ramp->e[i], colorRed());
        }
    }
    EXPECT_EQ(all.size(), 3u * 257u);
}

TEST(Ramps, ReleasingOneEntryLeavesTheOthersValid) {
    Ramp ramp(colorGrayRamp());
    ASSERT_NE(ramp.e, nullptr);
    colorFree(ramp.e[10]);
    ramp.e[10] = nullptr;  // colorFree of null is a no-op when the ramp is released
    EXPECT_TRUE(sameBits(ramp[255], 1, 1, 1, 1));
}
