// Instructions executed by each rasteriser at radius 1000 and by its bare loop (the same number
// of sink calls), counted as in display-instructions.
//   usage: valgrind --tool=callgrind rasterizer-instructions
#include <valgrind/callgrind.h>

#include <string>

#include "app/rasterizers.h"
#include "counting_sink.h"

int main() {
    const int radius = 1000;
    for (int mode = 0; mode < circleModeCount; ++mode) {
        resetSink();
        rasterizeCircle(mode, nullptr, radius);
        const long long draws = sinkDraws();
        const std::string tail = std::string(" ") + circleModeNames[mode] + " " + std::to_string(radius);
        const std::string rasterizer = "rasteriser" + tail, bare = "bare" + tail;
        CALLGRIND_ZERO_STATS;
        rasterizeCircle(mode, nullptr, radius);
        CALLGRIND_DUMP_STATS_AT(rasterizer.c_str());
        bareSinkLoop(draws);  // the same warm start as the rasteriser had
        CALLGRIND_ZERO_STATS;
        bareSinkLoop(draws);
        CALLGRIND_DUMP_STATS_AT(bare.c_str());
    }
    return 0;
}
