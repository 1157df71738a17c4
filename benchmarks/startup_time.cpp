// Time from process start to the first count line of midpoint-circles, read through a
// pseudo-terminal, over repeated runs in the current X display.
//   usage: startup-time PROGRAM [RUNS]    prints: median min max (seconds)
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "xdrive/xdrive.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-time PROGRAM [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    xdrive::Display display;
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        xdrive::Child program({argv[1]}, {});
        if (!program.readLine(20000)) {
            std::fprintf(stderr, "no first line\n");
            return 1;
        }
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        const unsigned long window = display.waitForWindow(xdrive::circlesTitle, 5000);
        display.focus(window);
        display.tapKey(XK_Escape);
        program.wait(5000);
        display.waitUntilGone(xdrive::circlesTitle, 5000);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.4f %.4f %.4f\n", seconds[seconds.size() / 2], seconds.front(), seconds.back());
    return 0;
}
