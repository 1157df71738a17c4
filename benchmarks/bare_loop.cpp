#include "app/grid_pixel.h"
#include "counting_sink.h"

void bareSinkLoop(long long n) {
    for (long long i = 0; i < n; ++i) plotGridPixel(static_cast<int>(i & 1023), static_cast<int>(i >> 10), nullptr);
}
