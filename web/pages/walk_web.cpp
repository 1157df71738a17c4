// The explainer page's numbers, from the same code as midpoint-walk, built for the browser: the
// trace of the rasterisers, the variants of the outline's walk, and the draws of a pass.
#include <emscripten.h>

#include <string>
#include <vector>

#include "app/modes.h"
#include "app/variants.h"
#include "app/walk.h"

extern "C" {

// The walk of `mode` at `radius` as JSON (midpoint-walk --json), its draws also apart
// (walkDraws), or "" for a mode or radius out of range. The text stays valid until the next call.
std::vector<int> drawsXy, drawStarts;
EMSCRIPTEN_KEEPALIVE const char* walkJson(int mode, int radius) {
    static std::string json;
    json.clear();
    if (mode >= 0 && mode < circleModeCount && radius >= 1 && radius <= walkJsonRadiusLimit) {
        recordWalk(mode, radius);
        json = printWalk(WalkFormat::json, nullptr);
        const WalkRecordPart runs = walkRecordPart(WalkPart::runs), starts = walkRecordPart(WalkPart::runStarts);
        drawsXy.clear(), drawStarts.clear();
        for (std::size_t p = 0; p < starts.size; ++p) {
            drawStarts.push_back(static_cast<int>(drawsXy.size() / 2));
            for (int i = starts.data[p]; p + 1 < starts.size && i < starts.data[p + 1]; ++i) {
                const int* run = runs.data + static_cast<std::size_t>(i) * walkRunFields;
                for (int k = 0; k < run[walkRunCount]; ++k) {
                    drawsXy.push_back(run[walkRunX] + (run[walkRunPaired] ? k / 2 : k));
                    drawsXy.push_back(run[walkRunPaired] && k % 2 ? -run[walkRunY] : run[walkRunY]);
                }
            }
        }
    }
    return json.c_str();
}

// The draws of the walk walkJson wrote last: x then y of each draw, and where each state's draws
// begin, then the draws after the walk, then none.
EMSCRIPTEN_KEEPALIVE const int* walkDraws() { return drawsXy.data(); }
EMSCRIPTEN_KEEPALIVE const int* walkDrawStarts() { return drawStarts.data(); }

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
