#include "counting_sink.h"

#include "app/grid_pixel.h"

namespace {
long long draws = 0;
long long mix = 0;  // keeps the coordinates alive
}  // namespace

void plotGridPixel(int x, int y, const Color*) {
    ++draws;
    mix += x ^ y;
}

long long sinkDraws() { return draws + (mix == -1 ? 1 : 0); }
void resetSink() { draws = mix = 0; }
