// The explainer page's numbers, from the same code as midpoint-walk, built for the browser: the
// trace of the rasterisers, the variants of the outline's walk, and the draws of a pass.
#include <emscripten.h>

#include <string>

#include "app/modes.h"
#include "app/variants.h"
#include "app/walk.h"

extern "C" {

// The walk of `mode` at `radius` as JSON (midpoint-walk --json) with its draws apart (walkDraws),
// or "" for a mode or radius out of range. The text stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* walkJson(int mode, int radius) {
    static std::string json;
    json.clear();
    if (mode >= 0 && mode < circleModeCount && radius >= 1 && radius <= walkJsonRadiusLimit) {
        json = traceWalk(mode, radius, WalkFormat::jsonDrawsApart, nullptr, nullptr);
    }
    return json.c_str();
}

// The draws of the walk walkJson wrote last, whose lists of draws it leaves empty: x then y of
// each draw, and where each state's draws begin, then the draws after the walk, then none.
EMSCRIPTEN_KEEPALIVE const int* walkDraws() { return walkDrawsApart().xy.data(); }
EMSCRIPTEN_KEEPALIVE const int* walkDrawStarts() { return walkDrawsApart().starts.data(); }

// The outline's variants at `radius` as JSON (midpoint-walk --variants --json), or "".
EMSCRIPTEN_KEEPALIVE const char* walkVariantsJson(int radius) {
    static std::string json;
    json.clear();
    if (radius >= 1 && radius <= walkJsonRadiusLimit) json = walkVariantsText(radius, true);
    return json.c_str();
}

// The draws of one pass of `mode` at `radius`, as the demonstration counts them, or -1.
EMSCRIPTEN_KEEPALIVE double walkDrawCount(int mode, int radius) {
    if (mode < 0 || mode >= circleModeCount || radius < 1 || radius > walkJsonRadiusLimit) return -1;
    long long total = 0;
    walkStates(mode, radius, &total);
    return static_cast<double>(total);
}

// The rasterisers' source as the project names it, and its text: the lines the trace names.
EMSCRIPTEN_KEEPALIVE const char* walkSourceFile() { return walkSourceName; }
EMSCRIPTEN_KEEPALIVE const char* walkSource() { return walkSourceText; }

EMSCRIPTEN_KEEPALIVE int walkPageRadiusLimitValue() { return walkPageRadiusLimit; }

EMSCRIPTEN_KEEPALIVE int walkModeCount() { return circleModeCount; }

EMSCRIPTEN_KEEPALIVE const char* walkModeName(int mode) {
    return mode >= 0 && mode < circleModeCount ? circleModeNames[mode] : "";
}

}  // extern "C"
