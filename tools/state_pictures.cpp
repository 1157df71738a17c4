// state-pictures: drives a program in the current X display through a script of keys and saves a
// picture of its window at the named steps, as the web page's tests compare with.
//   usage: state-pictures FOLDER PROGRAM STEP...
//   STEP: a key by its X name, as "plus" or "Return", with "*N" to repeat it ("plus*4"),
//         or "=NAME" to save FOLDER/NAME.png once the window shows the frame of every key before.
// Each key must redraw; the picture is taken when the count line of every key before has come
// and the window has stopped changing.
#include <X11/Xlib.h>

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
    if (!program.readLine(20000)) return 1;  // the first frame
    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        if (step[0] != '=') {
            const std::size_t star = step.find('*');
            const int times = star == std::string::npos ? 1 : std::stoi(step.substr(star + 1));
            const KeySym key = XStringToKeysym(step.substr(0, star).c_str());
            for (int k = 0; k < times; ++k) {
                display.tapKey(key);
                if (!program.readLine(20000)) {  // one key, one redraw: no two share a frame
                    std::cerr << "state-pictures: no redraw for " << step << "\n";
                    return 1;
                }
            }
            continue;
        }
        if (!display.grabSteady(launched.window).savePng(std::string(argv[1]) + "/" + step.substr(1) + ".png")) return 1;
    }
    display.tapKey(XStringToKeysym("Escape"));
    return program.wait(10000) == 0 ? 0 : 1;
}
