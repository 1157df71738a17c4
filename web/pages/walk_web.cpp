// The explainer page's numbers: the trace of the rasterisers, as midpoint-walk --json prints it,
// from the same code built for the browser.
#include <emscripten.h>

#include <string>

#include "app/modes.h"
#include "app/walk.h"

extern "C" {

// The walk of `mode` at `radius` as JSON, or "" for a mode or radius out of range. The text stays
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* walkJson(int mode, int radius) {
    static std::string json;
    json.clear();
    if (mode >= 0 && mode < circleModeCount && radius >= 1 && radius <= walkJsonRadiusLimit) {
        json = traceWalk(mode, radius, WalkFormat::json, nullptr, nullptr);
    }
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE int walkModeCount() { return circleModeCount; }

EMSCRIPTEN_KEEPALIVE const char* walkModeName(int mode) {
    return mode >= 0 && mode < circleModeCount ? circleModeNames[mode] : "";
}

}  // extern "C"
