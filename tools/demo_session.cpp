// midpoint-session: plays a short session of midpoint-circles in the current X display with real
// input events, saving a picture of the window after each step and printing the count lines as
// the program wrote them.
//   usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]
// (the program may be a wrapper, such as valgrind, followed by the program it runs)
#include <X11/keysym.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

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
        const xdrive::Image picture = display_.grab(window_);
        if (!picture.savePng(path)) std::cerr << "could not write " << path << "\n";
        std::cerr << "picture: " << path << "\n";
        pictures_.push_back(picture);
    }

    // Every picture in one sheet, six a row, in the order taken.
    void saveSheet() const {
        if (pictures_.empty()) return;
        const int columns = 6, cellW = pictures_[0].width, cellH = pictures_[0].height;
        const int rows = (static_cast<int>(pictures_.size()) + columns - 1) / columns;
        xdrive::Image sheet;
        sheet.width = columns * cellW;
        sheet.height = rows * cellH;
        sheet.rgb.assign(static_cast<std::size_t>(sheet.width) * static_cast<std::size_t>(sheet.height) * 3, 255);
        for (std::size_t k = 0; k < pictures_.size(); ++k) {
            const int left = static_cast<int>(k) % columns * cellW, top = static_cast<int>(k) / columns * cellH;
            const xdrive::Image& p = pictures_[k];
            for (int y = 0; y < p.height && y < cellH; ++y) {
                for (int x = 0; x < p.width && x < cellW; ++x) {
                    const xdrive::Rgb c = p.at(x, y);
                    unsigned char* out = &sheet.rgb[(static_cast<std::size_t>(top + y) * static_cast<std::size_t>(sheet.width) + static_cast<std::size_t>(left + x)) * 3];
                    out[0] = static_cast<unsigned char>(c.r), out[1] = static_cast<unsigned char>(c.g), out[2] = static_cast<unsigned char>(c.b);
                }
            }
        }
        sheet.savePng(folder_ + "/all-steps.png");
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
    std::vector<xdrive::Image> pictures_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: midpoint-session OUTPUT-FOLDER PROGRAM [ARGUMENT...]\n";
        return 2;
    }
    try {
        xdrive::Display display;
        xdrive::Child program(std::vector<std::string>(argv + 2, argv + argc), {});
        const unsigned long window = display.waitForWindow(title, 120000);
        if (window == 0) {
            std::cerr << "the window did not appear\n";
            return 1;
        }
        display.focus(window);
        Session session(display, program, window, argv[1]);
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
        session.saveSheet();
        session.key(XK_Escape);
        for (const std::string& line : program.readLinesUntilQuiet(xdrive::settleMs())) std::cout << line << "\n";
        const int status = program.wait(120000);
        std::cerr << "midpoint-circles ended with status " << status << "\n";
        return status == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "midpoint-session: " << e.what() << "\n";
        return 1;
    }
}
