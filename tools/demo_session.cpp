// midpoint-session: plays a short session of midpoint-circles in the current X display with real
// input events, saving a picture of the window after each step and printing the count lines as
// the program wrote them.
//   usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]
#include <X11/keysym.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/modes.h"
#include "xdrive/xdrive.h"

namespace {

class Session {
public:
    Session(xdrive::Display& display, xdrive::Child& program, unsigned long window, std::string folder)
        : display_(display), program_(program), window_(window), folder_(std::move(folder)) {}

    // Prints the next count line. Each comes from one redraw, so the lines read so far are the
    // frames to wait for.
    std::string line() {
        const auto next = program_.readLine(20000);
        if (!next) throw std::runtime_error("no count line after line " + std::to_string(lines_));
        std::cout << *next << "\n";
        ++lines_;
        return last_ = *next;
    }

    // Until the program has taken every input before: '+' changes the count, which every line
    // before it had, then '-' takes the radius back.
    void fence() {
        const std::string before = last_;
        display_.tapKey(XK_plus);
        while (line() == before) continue;
        display_.tapKey(XK_minus);
        line();
    }

    // Saves a picture of the window once the frame of the last line read is on the screen.
    void shot(const std::string& what) {
        if (!display_.waitForFrames(window_, lines_, 20000)) {
            throw std::runtime_error("the frame of count line " + std::to_string(lines_) + " never reached the screen");
        }
        char name[128];
        std::snprintf(name, sizeof name, "%02d-%s.png", ++count_, what.c_str());
        const std::string path = folder_ + "/" + name;
        if (!display_.grab(window_).savePng(path)) std::cerr << "could not write " << path << "\n";
        std::cerr << "picture: " << path << "\n";
    }

    // A key that redraws once.
    void key(unsigned long keysym) {
        display_.tapKey(keysym);
        line();
    }

    // A left-button drag of (dx, dy) window pixels from the window's centre, with a modifier held;
    // its redraws are as many as the program makes of its events, all read by the fence after it.
    void drag(unsigned long modifier, int dx, int dy) {
        const xdrive::Geometry g = display_.geometry(window_);
        const int x = g.x + g.width / 2, y = g.y + g.height / 2;
        display_.moveTo(x, y);
        display_.keyDown(modifier);
        display_.buttonDown(1);
        display_.glide(x, y, x + dx, y + dy, 10);
        display_.buttonUp(1);
        display_.keyUp(modifier);
        fence();
    }

private:
    xdrive::Display& display_;
    xdrive::Child& program_;
    unsigned long window_;
    std::string folder_;
    int count_ = 0;
    int lines_ = 0;
    std::string last_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]\n";
        return 2;
    }
    try {
        xdrive::Display display;
        display.countFrames();
        xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle,
                                                   std::vector<std::string>(argv + 2, argv + argc), {},
                                                   xdrive::Child::Output::terminal, 120000);
        if (launched.window == 0) {
            std::cerr << "the window did not appear\n";
            return 1;
        }
        xdrive::Child& program = *launched.child;
        Session session(display, program, launched.window, argv[1]);
        // The first frame, and those the window system's first exposures may ask for again.
        session.line();
        session.fence();
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
        display.tapKey(XK_Escape);  // quits without a redraw
        const int status = program.wait(120000);
        while (auto line = program.readLine(0)) std::cout << *line << "\n";
        std::cerr << "midpoint-circles ended with status " << status << "\n";
        return status == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "midpoint-session: " << e.what() << "\n";
        return 1;
    }
}
