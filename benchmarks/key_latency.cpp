// What a user of the native window feels: the time from a key press (x or X, a turn that redraws
// the scene) to its count line, read through a pseudo-terminal, in each mode at radius 20, 60 and
// 100, face-on and turned 40 degrees about y (20 presses of y, undone after). Medians of 16
// presses, x and X in turn, so that the scene ends as it began. Prints "key_ms/MODE/RADIUS value"
// and "key_ms/MODE/RADIUS/turned value" lines, as web_bench.mjs does for the page.
//   usage: key-latency MIDPOINT-CIRCLES
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/modes.h"
#include "xdrive/xdrive.h"

namespace {

bool press(xdrive::Display& display, xdrive::Child& program, unsigned long keysym, double* ms) {
    const auto start = std::chrono::steady_clock::now();
    display.keyDown(keysym);
    const bool printed = program.readLine(20000).has_value();
    if (ms) *ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    display.keyUp(keysym);
    return printed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: key-latency MIDPOINT-CIRCLES\n");
        return 2;
    }
    xdrive::Display display;
    xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle, {argv[1]});
    if (launched.window == 0 || !launched.child->readLine(20000)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    xdrive::Child& program = *launched.child;
    int radius = 1;
    for (int target : {20, 60, 100}) {
        for (; radius < target; ++radius) {
            if (!press(display, program, XK_plus, nullptr)) return 1;
        }
        for (int mode = 0; mode < circleModeCount; ++mode) {
            for (const bool turned : {false, true}) {
                for (int i = 0; turned && i < 20; ++i) {
                    if (!press(display, program, XK_y, nullptr)) return 1;
                }
                std::vector<double> ms(16);
                for (std::size_t i = 0; i < ms.size(); ++i) {
                    if (!press(display, program, i % 2 ? XK_X : XK_x, &ms[i])) return 1;
                }
                std::sort(ms.begin(), ms.end());
                std::printf("key_ms/%s/%d%s %.2f\n", circleModeNames[mode], target, turned ? "/turned" : "", ms[ms.size() / 2]);
                for (int i = 0; turned && i < 20; ++i) {
                    if (!press(display, program, XK_Y, nullptr)) return 1;
                }
            }
            if (!press(display, program, XK_Return, nullptr)) return 1;
        }
    }
    display.tapKey(XK_Escape);
    return program.wait(10000) == 0 ? 0 : 1;
}
