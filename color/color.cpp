#include "color/color.h"

#include <cstdlib>

namespace {

// Each row: name, r, g, b. Float literals give the nearest single-precision value of each decimal.
#define COLOR_CONSTANTS_WITH_ALPHA(X)   \
    X(White, 1.0f, 1.0f, 1.0f)          \
    X(Yellow, 1.0f, 1.0f, 0.0f)         \
    X(Cyan, 0.0f, 1.0f, 1.0f)           \
    X(Magenta, 1.0f, 0.0f, 1.0f)        \
    X(Red, 1.0f, 0.0f, 0.0f)            \
    X(Green, 0.0f, 1.0f, 0.0f)          \
    X(Blue, 0.0f, 0.0f, 1.0f)           \
    X(Black, 0.0f, 0.0f, 0.0f)          \
    X(Gray10, 0.1f, 0.1f, 0.1f)         \
    X(Gray25, 0.25f, 0.25f, 0.25f)      \
    X(Gray50, 0.5f, 0.5f, 0.5f)         \
    X(Gray75, 0.75f, 0.75f, 0.75f)      \
    X(Yellow75, 0.75f, 0.75f, 0.0f)     \
    X(Yellow50, 0.5f, 0.5f, 0.0f)       \
    X(Cyan50, 0.0f, 0.5f, 0.5f)         \
    X(Magenta50, 0.5f, 0.0f, 0.5f)      \
    X(Red50, 0.5f, 0.0f, 0.0f)          \
    X(Green50, 0.0f, 0.5f, 0.0f)        \
    X(Blue50, 0.0f, 0.0f, 0.5f)         \
    X(Pink, 1.0f, 0.65f, 0.65f)         \
    X(Brick, 0.6f, 0.25f, 0.25f)        \
    X(LightBlue, 0.5f, 0.5f, 1.0f)      \
    X(SlateBlue, 0.25f, 0.25f, 0.5f)

#define DEFINE_RECORDS(name, red, green, blue)      \
    const Color constant##name = {red, green, blue, 1.0f};   \
    Color result##name##Alpha = {0.0f, 0.0f, 0.0f, 0.0f};
COLOR_CONSTANTS_WITH_ALPHA(DEFINE_RECORDS)
#undef DEFINE_RECORDS

const Color constantTan = {0.8f, 0.6f, 0.4f, 1.0f};
Color resultGrayLevel = {0.0f, 0.0f, 0.0f, 0.0f};
Color resultRGBA = {0.0f, 0.0f, 0.0f, 0.0f};

Color* allocateRecord() {
    return static_cast<Color*>(std::calloc(4, sizeof(float)));
}

// Frees the first `filled` records and the array; used when a ramp cannot be completed.
void releasePartialRamp(Color** ramp, int filled) {
    for (int i = 0; i < filled; ++i) colorFree(ramp[i]);
    std::free(ramp);
}

Color** allocateRamp() {
    return static_cast<Color**>(std::calloc(256, sizeof(Color*)));
}

}  // namespace

#define DEFINE_ACCESSORS(name, red, green, blue)                                          \
    const Color* color##name() { return &constant##name; }                       \
    const Color* color##name##Alpha(float alpha) {                               \
        result##name##Alpha = {constant##name.r, constant##name.g, constant##name.b, alpha}; \
        return &result##name##Alpha;                                             \
    }
COLOR_CONSTANTS_WITH_ALPHA(DEFINE_ACCESSORS)
#undef DEFINE_ACCESSORS

const Color* colorTan() { return &constantTan; }

const Color* colorGrayLevel(float level, float alpha) {
    resultGrayLevel = {level, level, level, alpha};
    return &resultGrayLevel;
}

const Color* colorRGBA(float r, float g, float b, float a) {
    resultRGBA = {r, g, b, a};
    return &resultRGBA;
}

Color* colorCopy(const Color* source) {
    Color* copy = allocateRecord();
    if (copy != nullptr) *copy = *source;
    return copy;
}

void colorFree(Color* color) { std::free(color); }

namespace {

// Allocates the array and its 256 records in index order, each set by fill(i, record); on any
// failed allocation releases what it had and returns null.
template <typename Fill>
Color** buildRamp(Fill fill) {
    Color** ramp = allocateRamp();
    if (ramp == nullptr) return nullptr;
    for (int i = 0; i < 256; ++i) {
        ramp[i] = allocateRecord();
        if (ramp[i] == nullptr) {
            releasePartialRamp(ramp, i);
            return nullptr;
        }
        fill(i, *ramp[i]);
    }
    return ramp;
}

}  // namespace

Color** colorRainbowRamp() {
    return buildRamp([](int i, Color& entry) {
        // Quotients in double, rounded once on the store: each component is the float nearest
        // to its exact rational value.
        double r, g, b;
        if (i <= 51) {
            r = 0.0, g = 1.0, b = i / 51.0;
        } else if (i <= 102) {
            r = 0.0, g = 1.0 - (i - 51) / 51.0, b = 1.0;
        } else if (i <= 153) {
            r = (i - 102) / 51.0, g = 0.0, b = 1.0;
        } else if (i <= 204) {
            r = 1.0, g = 0.0, b = 1.0 - (i - 153) / 51.0;
        } else {
            r = 1.0, g = (i - 204) / 51.0, b = 0.0;
        }
        entry = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), 1.0f};
    });
}

Color** colorGrayRamp() {
    return buildRamp([](int i, Color& entry) {
        const float level = static_cast<float>(i / 255.0);
        entry = {level, level, level, 1.0f};
    });
}
