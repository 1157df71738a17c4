// The mouse half of the view module, and both view transforms, in the real window: button and
// motion handlers read the projection and the window width from GL and GLUT themselves.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "projection/projection.h"
#include "support/gl_window.h"
#include "support/matrices.h"
#include "view/view.h"
#include "view/view_testing.h"

namespace {

const int shift = GLUT_ACTIVE_SHIFT, ctrl = GLUT_ACTIVE_CTRL, alt = GLUT_ACTIVE_ALT;

class Mouse : public ::testing::Test {
protected:
    void SetUp() override {
        resetViewForTesting();
        setOrthoVolume(-20, 20, -20, 20, -300, 300);
        reshapeOrtho(350, 350);
    }
    void TearDown() override { resetViewForTesting(); }

    static int press(int modifiers, int x, int y, int button = GLUT_LEFT_BUTTON) {
        overrideModifiersForTesting(modifiers);
        return handleMouseButton(button, GLUT_DOWN, x, y);
    }
    static int release(int modifiers, int x, int y, int button = GLUT_LEFT_BUTTON) {
        overrideModifiersForTesting(modifiers);
        return handleMouseButton(button, GLUT_UP, x, y);
    }
    static ViewState state() { return viewStateForTesting(); }
};

void expectNear(const std::array<float, 16>& got, const mat::M& want) {
    for (std::size_t i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], 2e-5) << "element " << i;
}

}  // namespace

TEST_F(Mouse, PressWithoutModifierIsIgnoredButRewritesTheMode) {
    EXPECT_EQ(press(shift, 10, 10), 1);
    EXPECT_EQ(state().dragging, 1);
    EXPECT_EQ(press(0, 50, 60), 0);
    EXPECT_EQ(state().currentMode, MODE_NONE);
    EXPECT_EQ(state().dragging, 1) << "dragging keeps its value";
    EXPECT_EQ(state().lastX, 10);
}

TEST_F(Mouse, ReleaseWithoutModifierLeavesAStaleDragThatChangesNothing) {
    press(shift, 100, 100);
    EXPECT_EQ(release(0, 120, 100), 0);
    EXPECT_EQ(state().dragging, 1);
    EXPECT_EQ(state().currentMode, MODE_NONE);
    EXPECT_EQ(press(0, 100, 100), 0);
    EXPECT_EQ(handleMouseMotion(150, 130), 1) << "motion redraws";
    const ViewState s = state();
    EXPECT_EQ(s.mouseRotX + s.mouseRotY + s.mouseRotZ + s.translateX + s.translateY, 0.0f);
    EXPECT_EQ(s.zoomScale, 1.0f);
    EXPECT_EQ(release(shift, 150, 130), 1);
    EXPECT_EQ(state().dragging, 0);
    EXPECT_EQ(handleMouseMotion(160, 130), 0) << "the next left-button event with a modifier ends it";
}

TEST_F(Mouse, OtherButtonsStopTheDragAndAreNotConsumed) {
    press(shift, 100, 100);
    EXPECT_EQ(press(shift, 100, 100, GLUT_MIDDLE_BUTTON), 0);
    EXPECT_EQ(state().lastButton, GLUT_MIDDLE_BUTTON);
    EXPECT_EQ(handleMouseMotion(140, 100), 0);
    EXPECT_EQ(state().mouseRotY, 0.0f);
    EXPECT_EQ(press(shift, 140, 100, GLUT_RIGHT_BUTTON), 0);
    EXPECT_EQ(handleMouseMotion(140, 100), 0);
}

TEST_F(Mouse, ShiftTurnsAboutYAndXShiftCtrlAboutZAndX) {
    press(shift, 0, 0);
    EXPECT_EQ(handleMouseMotion(360, 0), 1);
    EXPECT_EQ(handleMouseMotion(360, -45), 1);
    EXPECT_EQ(state().mouseRotY, 360.0f) << "never wrapped";
    EXPECT_EQ(state().mouseRotX, -45.0f);
    release(shift, 360, -45);
    press(shift | ctrl | alt, 0, 0);
    EXPECT_EQ(state().currentMode, MODE_SHIFT_CTRL);
    handleMouseMotion(30, 10);
    EXPECT_EQ(state().mouseRotZ, 30.0f);
    EXPECT_EQ(state().mouseRotX, -35.0f);
    EXPECT_EQ(state().mouseRotY, 360.0f);
}

TEST_F(Mouse, CtrlZoomsByTwoPercentPerFivePixels) {
    press(ctrl, 0, 100);
    handleMouseMotion(0, 105);
    EXPECT_EQ(state().zoomScale, 1.02f);
    handleMouseMotion(0, 100);
    EXPECT_EQ(state().zoomScale, 1.0f);
    handleMouseMotion(80, 150);
    EXPECT_NEAR(state().zoomScale, 1.2190f, 1e-4);
    EXPECT_EQ(state().zoomScale, static_cast<float>(std::pow(static_cast<double>(1.02f), 10.0)));
    EXPECT_EQ(state().lastX, 0) << "a zoom moves only lastY";
    handleMouseMotion(80, 150);
    EXPECT_NEAR(state().zoomScale, 1.2190f, 1e-4) << "no vertical motion, no zoom";
    press(ctrl | alt, 0, 0);
    EXPECT_EQ(state().currentMode, MODE_CTRL);
}

TEST_F(Mouse, ZoomStaysFiniteAndNormalSoThatDraggingBackBringsThePictureBack) {
    for (const int way : {1, -1}) {  // down enlarges, up shrinks
        press(ctrl, 0, 0);
        // 400 steps of 100 pixels: 1.02^8000, far past a float's range either way.
        for (int i = 1; i <= 400; ++i) {
            handleMouseMotion(0, way * 100 * i);
            ASSERT_TRUE(std::isnormal(state().zoomScale)) << "step " << i << ": " << state().zoomScale;
        }
        EXPECT_TRUE(way > 0 ? state().zoomScale > 1e37f : state().zoomScale < 1e-37f) << "as far as a float goes";
        for (int i = 399; i >= 0; --i) handleMouseMotion(0, way * 100 * i);
        EXPECT_TRUE(way > 0 ? state().zoomScale < 1.0f : state().zoomScale > 1.0f)
            << "the same drag back passes the starting size: " << state().zoomScale;
        resetViewForTesting();
    }
}

TEST_F(Mouse, AltShiftsWithTheCursor) {
    EXPECT_EQ(press(alt, 100, 100), 1);
    EXPECT_EQ(state().windowWidth, 350);
    EXPECT_EQ(state().savedP00, 0.05f);
    handleMouseMotion(135, 100);
    EXPECT_EQ(state().translateX, 4.0f);
    handleMouseMotion(135, 135);
    EXPECT_EQ(state().translateY, -4.0f);
    setTranslationFactor(0.5f);
    handleMouseMotion(170, 135);
    EXPECT_EQ(state().translateX, 6.0f);
}

TEST_F(Mouse, ShiftUsesTheProjectionAndWidthOfTheLastButtonEvent) {
    reshapeOrtho(700, 350);  // P00 = 1/40
    press(alt, 0, 0);
    reshapeOrtho(350, 350);
    handleMouseMotion(35, 0);
    EXPECT_EQ(state().translateX, 8.0f);
    press(alt, 0, 0, GLUT_MIDDLE_BUTTON);  // refreshes the saved projection even though ignored
    EXPECT_EQ(state().savedP00, 0.05f);
}

TEST_F(Mouse, DegenerateProjectionNeverMakesTheShiftInfinite) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(0, 1, 1);
    press(alt, 0, 0);
    handleMouseMotion(35, 35);
    EXPECT_EQ(state().translateX, 0.0f);
    EXPECT_EQ(state().translateY, 0.0f);
    EXPECT_EQ(state().lastX, 35);
    reshapeOrtho(350, 350);
}

TEST_F(Mouse, AKeyMidDragChangesWhatMotionDoes) {
    press(ctrl, 100, 100);
    handleMouseMotion(130, 110);  // zoom: lastX stays 100
    overrideModifiersForTesting(shift);
    handleRotationKey('x', 0, 0);
    EXPECT_EQ(state().currentMode, MODE_SHIFT);
    handleMouseMotion(140, 110);
    EXPECT_EQ(state().mouseRotY, 40.0f) << "measured from the last horizontal position before the zoom";
    EXPECT_EQ(state().mouseRotX, 0.0f);
}

TEST_F(Mouse, TransformsMultiplyInTheirOrder) {
    press(alt, 0, 0);
    handleMouseMotion(35, -70);  // shift (4, 8)
    press(ctrl, 0, 0);
    handleMouseMotion(0, 25);    // zoom 1.02^5
    setMouseRotation(10, 20, 30);
    setKeyRotation(-5, 15, 25);
    const double zoom = state().zoomScale;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyMouseTransform();
    mat::M mouse = mat::multiply(mat::translate(4, 8, 0), mat::rotate(10, 0));
    mouse = mat::multiply(mouse, mat::rotate(20, 1));
    mouse = mat::multiply(mouse, mat::rotate(30, 2));
    mouse = mat::multiply(mouse, mat::scale(zoom));
    expectNear(glwindow::matrix(GL_MODELVIEW_MATRIX), mouse);
    applyKeyRotation();
    mat::M both = mat::multiply(mouse, mat::rotate(-5, 0));
    both = mat::multiply(both, mat::rotate(15, 1));
    both = mat::multiply(both, mat::rotate(25, 2));
    expectNear(glwindow::matrix(GL_MODELVIEW_MATRIX), both);
    glLoadIdentity();
}

TEST_F(Mouse, InitialTransformsAreTheIdentity) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyMouseTransform();
    applyKeyRotation();
    expectNear(glwindow::matrix(GL_MODELVIEW_MATRIX), mat::identity());
}

namespace {
int displays = 0;
void countDisplay() {
    ++displays;
    glutSwapBuffers();
}

// Pumps until a pump draws nothing, so that stray exposures are behind us.
void pumpUntilQuiet() {
    for (int quiet = 0, seen = -1; quiet < 3; seen = displays) {
        glwindow::pumpEvents();
        quiet = displays == seen ? quiet + 1 : 0;
    }
}
}  // namespace

TEST_F(Mouse, IdleAdvancesTheMouseAnglesOnlyWhileOn) {
    glutDisplayFunc(countDisplay);
    pumpUntilQuiet();
    displays = 0;
    for (int i = 0; i < 100; ++i) idleCallback();
    glwindow::pumpEvents();
    EXPECT_EQ(displays, 0);
    EXPECT_EQ(state().mouseRotX, 0.0f);

    overrideModifiersForTesting(shift);
    ASSERT_EQ(handleRotationKey(keyEnter, 0, 0), 1);
    for (int i = 0; i < 100; ++i) idleCallback();
    glwindow::pumpEvents();
    EXPECT_GE(displays, 1);
    EXPECT_NEAR(state().mouseRotX, 110.0f, 1e-3);
    EXPECT_NEAR(state().mouseRotY, 210.0f, 1e-3);
    EXPECT_NEAR(state().mouseRotZ, 310.0f, 1e-3);
    EXPECT_EQ(state().keyRotX, 0.0f);

    setIdleWindow(glwindow::id());
    pumpUntilQuiet();
    displays = 0;
    idleCallback();
    glwindow::pumpEvents();
    EXPECT_GE(displays, 1);
    glutDisplayFunc([] { glutSwapBuffers(); });
}
