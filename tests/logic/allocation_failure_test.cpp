// Allocation failures, made real: this binary is linked with --wrap=calloc and --wrap=free, so
// every calloc and free of the code under test goes through the counters below, and calloc can
// be told to fail from the n-th call on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "app/grid_pixel.h"
#include "app/rasterizers.h"
#include "color/color.h"

extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void __real_free(void* pointer);

namespace {

long callocCalls = 0;
long failFrom = -1;  // the call index from which calloc fails; -1: never
std::set<void*>* live = nullptr;
int draws = 0;

struct Armed {
    explicit Armed(long failing) {
        callocCalls = 0;
        failFrom = failing;
        live = new std::set<void*>;
    }
    ~Armed() {
        failFrom = -1;
        delete live;
        live = nullptr;
    }
};

}  // namespace

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size) {
    if (live == nullptr) return __real_calloc(count, size);
    if (failFrom >= 0 && callocCalls++ >= failFrom) return nullptr;
    void* p = __real_calloc(count, size);
    live->insert(p);
    return p;
}

extern "C" void __wrap_free(void* pointer) {
    if (live != nullptr) live->erase(pointer);
    __real_free(pointer);
}

void plotGridPixel(int, int, const Color*) { ++draws; }

TEST(AllocationFailure, RampsReleaseWhatTheyHadAndReturnNull) {
    for (Color** (*build)() : {colorRainbowRamp, colorGrayRamp}) {
        for (long failing = 0; failing <= 256; failing += (failing < 4 || failing > 252) ? 1 : 37) {
            Armed armed(failing);
            EXPECT_EQ(build(), nullptr) << "failing from allocation " << failing;
            EXPECT_TRUE(live->empty()) << live->size() << " allocations left after failing at " << failing;
        }
    }
}

TEST(AllocationFailure, CopyReturnsNull) {
    Armed armed(0);
    EXPECT_EQ(colorCopy(colorRed()), nullptr);
}

TEST(AllocationFailure, ExtentsDrawNothingAndTheNextPassDraws) {
    {
        Armed armed(0);
        draws = 0;
        midpointDiskExtents(colorRed(), 5);
        EXPECT_EQ(draws, 0);
    }
    Armed armed(-1);
    draws = 0;
    midpointDiskExtents(colorRed(), 5);
    EXPECT_EQ(draws, 97);
    EXPECT_TRUE(live->empty()) << "the row-extent array is released within the call";
}
