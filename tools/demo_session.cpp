// midpoint-session: plays a short session of midpoint-circles in the current X display with real
// input events, saving a picture of the window after each step and printing the count lines as
// the program wrote them.
//   usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]
#include <X11/keysym.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/modes.h"
#include "xdrive/xdrive.h"

namespace {

class Session {
public:
    Session(xdrive::Display& display, xdrive::Child& program, unsigned long window, std::string folder)
        : display_(display), program_(program), window_(window), folder_(std::move(folder)) {}

    // Prints the count lines the last input made the program print (one at least), then saves a
    // picture of the window once it has stopped changing (the line comes before the swap).
    void shot(const std::string& what) {
        const auto first = program_.readLine(20000);
        std::cout << first.value_or("(no count line)") << "\n";
        const xdrive::Image picture = display_.grabSteady(window_);
        while (auto line = program_.readLine(0)) std::cout << *line << "\n";
        char name[128];
        std::snprintf(name, sizeof name, "%02d-%s.png", ++count_, what.c_str());
        const std::string path = folder_ + "/" + name;
        if (!picture.savePng(path)) std::cerr << "could not write " << path << "\n";
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
    if (argc < 3) {
        std::cerr << "usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]\n";
        return 2;
    }
    try {
        xdrive::Display display;
        xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle,
                                                   std::vector<std::string>(argv + 2, argv + argc), {},
                                                   xdrive::Child::Output::terminal, 120000);
        if (launched.window == 0) {
            std::cerr << "the window did not appear\n";
            return 1;
        }
        xdrive::Child& program = *launched.child;
        Session session(display, program, launched.window, argv[1]);
        for (int mode = 0; mode < circleModeCount; ++mode) {
            if (mode > 0) {
                session.key(XK_Return);
                for (int i = 0; i < 4; ++i) session.key(XK_minus);
            }
            for (int radius = 1; radius <= 5; ++radius) {
                if (radius > 1) session.key(XK_plus);
                session.shot(std::string(circleModeNames[mode]) + "-radius-" + std::to_string(radius));
            }
        }
        const std::string last = circleModeNames[circleModeCount - 1];
        session.drag(XK_Shift_L, 40, 30);
        session.shot(last + "-turned-by-shift-drag");
        for (int i = 0; i < 15; ++i) session.key(XK_z);
        session.shot(last + "-turned-30-degrees-about-z");
        session.drag(XK_Control_L, 0, 60);
        session.shot(last + "-zoomed-by-ctrl-drag");
        session.key(XK_Escape);
        const int status = program.wait(120000);
        while (auto line = program.readLine(0)) std::cout << *line << "\n";
        std::cerr << "midpoint-circles ended with status " << status << "\n";
        return status == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "midpoint-session: " << e.what() << "\n";
        return 1;
    }
}
