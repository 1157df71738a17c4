// The real midpoint-circles, started in the virtual display and driven by real key presses.
#include <cmath>

#include "support/circle_model.h"
#include "support/program.h"

using program::Program;
namespace pg = program;

TEST_F(Program, FirstFrameShowsTheRadiusOneOutlineOverTheCircle) {
    const double u = pg::pixelsPerUnit;
    const xdrive::Image image = pictureWhere([&](const xdrive::Image& i) { return pg::near(i, 175 + u, 175, 1, pg::blue); });
    ASSERT_EQ(image.width, 350);
    ASSERT_EQ(image.height, 350);
    EXPECT_TRUE(image.at(5, 5) == pg::background);
    EXPECT_TRUE(image.at(344, 344) == pg::background);
    EXPECT_TRUE(image.at(175, 175) == pg::background) << "the outline has no pixel at the centre";
    // Edges of the cubes at (1, 0) and (0, 1), half a unit either side of their centres.
    EXPECT_TRUE(pg::near(image, 175 + 0.5 * u, 175, 1, pg::red));
    EXPECT_TRUE(pg::near(image, 175 + 1.5 * u, 175, 1, pg::red));
    EXPECT_TRUE(pg::near(image, 175, 175 - 1.5 * u, 1, pg::red));
    // The exact circle through (1, 0) and (0, 1), inside those cubes.
    EXPECT_TRUE(pg::near(image, 175 + u, 175, 1, pg::blue));
    EXPECT_TRUE(pg::near(image, 175, 175 - u, 1, pg::blue));
    const pg::Box box = pg::drawing(image);
    EXPECT_NEAR(box.width(), 3 * u, 2);
    EXPECT_NEAR(box.height(), 3 * u, 2);
}

TEST_F(Program, RadiusSweepInEveryMode) {
    const int top = 9;
    for (int r = 2; r <= top; ++r) EXPECT_EQ(keyLine(XK_plus), std::to_string(model::count(circleOutlineMode, r))) << "outline " << r;
    EXPECT_EQ(keyLine(XK_Return), std::to_string(model::count(circleSpansMode, top)));
    for (int r = top - 1; r >= 1; --r) EXPECT_EQ(keyLine(XK_minus), std::to_string(model::count(circleSpansMode, r))) << "spans " << r;
    EXPECT_EQ(keyLine(XK_Return), std::to_string(model::count(circleExtentsMode, 1)));
    for (int r = 2; r <= top; ++r) EXPECT_EQ(keyLine(XK_plus), std::to_string(model::count(circleExtentsMode, r))) << "extents " << r;
    EXPECT_EQ(keyLine(XK_Return), std::to_string(model::count(circleOutlineMode, top))) << "back to the outline";
    const auto throughR = [&](const xdrive::Image& i) { return pg::near(i, 175 + top * pg::pixelsPerUnit, 175, 1, pg::blue); };
    EXPECT_TRUE(throughR(pictureWhere(throughR))) << "the circle through (r, 0)";
}

TEST_F(Program, MinusAtRadiusOneRedrawsTheSameCount) {
    EXPECT_EQ(keyLine(XK_minus), "4");
    EXPECT_EQ(keyLine(XK_plus), "12");
}

TEST_F(Program, UnusedKeyPrintsNothing) {
    display->tapKey(XK_a);
    display->tapKey(XK_q);
    EXPECT_EQ(fence(), std::vector<std::string>{}) << "lines before the fence";
    EXPECT_EQ(keyLine(XK_plus), "12") << "the program is still there";
}

TEST_F(Program, ResizeRedrawsWithTheSameCountAndKeepsTheCircleRound) {
    for (int i = 0; i < 4; ++i) keyLine(XK_plus);
    display->resize(window, 700, 350);
    const auto lines = redraws();
    ASSERT_FALSE(lines.empty()) << "a resize redraws";
    for (const std::string& line : lines) EXPECT_EQ(line, "28");
    const double u = pg::pixelsPerUnit;  // the height still shows 40 units
    const xdrive::Image image = pictureWhere([&](const xdrive::Image& i) {
        const pg::Box b = pg::drawing(i);
        return i.width == 700 && std::abs(b.width() - 11 * u) <= 2 && std::abs((b.left + b.right) / 2.0 - 350) <= 1.5;
    });
    ASSERT_EQ(image.width, 700);
    const pg::Box box = pg::drawing(image);
    EXPECT_NEAR((box.left + box.right) / 2.0, 350, 1.5);
    EXPECT_NEAR(box.width(), 11 * u, 2);
    EXPECT_NEAR(box.height(), 11 * u, 2);
    EXPECT_TRUE(pg::near(image, 350 + 5 * u, 175, 1, pg::blue));

    display->resize(window, 1, 1);
    for (const std::string& line : fence()) EXPECT_EQ(line, "28");
    display->resize(window, 350, 350);
    for (const std::string& line : fence()) EXPECT_EQ(line, "28");
    EXPECT_EQ(keyLine(XK_plus), std::to_string(model::count(circleOutlineMode, 6))) << "still answering after a one-pixel window";
}

TEST_F(Program, EscapeEndsWithStatusZeroAndNothingMore) {
    EXPECT_EQ(keyLine(XK_plus), "12");
    display->tapKey(XK_Escape);
    EXPECT_EQ(child->wait(10000), 0);
    EXPECT_FALSE(child->readLine(0).has_value());
}

// On a pipe the C library holds the lines until exit; Escape's exit must deliver all of them.
class ProgramOnAPipe : public Program {
protected:
    void SetUp() override { start(xdrive::Child::Output::pipe); }

    // Waits until the window shows something that satisfies `shown`.
    template <typename Shown>
    bool waitForPicture(Shown shown) { return shown(pictureWhere(shown)); }
};

TEST_F(ProgramOnAPipe, EscapeFlushesEveryBufferedLine) {
    const double u = pg::pixelsPerUnit;
    ASSERT_TRUE(waitForPicture([&](const xdrive::Image& i) { return pg::near(i, 175 + 0.5 * u, 175, 1, pg::red); }));
    EXPECT_FALSE(child->readLine(0).has_value()) << "nothing reaches the pipe before exit";
    display->tapKey(XK_plus);
    ASSERT_TRUE(waitForPicture([&](const xdrive::Image& i) { return pg::near(i, 175 + 2.5 * u, 175, 1, pg::red); }));
    display->tapKey(XK_Return);
    // The filled disc has cube edges half a unit from the centre, the radius-2 outline has none.
    ASSERT_TRUE(waitForPicture([&](const xdrive::Image& i) { return pg::near(i, 175 + 0.5 * u, 175, 1, pg::red); }));
    display->tapKey(XK_Escape);
    ASSERT_EQ(child->wait(10000), 0);
    std::vector<std::string> lines;
    while (auto line = child->readLine(0)) lines.push_back(*line);
    // The window system may ask for extra redraws; each repeats the count then current.
    std::vector<std::string> distinct;
    for (const std::string& line : lines) {
        if (distinct.empty() || distinct.back() != line) distinct.push_back(line);
    }
    EXPECT_EQ(distinct, (std::vector<std::string>{"4", "12", "27"}));
}
