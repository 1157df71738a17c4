// The real midpoint-circles turned, zoomed and shifted by real drags and keys, and ended from
// its menu.
#include <cmath>
#include <functional>

#include "support/program.h"

using program::Program;
namespace pg = program;

namespace {

class Views : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        for (int i = 0; i < 4; ++i) ASSERT_NE(keyLine(XK_plus), "(no line)");  // radius 5: 28
    }

    // Every line printed since the last input; at least one, each the unchanged count.
    void expectRedrawsOf(const std::string& count) {
        const auto lines = redraws();
        EXPECT_FALSE(lines.empty()) << "no redraw";
        for (const std::string& line : lines) EXPECT_EQ(line, count);
    }

    // The drawing's box once the frame it belongs to is on the screen.
    pg::Box boxWhere(const std::function<bool(const pg::Box&)>& shown) {
        return pg::drawing(pictureWhere([&](const xdrive::Image& i) { return shown(pg::drawing(i)); }));
    }
    static bool near(double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; }
    const double diameter = 11 * pg::pixelsPerUnit;  // radius 5, face-on
};

}  // namespace

TEST_F(Views, ShiftDragOfNinetyPixelsTurnsTheCircleEdgeOn) {
    const pg::Box before = boxWhere([&](const pg::Box& b) { return near(b.width(), diameter, 2); });
    EXPECT_NEAR(before.width(), diameter, 2);
    drag({XK_Shift_L}, 90, 0);
    expectRedrawsOf("28");
    const pg::Box after = boxWhere([&](const pg::Box& b) { return b.width() <= 12 && near(b.height(), before.height(), 2); });
    EXPECT_LE(after.width(), 12) << "seen edge-on the disc is a vertical line one cube wide";
    EXPECT_NEAR(after.height(), before.height(), 2);
    EXPECT_NEAR((after.left + after.right) / 2.0, 175, 1.5);
}

TEST_F(Views, ShiftCtrlDragTurnsAboutZHorizontallyAndAboutXVertically) {
    const pg::Box before = boxWhere([&](const pg::Box& b) { return near(b.width(), diameter, 2); });
    drag({XK_Shift_L, XK_Control_L}, 90, 0);
    expectRedrawsOf("28");
    // A quarter turn about the view axis maps the symmetric outline onto itself.
    const pg::Box turned = boxWhere([&](const pg::Box& b) { return near(b.width(), diameter, 2) && near(b.height(), diameter, 2); });
    EXPECT_NEAR(turned.width(), before.width(), 2);
    EXPECT_NEAR(turned.height(), before.height(), 2);
    drag({XK_Shift_L, XK_Control_L}, 0, 90);
    expectRedrawsOf("28");
    EXPECT_LE(boxWhere([&](const pg::Box& b) { return b.height() <= 12 && near(b.width(), diameter, 2); }).height(), 12)
        << "a quarter turn about X: edge-on, horizontal";
}

TEST_F(Views, CtrlDragDownEnlargesByTwoPercentPerFivePixels) {
    const pg::Box before = boxWhere([&](const pg::Box& b) { return near(b.width(), diameter, 2); });
    drag({XK_Control_L}, 0, 50);
    expectRedrawsOf("28");
    const double enlarged = 1.2190 * before.width();
    const pg::Box after = boxWhere([&](const pg::Box& b) { return near(b.width(), enlarged, 2); });
    EXPECT_NEAR(after.width(), enlarged, 2);
    drag({XK_Control_L}, 0, -50);
    expectRedrawsOf("28");
    EXPECT_NEAR(boxWhere([&](const pg::Box& b) { return near(b.width(), before.width(), 1); }).width(), before.width(), 1);
}

TEST_F(Views, AltDragMovesTheSceneWithTheCursor) {
    const pg::Box before = boxWhere([&](const pg::Box& b) { return near(b.width(), diameter, 2); });
    drag({XK_Alt_L}, 35, 35);
    expectRedrawsOf("28");
    const pg::Box after = boxWhere([&](const pg::Box& b) {
        return near(b.width(), before.width(), 1) && near(b.left - before.left, 35, 1) && near(b.top - before.top, 35, 1);
    });
    EXPECT_NEAR(after.left - before.left, 35, 1);
    EXPECT_NEAR(after.top - before.top, 35, 1);
    EXPECT_NEAR(after.width(), before.width(), 1);
}

TEST_F(Views, PlainLeftDragPrintsNothing) {
    drag({}, 40, 40);
    EXPECT_EQ(fence(), std::vector<std::string>{}) << "lines before the fence";
    const pg::Box box = pg::drawing(picture());
    EXPECT_NEAR((box.left + box.right) / 2.0, 175, 1.5);
}

TEST_F(Views, RotationKeysTurnTheSceneAndRedraw) {
    for (int i = 0; i < 45; ++i) ASSERT_EQ(keyLine(XK_x), "28");
    const pg::Box edgeOn = boxWhere([](const pg::Box& b) { return b.height() <= 12; });
    EXPECT_LE(edgeOn.height(), 12) << "90 degrees about X: a horizontal line";
    for (int i = 0; i < 45; ++i) ASSERT_EQ(keyLine(XK_X), "28");
    EXPECT_NEAR(boxWhere([&](const pg::Box& b) { return near(b.height(), diameter, 2); }).height(), diameter, 2);
}

TEST_F(Views, ShiftEnterRedrawsWithoutChangingTheRasteriser) {
    display->keyDown(XK_Shift_L);
    display->tapKey(XK_Return);
    display->keyUp(XK_Shift_L);
    expectRedrawsOf("28");
    EXPECT_EQ(keyLine(XK_Return), "111") << "plain Enter then moves on to the spans";
}

TEST_F(Views, MenuEntryQuitterEndsWithStatusZero) {
    const xdrive::Geometry g = where();
    const int x = g.x + 100, y = g.y + 100;
    // A right click opens the menu at the pointer; it stays open until an entry is clicked.
    display->moveTo(x, y);
    display->buttonDown(3);
    display->buttonUp(3);
    ASSERT_TRUE(display->waitForPopup(true, 10000)) << "the menu did not open";
    display->glide(x, y, x + 32, y + 13, 8);  // onto "Quitter", the one entry
    EXPECT_EQ(child->wait(0), -1) << "opening the menu ends nothing";
    display->buttonDown(3);
    display->buttonUp(3);
    EXPECT_EQ(child->wait(10000), 0);
    // Opening the menu may have made the window redraw, with the count unchanged.
    while (auto line = child->readLine(0)) EXPECT_EQ(*line, "28");
}
