// state-pictures: drives a program in the current X display through a script of keys and saves a
// picture of its window at the named steps, as the web page's tests compare with.
//   usage: state-pictures FOLDER PROGRAM STEP...
//   STEP: a key by its X name, as "plus" or "Return", with "*N" to repeat it ("plus*4"),
//         or "=NAME" to save FOLDER/NAME.png once the window shows the frame of every key before.
// Each key must redraw once, printing one count line; the frame of the last line read is on the
// screen once the server has painted as many frames as the program has printed lines.
#include <X11/Xlib.h>

#include <iostream>
#include <optional>
#include <string>

#include "xdrive/xdrive.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: state-pictures FOLDER PROGRAM STEP...\n";
        return 2;
    }
    xdrive::Display display;
    display.countFrames();
    xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle, {argv[2]});
    if (launched.window == 0) {
        std::cerr << "state-pictures: the window did not appear\n";
        return 1;
    }
    xdrive::Child& program = *launched.child;
    int lines = 0;
    const auto line = [&](const std::string& after) {
        const std::optional<std::string> next = program.readLine(20000);
        if (!next) std::cerr << "state-pictures: no count line after " << after << "\n";
        lines += next.has_value();
        return next;
    };
    // The first frame, then '+' and '-', whose lines follow those of every redraw the window
    // system's first exposures asked for: '+' is the first line with another count.
    const std::optional<std::string> first = line("the start");
    if (!first) return 1;
    display.tapKey(XStringToKeysym("plus"));
    std::optional<std::string> next;
    while ((next = line("plus")) == first) continue;
    if (!next) return 1;
    display.tapKey(XStringToKeysym("minus"));
    if (!line("minus")) return 1;

    for (int i = 3; i < argc; ++i) {
        const std::string step = argv[i];
        if (step[0] != '=') {
            const std::size_t star = step.find('*');
            const int times = star == std::string::npos ? 1 : std::stoi(step.substr(star + 1));
            const KeySym key = XStringToKeysym(step.substr(0, star).c_str());
            for (int k = 0; k < times; ++k) {
                display.tapKey(key);
                if (!line(step)) return 1;
            }
            continue;
        }
        if (!display.waitForFrames(launched.window, lines, 20000)) {
            std::cerr << "state-pictures: the frame of count line " << lines << " never reached the screen\n";
            return 1;
        }
        if (!display.grab(launched.window).savePng(std::string(argv[1]) + "/" + step.substr(1) + ".png")) return 1;
    }
    display.tapKey(XStringToKeysym("Escape"));
    return program.wait(10000) == 0 ? 0 : 1;
}
