#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "color/color.h"

namespace {

struct Named {
    const char* name;
    const Color* (*constant)();
    const Color* (*alpha)(float);  // null for the one constant without a variant
    float r, g, b;
};

// The palette as a user reads it, with the decimals written as float literals.
const Named palette[] = {
    {"White", colorWhite, colorWhiteAlpha, 1, 1, 1},
    {"Yellow", colorYellow, colorYellowAlpha, 1, 1, 0},
    {"Cyan", colorCyan, colorCyanAlpha, 0, 1, 1},
    {"Magenta", colorMagenta, colorMagentaAlpha, 1, 0, 1},
    {"Red", colorRed, colorRedAlpha, 1, 0, 0},
    {"Green", colorGreen, colorGreenAlpha, 0, 1, 0},
    {"Blue", colorBlue, colorBlueAlpha, 0, 0, 1},
    {"Black", colorBlack, colorBlackAlpha, 0, 0, 0},
    {"Gray10", colorGray10, colorGray10Alpha, 0.1f, 0.1f, 0.1f},
    {"Gray25", colorGray25, colorGray25Alpha, 0.25f, 0.25f, 0.25f},
    {"Gray50", colorGray50, colorGray50Alpha, 0.5f, 0.5f, 0.5f},
    {"Gray75", colorGray75, colorGray75Alpha, 0.75f, 0.75f, 0.75f},
    {"Yellow75", colorYellow75, colorYellow75Alpha, 0.75f, 0.75f, 0},
    {"Yellow50", colorYellow50, colorYellow50Alpha, 0.5f, 0.5f, 0},
    {"Cyan50", colorCyan50, colorCyan50Alpha, 0, 0.5f, 0.5f},
    {"Magenta50", colorMagenta50, colorMagenta50Alpha, 0.5f, 0, 0.5f},
    {"Red50", colorRed50, colorRed50Alpha, 0.5f, 0, 0},
    {"Green50", colorGreen50, colorGreen50Alpha, 0, 0.5f, 0},
    {"Blue50", colorBlue50, colorBlue50Alpha, 0, 0, 0.5f},
    {"Tan", colorTan, nullptr, 0.8f, 0.6f, 0.4f},
    {"Pink", colorPink, colorPinkAlpha, 1, 0.65f, 0.65f},
    {"Brick", colorBrick, colorBrickAlpha, 0.6f, 0.25f, 0.25f},
    {"LightBlue", colorLightBlue, colorLightBlueAlpha, 0.5f, 0.5f, 1},
    {"SlateBlue", colorSlateBlue, colorSlateBlueAlpha, 0.25f, 0.25f, 0.5f},
};

bool sameBits(const Color& c, float r, float g, float b, float a) {
    const float want[4] = {r, g, b, a};
    return std::memcmp(&c, want, sizeof want) == 0;
}

}  // namespace

TEST(Color, ConstantsHoldTheirValuesAtAStableAddress) {
    std::set<const Color*> addresses;
    for (const Named& n : palette) {
        SCOPED_TRACE(n.name);
        const Color* c = n.constant();
        EXPECT_EQ(c, n.constant());
        EXPECT_TRUE(sameBits(*c, n.r, n.g, n.b, 1.0f));
        addresses.insert(c);
    }
    EXPECT_EQ(addresses.size(), 24u);
}

TEST(Color, AlphaVariantsOwnOneRecordEach) {
    std::set<const Color*> addresses;
    int variants = 0;
    for (const Named& n : palette) {
        if (n.alpha == nullptr) continue;
        SCOPED_TRACE(n.name);
        ++variants;
        const Color* half = n.alpha(0.5f);
        EXPECT_NE(half, n.constant());
        EXPECT_TRUE(sameBits(*half, n.r, n.g, n.b, 0.5f));
        EXPECT_EQ(n.constant()->a, 1.0f) << "the constant is never written";
        const Color* opaque = n.alpha(1.0f);
        EXPECT_EQ(opaque, half) << "a later call reuses the same record";
        EXPECT_TRUE(sameBits(*half, n.r, n.g, n.b, 1.0f));
        addresses.insert(half);
    }
    EXPECT_EQ(variants, 23);
    EXPECT_EQ(addresses.size(), 23u);
}

TEST(Color, DifferentOperationsNeverShareARecord) {
    const Color* red = colorRedAlpha(0.5f);
    const Color* blue = colorBlueAlpha(0.25f);
    const Color* grey = colorGrayLevel(0.3f, 0.5f);
    const Color* free = colorRGBA(2, -1, 0.5f, 7);
    EXPECT_TRUE(sameBits(*red, 1, 0, 0, 0.5f));
    EXPECT_TRUE(sameBits(*blue, 0, 0, 1, 0.25f));
    EXPECT_EQ((std::set<const Color*>{red, blue, grey, free}).size(), 4u);
    for (const Named& n : palette) {
        EXPECT_NE(grey, n.constant());
        EXPECT_NE(free, n.constant());
    }
}

TEST(Color, GrayLevelAndFreeColourAreNotClamped) {
    EXPECT_TRUE(sameBits(*colorGrayLevel(0.3f, 0.5f), 0.3f, 0.3f, 0.3f, 0.5f));
    EXPECT_TRUE(sameBits(*colorRGBA(2, -1, 0.5f, 7), 2, -1, 0.5f, 7));
    const Color* first = colorRGBA(0, 0, 0, 0);
    EXPECT_EQ(colorRGBA(1, 1, 1, 1), first);
    EXPECT_TRUE(sameBits(*first, 1, 1, 1, 1));
}

TEST(Color, CopiesAreDistinctAndIndependent) {
    const Color* result = colorRedAlpha(0.5f);
    Color* a = colorCopy(result);
    Color* b = colorCopy(result);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_NE(a, result);
    EXPECT_TRUE(sameBits(*a, 1, 0, 0, 0.5f));
    colorRedAlpha(0.25f);
    EXPECT_EQ(a->a, 0.5f) << "a copy keeps its values when the owner is called again";
    a->g = 0.75f;
    EXPECT_EQ(b->g, 0.0f);
    EXPECT_EQ(colorRed()->g, 0.0f);
    colorFree(a);
    colorFree(b);
    colorFree(nullptr);
}
