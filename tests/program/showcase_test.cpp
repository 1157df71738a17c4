// view-showcase, the host of the support modules, driven by real XTest input.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "support/program.h"
#include "xdrive/xdrive.h"

namespace {


long differingPixels(const xdrive::Image& a, const xdrive::Image& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    long n = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) n += !(a.at(x, y) == b.at(x, y));
    }
    return n;
}

using program::Box;

// Around everything brighter than the dark background.
Box scene(const xdrive::Image& image) {
    return program::boxAround(image, [](const xdrive::Rgb& c) { return c.r + c.g + c.b >= 150; });
}

class Showcase : public ::testing::Test {
protected:
    void SetUp() override {
        display = std::make_unique<xdrive::Display>();
        xdrive::Launched launched = xdrive::launch(*display, xdrive::showcaseTitle, {VIEW_SHOWCASE}, {"LD_PRELOAD=" DRIVER_PRELOAD});
        child = std::move(launched.child);
        window = launched.window;
        ASSERT_TRUE(child && window != 0) << "the window did not appear";
        // Every frame is the same until the first input, and each is painted whole.
        start = pictureWhere([](const xdrive::Image& i) { return !scene(i).empty(); });
        ASSERT_FALSE(scene(start).empty()) << "the first frame never came";
    }
    void TearDown() override {
        if (display && child && child->wait(0) < 0) {
            display->tapKey(XK_Escape);
            EXPECT_EQ(child->wait(10000), 0);
        }
        child.reset();
    }
    xdrive::Image picture() { return display->grab(window); }
    template <typename Shown>
    xdrive::Image pictureWhere(Shown shown) { return program::pictureWhere(*display, window, shown); }
    void withKey(unsigned long modifier, unsigned long key) {
        display->keyDown(modifier);
        display->tapKey(key);
        display->keyUp(modifier);
    }

    std::unique_ptr<xdrive::Display> display;
    std::unique_ptr<xdrive::Child> child;
    unsigned long window = 0;
    xdrive::Image start;
};

}  // namespace

TEST_F(Showcase, ArrowKeysTurnTheSceneAndCtrlLeftRestoresTheStartPicture) {
    for (int i = 0; i < 20; ++i) display->tapKey(XK_Right);
    withKey(XK_Alt_L, XK_Down);
    const xdrive::Image turned = pictureWhere([&](const xdrive::Image& i) {
        return differingPixels(start, i) > 2000 && scene(i).width() < scene(start).width();
    });
    EXPECT_GT(differingPixels(start, turned), 2000);
    EXPECT_LT(scene(turned).width(), scene(start).width()) << "turned about Y, the ring looks narrower";
    withKey(XK_Control_L, XK_Left);
    EXPECT_EQ(differingPixels(start, pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) == 0; })), 0);
}

TEST_F(Showcase, ShiftEnterStartsAndStopsTheContinuousRotation) {
    EXPECT_EQ(differingPixels(start, picture()), 0) << "still before";
    withKey(XK_Shift_L, XK_Return);
    const xdrive::Image a = pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) > 1000; });
    const xdrive::Image b = pictureWhere([&](const xdrive::Image& i) { return differingPixels(a, i) > 1000; });
    EXPECT_GT(differingPixels(a, b), 1000) << "turning";
    withKey(XK_Shift_L, XK_Return);
    // Stopped: face-on again, then a turn about X and back, comes home to exactly the start
    // picture, which a rotation still running would have moved on from.
    withKey(XK_Control_L, XK_Left);
    pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) == 0; });
    display->tapKey(XK_x);
    pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) > 0; });
    display->tapKey(XK_X);
    EXPECT_EQ(differingPixels(start, pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) == 0; })), 0)
        << "stopped";
}

TEST_F(Showcase, NarrowWindowWidensTheViewAngle) {
    const Box square = scene(start);
    display->resize(window, 175, 350);
    const auto third = [&](const Box& b) { return std::abs(b.height() / static_cast<double>(square.height()) - 1.0 / 3.0) <= 0.05; };
    const Box narrow = scene(pictureWhere([&](const xdrive::Image& i) { return i.width == 175 && third(scene(i)); }));
    // 60 degrees become 120: the whole ring stays in view, at a third of its height.
    EXPECT_GT(narrow.left, 0);
    EXPECT_LT(narrow.right, 174);
    EXPECT_NEAR(narrow.height() / static_cast<double>(square.height()), 1.0 / 3.0, 0.05);
}

TEST_F(Showcase, PKeySwitchesToTheFrustumAndBack) {
    const Box perspective = scene(start);
    // Half-angles atan(0.5) against 30 degrees: the frustum shows the ring larger.
    const double larger = std::tan(M_PI / 6) / 0.5;
    display->tapKey(XK_p);
    const Box frustum = scene(pictureWhere([&](const xdrive::Image& i) {
        return std::abs(scene(i).width() / static_cast<double>(perspective.width()) - larger) <= 0.03;
    }));
    EXPECT_NEAR(frustum.width() / static_cast<double>(perspective.width()), larger, 0.03);
    display->tapKey(XK_p);
    EXPECT_EQ(differingPixels(start, pictureWhere([&](const xdrive::Image& i) { return differingPixels(start, i) == 0; })), 0);
}
