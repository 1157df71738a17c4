// The keyboard half of the view module, reached with the modifier state overridden so that no
// GLUT input callback is needed.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "view/view.h"
#include "view/view_testing.h"

namespace {

const int shift = GLUT_ACTIVE_SHIFT, ctrl = GLUT_ACTIVE_CTRL, alt = GLUT_ACTIVE_ALT;

class ViewKeys : public ::testing::Test {
protected:
    void SetUp() override { resetViewForTesting(); }
    void TearDown() override { resetViewForTesting(); }

    int key(unsigned char k, int modifiers = 0) {
        overrideModifiersForTesting(modifiers);
        return handleRotationKey(k, 17, 23);
    }
    int special(int k, int modifiers = 0) {
        overrideModifiersForTesting(modifiers);
        return handleSpecialKey(k, 17, 23);
    }
    static ViewState state() { return viewStateForTesting(); }
};

}  // namespace

TEST_F(ViewKeys, ModifierDecodingCountsAltOnlyAlone) {
    const struct {
        int bits;
        ModifierMode mode;
    } table[] = {
        {0, MODE_NONE},
        {shift, MODE_SHIFT},
        {shift | alt, MODE_SHIFT},
        {shift | ctrl, MODE_SHIFT_CTRL},
        {shift | ctrl | alt, MODE_SHIFT_CTRL},
        {ctrl, MODE_CTRL},
        {ctrl | alt, MODE_CTRL},
        {alt, MODE_ALT},
    };
    for (const auto& row : table) {
        overrideModifiersForTesting(row.bits);
        EXPECT_EQ(decodeModifiers(), row.mode) << "bits " << row.bits;
    }
}

TEST_F(ViewKeys, LettersTurnByTwoDegreesWhateverTheModifiers) {
    EXPECT_EQ(key('x'), 1);
    EXPECT_EQ(key('y', ctrl), 1);
    EXPECT_EQ(key('y', alt), 1);
    EXPECT_EQ(key('Z', shift | ctrl), 1);
    EXPECT_EQ(state().keyRotX, 2.0f);
    EXPECT_EQ(state().keyRotY, 4.0f);
    EXPECT_EQ(state().keyRotZ, -2.0f);
    EXPECT_EQ(key('X'), 1);
    EXPECT_EQ(key('Y'), 1);
    EXPECT_EQ(state().keyRotX, 0.0f);
    EXPECT_EQ(state().keyRotY, 2.0f);
    EXPECT_EQ(state().mouseRotX, 0.0f) << "letters turn the key rotation only";
}

TEST_F(ViewKeys, ShiftEnterTogglesContinuousRotationAndOtherEntersAreLeft) {
    EXPECT_EQ(key(keyEnter, shift), 1);
    EXPECT_EQ(state().continuousRotation, 1);
    EXPECT_EQ(key(keyEnter, shift | alt), 1);
    EXPECT_EQ(state().continuousRotation, 0);
    for (int bits : {0, ctrl, shift | ctrl, alt}) {
        EXPECT_EQ(key(keyEnter, bits), 0) << "bits " << bits;
    }
    EXPECT_EQ(state().continuousRotation, 0);
}

TEST_F(ViewKeys, OtherKeysAreLeftToTheHostButRewriteTheMode) {
    EXPECT_EQ(key('a', ctrl), 0);
    EXPECT_EQ(state().currentMode, MODE_CTRL);
    EXPECT_EQ(key('+'), 0);
    EXPECT_EQ(key('-'), 0);
    EXPECT_EQ(state().currentMode, MODE_NONE);
}

TEST_F(ViewKeys, EscapeEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(key(keyEscape, shift), ::testing::ExitedWithCode(0), "");
}

TEST_F(ViewKeys, SpecialKeysStepByOneTenOrFortyFive) {
    EXPECT_EQ(special(GLUT_KEY_RIGHT), 1);
    EXPECT_EQ(special(GLUT_KEY_DOWN, alt), 1);
    EXPECT_EQ(special(GLUT_KEY_PAGE_DOWN, shift | ctrl), 1);
    EXPECT_EQ(state().keyRotY, 1.0f);
    EXPECT_EQ(state().keyRotX, 10.0f);
    EXPECT_EQ(state().keyRotZ, 45.0f);
    special(GLUT_KEY_LEFT, alt);
    special(GLUT_KEY_UP);
    special(GLUT_KEY_PAGE_UP);
    EXPECT_EQ(state().keyRotY, -9.0f);
    EXPECT_EQ(state().keyRotX, 9.0f);
    EXPECT_EQ(state().keyRotZ, 44.0f);
}

TEST_F(ViewKeys, CtrlPresetsSetAllThreeKeyAnglesAndZeroTheMouseAngles) {
    setMouseRotation(10, 20, 30);
    EXPECT_EQ(special(GLUT_KEY_DOWN, ctrl), 1);
    EXPECT_EQ(special(GLUT_KEY_RIGHT, ctrl), 1);
    ViewState s = state();
    EXPECT_EQ(s.keyRotX, 0.0f);
    EXPECT_EQ(s.keyRotY, 180.0f);
    EXPECT_EQ(s.keyRotZ, 0.0f);
    EXPECT_EQ(s.mouseRotX, 0.0f);
    EXPECT_EQ(s.mouseRotY, 0.0f);
    EXPECT_EQ(s.mouseRotZ, 0.0f);
    special(GLUT_KEY_PAGE_UP, ctrl | alt);
    EXPECT_EQ(state().keyRotZ, 180.0f);
    EXPECT_EQ(state().keyRotY, 0.0f);
    for (int k : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_PAGE_DOWN}) {
        setKeyRotation(1, 2, 3);
        setMouseRotation(4, 5, 6);
        special(k, ctrl);
        s = state();
        EXPECT_EQ(s.keyRotX + s.keyRotY + s.keyRotZ + s.mouseRotX + s.mouseRotY + s.mouseRotZ, 0.0f) << "key " << k;
    }
}

TEST_F(ViewKeys, ShiftSpecialKeysChangeOnlyTheSpeed) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(special(GLUT_KEY_LEFT, shift), 1);
    EXPECT_NEAR(state().rotationSpeed, 2.5937f, 1e-4f);
    EXPECT_EQ(state().keyRotY, 0.0f);
    for (int i = 0; i < 10; ++i) special(GLUT_KEY_RIGHT, shift);
    EXPECT_NEAR(state().rotationSpeed, 1.0f, 1e-5f);
    special(GLUT_KEY_UP, shift);
    special(GLUT_KEY_PAGE_UP, shift);
    special(GLUT_KEY_DOWN, shift);
    special(GLUT_KEY_PAGE_DOWN, shift);
    EXPECT_NEAR(state().rotationSpeed, 1.0f, 1e-5f);
    EXPECT_EQ(state().continuousRotation, 0);
}

TEST_F(ViewKeys, UnknownSpecialKeysReturnZeroInEveryModeButRewriteTheMode) {
    for (int bits : {0, shift, shift | ctrl, ctrl, alt}) {
        EXPECT_EQ(special(GLUT_KEY_F1, bits), 0);
        EXPECT_EQ(special(GLUT_KEY_HOME, bits), 0);
    }
    EXPECT_EQ(state().currentMode, MODE_ALT);
    EXPECT_EQ(state().keyRotX + state().keyRotY + state().keyRotZ, 0.0f);
    EXPECT_EQ(state().rotationSpeed, 1.0f);
}

TEST_F(ViewKeys, AnglesAreNeverWrapped) {
    for (int i = 0; i < 200; ++i) key('z');
    EXPECT_EQ(state().keyRotZ, 400.0f);
}
