// state-pictures: drives a program in the current X display through a script of keys and saves a
// picture of its window at the named steps, as the web page's tests compare with.
//   usage: state-pictures FOLDER PROGRAM STEP...
//   STEP: a key by its X name, as "plus" or "Return", with "*N" to repeat it ("plus*4"),
//         or "=NAME" to save FOLDER/NAME.png once the window shows the frame of every key before.
// Each key must redraw; the next key waits until its frame is on the screen.
#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "xdrive/xdrive.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: state-pictures FOLDER PROGRAM STEP...\n";
        return 2;
    }
    xdrive::Display display;
    xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle, {argv[2]});
    if (launched.window == 0) {
        std::cerr << "state-pictures: the window did not appear\n";
        return 1;
    }
    xdrive::Child& program = *launched.child;
    if (!program.readLine(20000)) return 1;  // the first frame, then its picture: more than one colour
    const auto drawn = [&] {
        const xdrive::Image image = display.grab(launched.window);
        return image.width > 0 && std::any_of(image.rgb.begin(), image.rgb.end(), [&](unsigned char c) { return c != image.rgb[0]; });
    };
    for (int t = 0; t < 2000 && !drawn(); ++t) usleep(5000);
    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        if (step[0] != '=') {
            const std::size_t star = step.find('*');
            const int times = star == std::string::npos ? 1 : std::stoi(step.substr(star + 1));
            const KeySym key = XStringToKeysym(step.substr(0, star).c_str());
            for (int k = 0; k < times; ++k) {
                const xdrive::Image before = display.grab(launched.window);
                display.tapKey(key);
                if (!program.readLine(20000)) {
                    std::cerr << "state-pictures: no redraw for " << step << "\n";
                    return 1;
                }
                // The line comes before the swap: watch the window until the frame changes it. A
                // frame that looks as the last one did (spans and extents at radius 1) changes
                // nothing, and any picture of it is right; 3 s is ample for one that differs.
                for (int t = 0; t < 600 && display.grab(launched.window).rgb == before.rgb; ++t) usleep(5000);
            }
            continue;
        }
        if (!display.grab(launched.window).savePng(std::string(argv[1]) + "/" + step.substr(1) + ".png")) return 1;
    }
    display.tapKey(XStringToKeysym("Escape"));
    return program.wait(10000) == 0 ? 0 : 1;
}
