// midpoint-session: plays a short session of midpoint-circles in the current X display with real
// input events, saving a picture of the window after each step and printing the count lines as
// the program wrote them.
//   usage: midpoint-session PROGRAM OUTPUT-FOLDER
#include <X11/keysym.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "xdrive/xdrive.h"

namespace {

const char* const title = "Cercles par l'algorithme du midpoint";

class Session {
public:
    Session(xdrive::Display& display, xdrive::Child& program, unsigned long window, std::string folder)
        : display_(display), program_(program), window_(window), folder_(std::move(folder)) {}

    // Takes whatever the last input made the program print, then a picture of the window.
    void shot(const std::string& what) {
        for (const std::string& line : program_.readLinesUntilQuiet(xdrive::settleMs())) {
            std::cout << line << "\n";
        }
        char name[128];
        std::snprintf(name, sizeof name, "%02d-%s.png", ++count_, what.c_str());
        const std::string path = folder_ + "/" + name;
        if (!display_.grab(window_).savePng(path)) std::cerr << "could not write " << path << "\n";
        std::cerr << "picture: " << path << "\n";
    }

    void key(unsigned long keysym) { display_.tapKey(keysym); }

    // A left-button drag of (dx, dy) window pixels from the window's centre, with a modifier held.
    void drag(unsigned long modifier, int dx, int dy) {
        const xdrive::Geometry g = display_.geometry(window_);
        const int x = g.x + g.width / 2, y = g.y + g.height / 2;
        display_.moveTo(x, y);
        display_.keyDown(modifier);
        display_.buttonDown(1);
        display_.glide(x, y, x + dx, y + dy, 10);
        display_.buttonUp(1);
        display_.keyUp(modifier);
    }

private:
    xdrive::Display& display_;
    xdrive::Child& program_;
    unsigned long window_;
    std::string folder_;
    int count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: midpoint-session PROGRAM OUTPUT-FOLDER\n";
        return 2;
    }
    try {
        xdrive::Display display;
        xdrive::Child program({argv[1]}, {});
        const unsigned long window = display.waitForWindow(title, 10000);
        if (window == 0) {
            std::cerr << "the window did not appear\n";
            return 1;
        }
        display.focus(window);
        Session session(display, program, window, argv[2]);
        const char* const modes[] = {"outline", "spans", "extents"};
        for (int mode = 0; mode < 3; ++mode) {
            if (mode > 0) {
                session.key(XK_Return);
                for (int i = 0; i < 4; ++i) session.key(XK_minus);
            }
            for (int radius = 1; radius <= 5; ++radius) {
                if (radius > 1) session.key(XK_plus);
                session.shot(std::string(modes[mode]) + "-radius-" + std::to_string(radius));
            }
        }
        session.drag(XK_Shift_L, 40, 30);
        session.shot("extents-turned-by-shift-drag");
        for (int i = 0; i < 15; ++i) session.key(XK_z);
        session.shot("extents-turned-30-degrees-about-z");
        session.drag(XK_Control_L, 0, 60);
        session.shot("extents-zoomed-by-ctrl-drag");
        session.key(XK_Escape);
        for (const std::string& line : program.readLinesUntilQuiet(xdrive::settleMs())) std::cout << line << "\n";
        const int status = program.wait(5000);
        std::cerr << "midpoint-circles ended with status " << status << "\n";
        return status == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "midpoint-session: " << e.what() << "\n";
        return 1;
    }
}
