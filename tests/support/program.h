// A fixture that starts the real midpoint-circles in the test's X display and drives it with
// real XTest events, reading its count lines through a pseudo-terminal as they are written.
#pragma once

#include <X11/keysym.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/circle_model.h"
#include "xdrive/xdrive.h"

namespace program {

const xdrive::Rgb background = {204, 204, 204};
const xdrive::Rgb red = {255, 0, 0};
const xdrive::Rgb blue = {0, 0, 255};
const double pixelsPerUnit = 350.0 / 40.0;  // a 350-pixel window shows 40 scene units

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The smallest box around every pixel for which keep(colour) holds.
template <typename Keep>
Box boxAround(const xdrive::Image& image, Keep keep) {
    Box b;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!keep(image.at(x, y))) continue;
            b.left = std::min(b.left, x), b.right = std::max(b.right, x);
            b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
        }
    }
    return b;
}

// The smallest box around every pixel that is not background.
inline Box drawing(const xdrive::Image& image) {
    return boxAround(image, [](const xdrive::Rgb& c) { return !(c == background); });
}

// Whether a pixel of exactly this colour lies within `reach` pixels of (x, y).
inline bool near(const xdrive::Image& image, double x, double y, int reach, const xdrive::Rgb& colour) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
            if (px >= 0 && py >= 0 && px < image.width && py < image.height && image.at(px, py) == colour) return true;
        }
    }
    return false;
}

// Pictures of the window until one shows what `shown` asks for, for 10 s at most; the last one
// is returned either way, for the test's own checks to report.
template <typename Shown>
xdrive::Image pictureWhere(xdrive::Display& display, unsigned long window, Shown shown) {
    xdrive::Image image = display.grab(window);
    for (int i = 0; i < 500 && !shown(image); ++i) {
        usleep(20000);
        image = display.grab(window);
    }
    return image;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override { start(xdrive::Child::Output::terminal); }

    void TearDown() override {
        child.reset();
        if (display) {
            EXPECT_TRUE(display->waitUntilGone(xdrive::circlesTitle, 5000));
        }
    }

    void start(xdrive::Child::Output output) {
        if (!display) display = std::make_unique<xdrive::Display>();
        // Leak detection stays on: Mesa's driver kept loaded, what it keeps until exit suppressed.
        xdrive::Launched launched = xdrive::launch(*display, xdrive::circlesTitle, {MIDPOINT_CIRCLES},
                                                   {"LD_PRELOAD=" DRIVER_PRELOAD}, output);
        child = std::move(launched.child);
        window = launched.window;
        ASSERT_TRUE(child) << "a window of an earlier test is still there";
        ASSERT_NE(window, 0u) << "the window did not appear";
        if (output == xdrive::Child::Output::terminal) {
            const auto first = child->readLine(20000);
            ASSERT_TRUE(first.has_value()) << "no first count line";
            EXPECT_EQ(*first, "4");
            // The window system's first exposures may redraw again; the fence takes them all.
            for (const std::string& line : fence()) EXPECT_EQ(line, "4");
        }
    }

    static std::string countOf(int m, int r) { return std::to_string(model::count(m, r)); }

    // Types a key and returns the one count line its redraw printed; follows Enter, + and -.
    std::string keyLine(unsigned long keysym) {
        display->tapKey(keysym);
        if (keysym == XK_Return) mode = (mode + 1) % 3;
        if (keysym == XK_plus) ++radius;
        if (keysym == XK_minus && radius > 1) --radius;
        const auto line = child->readLine(10000);
        return line ? *line : "(no line)";
    }

    // Every line printed before the program takes the next key, in order: '+' then '-' are
    // typed, and their own lines, which come after all earlier ones, are read and dropped.
    std::vector<std::string> fence() {
        std::vector<std::string> before;
        display->tapKey(XK_plus);
        for (;;) {
            const auto line = child->readLine(10000);
            if (!line) {
                ADD_FAILURE() << "no line for the fence's '+'";
                return before;
            }
            if (*line == countOf(mode, radius + 1)) break;
            before.push_back(*line);
        }
        display->tapKey(XK_minus);
        EXPECT_EQ(child->readLine(10000).value_or("(no line)"), countOf(mode, radius)) << "the fence's '-'";
        return before;
    }

    // The lines of the redraws that the last input caused: at least one, then any that follow.
    std::vector<std::string> redraws() {
        const auto first = child->readLine(10000);
        if (!first) return {};
        std::vector<std::string> lines = fence();
        lines.insert(lines.begin(), *first);
        return lines;
    }

    xdrive::Geometry where() { return display->geometry(window); }
    xdrive::Image picture() { return display->grab(window); }
    // The count line is printed before the buffers are swapped: wait for the frame wanted.
    template <typename Shown>
    xdrive::Image pictureWhere(Shown shown) { return program::pictureWhere(*display, window, shown); }

    // A left-button drag of (dx, dy) pixels from the window's centre with these keys held.
    void drag(const std::vector<unsigned long>& held, int dx, int dy) {
        const xdrive::Geometry g = where();
        const int x = g.x + g.width / 2, y = g.y + g.height / 2;
        display->moveTo(x, y);
        for (unsigned long k : held) display->keyDown(k);
        display->buttonDown(1);
        display->glide(x, y, x + dx, y + dy, 12);
        display->buttonUp(1);
        for (unsigned long k : held) display->keyUp(k);
    }

    std::unique_ptr<xdrive::Display> display;
    std::unique_ptr<xdrive::Child> child;
    unsigned long window = 0;
    int mode = 0, radius = 1;  // as keyLine has taken them
};

}  // namespace program
