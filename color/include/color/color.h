// Named colours for OpenGL drawing code, in the form glColor4fv takes.
//
// Three kinds of record come back from these functions:
//   - constants (colorRed, ...): one static record each, never written, same address on every call;
//   - result records (colorRedAlpha, colorGrayLevel, colorRGBA): one static record per function,
//     rewritten by each call of that function, so a pointer kept from an earlier call shows the
//     latest values;
//   - heap records (colorCopy, the ramps): owned by the caller, released with colorFree.
// Components are stored as given: nothing is clamped to 0..1.
#pragma once

struct Color {
    float r, g, b, a;
};
static_assert(sizeof(Color) == 4 * sizeof(float), "handed to glColor4fv as four floats");

const Color* colorWhite();
const Color* colorYellow();
const Color* colorCyan();
const Color* colorMagenta();
const Color* colorRed();
const Color* colorGreen();
const Color* colorBlue();
const Color* colorBlack();
const Color* colorGray10();
const Color* colorGray25();
const Color* colorGray50();
const Color* colorGray75();
const Color* colorYellow75();
const Color* colorYellow50();
const Color* colorCyan50();
const Color* colorMagenta50();
const Color* colorRed50();
const Color* colorGreen50();
const Color* colorBlue50();
const Color* colorTan();  // the one constant without an alpha variant
const Color* colorPink();
const Color* colorBrick();
const Color* colorLightBlue();
const Color* colorSlateBlue();

const Color* colorWhiteAlpha(float alpha);
const Color* colorYellowAlpha(float alpha);
const Color* colorCyanAlpha(float alpha);
const Color* colorMagentaAlpha(float alpha);
const Color* colorRedAlpha(float alpha);
const Color* colorGreenAlpha(float alpha);
const Color* colorBlueAlpha(float alpha);
const Color* colorBlackAlpha(float alpha);
const Color* colorGray10Alpha(float alpha);
const Color* colorGray25Alpha(float alpha);
const Color* colorGray50Alpha(float alpha);
const Color* colorGray75Alpha(float alpha);
const Color* colorYellow75Alpha(float alpha);
const Color* colorYellow50Alpha(float alpha);
const Color* colorCyan50Alpha(float alpha);
const Color* colorMagenta50Alpha(float alpha);
const Color* colorRed50Alpha(float alpha);
const Color* colorGreen50Alpha(float alpha);
const Color* colorBlue50Alpha(float alpha);
const Color* colorPinkAlpha(float alpha);
const Color* colorBrickAlpha(float alpha);
const Color* colorLightBlueAlpha(float alpha);
const Color* colorSlateBlueAlpha(float alpha);

const Color* colorGrayLevel(float level, float alpha);
const Color* colorRGBA(float r, float g, float b, float a);

// A new heap record holding source's components; null if the allocation fails.
Color* colorCopy(const Color* source);
// Releases a heap record (from colorCopy or a ramp entry). Null is ignored.
void colorFree(Color* color);

// 256 entries, each its own heap record: green, cyan, blue, magenta, red, yellow in 255 steps
// of 1/51. Release each entry with colorFree and the array with free(). Null if any allocation
// fails; whatever had been allocated is released first.
Color** colorRainbowRamp();
// 256 entries from black (0) to white (255); released like the rainbow ramp.
Color** colorGrayRamp();
