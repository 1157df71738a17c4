// The explainer page's numbers, from the same code as midpoint-walk, built for the browser: the
// record of the rasterisers' walk, the variants of the outline's walk, and the draws of a pass.
// The page reads them as ints from the module's memory, through the pointers and sizes given here.
#include <emscripten.h>

#include <cstddef>
#include <vector>

#include "app/modes.h"
#include "walk/variants.h"
#include "walk/walk.h"

namespace {

// The variants at the radius last asked for, as walkVariantsAt lays them out.
std::vector<int> variantsRecord;

}  // namespace

extern "C" {

// Records the walk of `mode` at `radius`; returns its number of states, or 0 for a mode or radius
// out of range. Its parts (walk.h's WalkPart, by number) stay where they are until the next call.
EMSCRIPTEN_KEEPALIVE int walkLoad(int mode, int radius) {
    if (mode < 0 || mode >= circleModeCount || radius < 1 || radius > walkJsonRadiusLimit) return 0;
    recordWalk(mode, radius);
    return static_cast<int>(walkRecordPart(WalkPart::header).data[2]);
}
EMSCRIPTEN_KEEPALIVE const int* walkPartData(int part) { return walkRecordPart(static_cast<WalkPart>(part)).data; }
EMSCRIPTEN_KEEPALIVE int walkPartSize(int part) { return static_cast<int>(walkRecordPart(static_cast<WalkPart>(part)).size); }

// The outline's variants at `radius`, in the order of walkVariantNames, one after another: its
// pixels, how many differ from the walk's, the number of those it gives alone and of those it
// lacks, then x and y of each of these, in that order. Returns the number of ints, 0 for a radius
// out of range; walkVariantsData points at them until the next call.
EMSCRIPTEN_KEEPALIVE int walkVariantsAt(int radius) {
    variantsRecord.clear();
    if (radius < 1 || radius > walkJsonRadiusLimit) return 0;
    for (const WalkVariant& v : walkVariants(radius)) {
        variantsRecord.insert(variantsRecord.end(), {static_cast<int>(v.pixels), static_cast<int>(v.differ),
                                                     static_cast<int>(v.only.size()), static_cast<int>(v.missing.size())});
        for (const auto* pixels : {&v.only, &v.missing}) {
            for (const auto& [x, y] : *pixels) variantsRecord.insert(variantsRecord.end(), {x, y});
        }
    }
    return static_cast<int>(variantsRecord.size());
}
EMSCRIPTEN_KEEPALIVE const int* walkVariantsData() { return variantsRecord.data(); }
EMSCRIPTEN_KEEPALIVE int walkVariantCountValue() { return walkVariantCount; }
EMSCRIPTEN_KEEPALIVE const char* walkVariantName(int i) { return i >= 0 && i < walkVariantCount ? walkVariantNames[i] : ""; }

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
