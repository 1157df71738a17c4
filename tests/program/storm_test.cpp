// An event storm: thousands of seeded random real input events into the sanitizer build of
// midpoint-circles (keys, modifiers in every combination, all three buttons, drags in every
// mode, resizes down to 1 x 1), then Escape. Every count line must be the count of a mode and
// radius the program passed through, in order, as tracked here from the keys sent.
// The output is read as it comes: a program that stops printing fails the storm within seconds.
//   MIDPOINT_STORM_EVENTS (default 5000) and MIDPOINT_SEED steer it. The seed is fixed unless
//   MIDPOINT_STORM_RANDOM=1 asks for a fresh one; either way it is printed.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/circle_model.h"
#include "xdrive/xdrive.h"

namespace {

long envNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtol(value, nullptr, 10) : fallback;
}

class Storm {
public:
    Storm(xdrive::Display& display, xdrive::Child& child, unsigned long window, unsigned seed)
        : d_(display), child_(child), window_(window), random_(seed) {
        counts_.push_back(count());
    }

    // Returns whether the program was still running when the storm was over.
    bool run(long events) {
        while (sent_ < events && !stalled_ && child_.wait(0) < 0) {
            last_ = pick(12);
            switch (last_) {
                case 0: case 1: case 2: stateKey(); break;
                case 3: inertKey(); break;
                case 4: case 5: toggleModifier(); break;
                case 6: case 7: drag(); break;
                case 8: click(pick(2) == 0 ? 1 : 2); break;
                case 9: menuAndDismiss(); break;
                case 10: resize(); break;
                default: wander(); break;
            }
            drain(0);
        }
        if (stalled_) return false;  // nothing more would get through
        const bool running = child_.wait(0) < 0;
        if (!running) ADD_FAILURE() << "the program ended during the storm, after event " << sent_ << " of kind " << last_;
        releaseAll();
        d_.resize(window_, 350, 350);
        d_.tapKey(XK_Escape);
        return running;
    }

    // Reads what has arrived; each line must match a state from the last one matched on. Once
    // a few state keys have gone by without the newest state's count, waits for it, and marks
    // the program stalled when it does not come.
    void drain(int timeoutMs) {
        while (!stalled_) {
            const bool behind = keysSinceCaughtUp_ >= 3;
            auto line = child_.readLine(behind ? 30000 : timeoutMs);
            if (!line) {
                if (!behind) return;
                ADD_FAILURE() << "no count line for 30 s after " << keysSinceCaughtUp_ << " state keys, at event "
                              << sent_ << ": the program has stopped printing";
                stalled_ = true;
                return;
            }
            ++lines_;
            if (*line == std::to_string(counts_.back())) keysSinceCaughtUp_ = 0;
            std::size_t k = matched_;
            while (k < counts_.size() && std::to_string(counts_[k]) != *line) ++k;
            if (k == counts_.size()) {
                ADD_FAILURE() << "line " << lines_ << " \"" << *line << "\" is the count of no state since the last"
                              << " matched one (" << counts_[matched_] << ")";
                return;
            }
            matched_ = k;
        }
    }

    long lines() const { return lines_; }
    bool stalled() const { return stalled_; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::int64_t count() const { return model::count(mode_, radius_); }
    // Every state key is followed, sooner or later, by a redraw that prints the newest count.
    void changed() {
        counts_.push_back(count());
        ++keysSinceCaughtUp_;
    }
    void event() { ++sent_; }

    void hold(int which, bool down) {
        static const unsigned long keys[] = {XK_Shift_L, XK_Control_L, XK_Alt_L};
        if (held_[which] == down) return;
        held_[which] = down;
        down ? d_.keyDown(keys[which]) : d_.keyUp(keys[which]);
        event();
    }
    void releaseAll() {
        for (int i = 0; i < 3; ++i) hold(i, false);
    }

    // Enter in whatever modifier state, or +, - or a rotation letter with at most Alt held
    // (Shift or Ctrl would change the character typed).
    void stateKey() {
        const int which = pick(radius_ > 15 ? 5 : 4);
        if (which == 0) {
            d_.tapKey(XK_Return);
            event();
            if (!(held_[0] && !held_[1])) {  // Shift without Ctrl is the view module's toggle
                mode_ = (mode_ + 1) % 3;
                changed();
            }
            return;
        }
        hold(0, false);
        hold(1, false);
        static const unsigned long letters[] = {XK_x, XK_y, XK_z, XK_X, XK_Y, XK_Z};
        if (which == 1) {
            d_.tapKey(letters[pick(6)]);
        } else if (which == 2) {
            d_.tapKey(XK_plus);
            ++radius_;
            changed();
        } else {
            d_.tapKey(XK_minus);
            if (radius_ > 1) --radius_;
            changed();
        }
        event();
    }

    void inertKey() {
        static const unsigned long keys[] = {XK_a, XK_b, XK_q, XK_space, XK_1};
        hold(1, false);  // Ctrl would turn some of them into control characters
        d_.tapKey(keys[pick(5)]);
        event();
    }

    void toggleModifier() {
        const int which = pick(3);
        hold(which, !held_[which]);
    }

    xdrive::Geometry inside() { return d_.geometry(window_); }

    void drag() {
        const xdrive::Geometry g = inside();
        const int x = g.x + pick(std::max(1, g.width)), y = g.y + pick(std::max(1, g.height));
        d_.moveTo(x, y);
        d_.buttonDown(1);
        const int steps = 1 + pick(6);
        d_.glide(x, y, x + pick(121) - 60, y + pick(121) - 60, steps);
        d_.buttonUp(1);
        sent_ += 3 + steps;
    }

    void click(int button) {
        const xdrive::Geometry g = inside();
        d_.moveTo(g.x + pick(std::max(1, g.width)), g.y + pick(std::max(1, g.height)));
        d_.buttonDown(button);
        d_.buttonUp(button);
        sent_ += 3;
    }

    // The right button opens the menu; a left click far from its one entry closes it again.
    void menuAndDismiss() {
        const xdrive::Geometry g = inside();
        if (g.width < 350 || g.height < 350) return;
        d_.moveTo(g.x + 300, g.y + 300);
        d_.buttonDown(3);
        d_.buttonUp(3);
        // The click that closes it must come after the menu is up, or it could open later and
        // take a later click on its entry.
        if (!d_.waitForPopup(true, 30000)) {
            ADD_FAILURE() << "the menu did not open within 30 s, at event " << sent_;
            stalled_ = true;
            return;
        }
        d_.moveTo(g.x + 20, g.y + 20);
        d_.buttonDown(1);
        d_.buttonUp(1);
        EXPECT_TRUE(d_.waitForPopup(false, 30000)) << "the menu did not close";
        sent_ += 6;
    }

    void resize() {
        static const int sizes[][2] = {{1, 1}, {350, 350}, {700, 350}, {350, 700}, {120, 40}, {350, 350}};
        const auto& s = sizes[pick(6)];
        d_.resize(window_, s[0], s[1]);
        event();
    }

    void wander() {
        const xdrive::Geometry g = inside();
        d_.moveTo(g.x + pick(std::max(1, g.width)), g.y + pick(std::max(1, g.height)));
        event();
    }

    xdrive::Display& d_;
    xdrive::Child& child_;
    unsigned long window_;
    std::mt19937 random_;
    int mode_ = 0, radius_ = 1;
    bool held_[3] = {false, false, false};
    std::vector<std::int64_t> counts_;
    std::size_t matched_ = 0;
    long sent_ = 0, lines_ = 0;
    int keysSinceCaughtUp_ = 0;
    bool stalled_ = false;
    int last_ = -1;
};

}  // namespace

TEST(Storm, EveryCountLineMatchesTheTrackedStateAndEscapeEndsCleanly) {
    const long events = envNumber("MIDPOINT_STORM_EVENTS", 5000);
    const long fallback = envNumber("MIDPOINT_STORM_RANDOM", 0) != 0 ? static_cast<long>(std::random_device{}()) : 1310437922L;
    const unsigned seed = static_cast<unsigned>(envNumber("MIDPOINT_SEED", fallback));
    std::cout << "storm of " << events << " events, seed " << seed << " (MIDPOINT_SEED=" << seed
              << " reproduces it)" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    xdrive::Display display;
    xdrive::Launched launched = xdrive::launch(display, xdrive::circlesTitle, {MIDPOINT_CIRCLES}, {"LD_PRELOAD=" DRIVER_PRELOAD});
    ASSERT_TRUE(launched.child && launched.window != 0) << "the window did not appear";
    xdrive::Child& child = *launched.child;
    ASSERT_EQ(child.readLine(20000).value_or("(no line)"), "4") << "the first frame";
    Storm storm(display, child, launched.window, seed);
    EXPECT_TRUE(storm.run(events)) << "seed " << seed;
    if (storm.stalled()) return;  // the program is killed with its Child
    const int status = child.wait(60000);
    storm.drain(0);
    EXPECT_EQ(status, 0) << "seed " << seed << "\n" << child.transcript().substr(0, 3000);
    EXPECT_GT(storm.lines(), 0);
    const std::string& all = child.transcript();
    EXPECT_EQ(all.find("Sanitizer"), std::string::npos) << all.substr(all.find("Sanitizer") == std::string::npos ? 0 : all.find("Sanitizer"), 2000);
    EXPECT_EQ(all.find("runtime error"), std::string::npos) << "seed " << seed;
    std::cout << storm.lines() << " count lines checked" << std::endl;
}
