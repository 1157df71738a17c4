// Instructions executed by one display pass and by its bare floors, in the same context, at
// radius 20 in each mode: run under callgrind, each case is counted between a zeroing and a
// dump of callgrind's counters, after one uncounted pass of the same case. Outside callgrind it
// runs the same passes and counts nothing.
//   usage: valgrind --tool=callgrind display-instructions
#include <GL/freeglut.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <string>

#include "app/circles.h"
#include "app/modes.h"
#include "display_passes.h"

namespace {

template <typename Pass>
void count(const std::string& name, Pass pass) {  // by reference: the dump reads the name
    pass();  // the first pass of a kind compiles llvmpipe's shaders
    CALLGRIND_ZERO_STATS;
    pass();
    CALLGRIND_DUMP_STATS_AT(name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    openPassWindow(&argc, argv);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;  // the passes' count lines
    const int radius = 20;
    for (int mode = 0; mode < circleModeCount; ++mode) {
        const std::string tail = std::string(" ") + circleModeNames[mode] + " " + std::to_string(radius);
        const auto pixels = pixelsOf(mode, radius);
        setMode(mode, radius);
        count("pass" + tail, [] { displayCircles(); glFinish(); });
        count("cubes" + tail, [&] { barePass(pixels, radius, false); glFinish(); });
        count("cubes-and-circle" + tail, [&] { barePass(pixels, radius, true); glFinish(); });
    }
    return 0;
}
