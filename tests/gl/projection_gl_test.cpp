// The reshape handlers in a real context: the matrices they load, read back, against the
// textbook matrices, and the volume the getters report.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "projection/projection.h"
#include "support/gl_window.h"
#include "support/matrices.h"

namespace {

void expectMatrix(unsigned int which, const mat::M& want) {
    const auto got = glwindow::matrix(which);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(got[static_cast<std::size_t>(i)], want[static_cast<std::size_t>(i)],
                    1e-6 * std::fmax(1.0, std::fabs(want[static_cast<std::size_t>(i)])))
            << "element " << i;
    }
}

void expectAllFinite(unsigned int which) {
    for (float v : glwindow::matrix(which)) EXPECT_TRUE(std::isfinite(v));
}

void dirtyModelview() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 5);
    glRotatef(30, 1, 1, 0);
    glMatrixMode(GL_PROJECTION);
}

void expectModelviewCurrentAnd(const mat::M& want) {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    expectMatrix(GL_MODELVIEW_MATRIX, want);
}

void expectViewport(int w, int h) {
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], w);
    EXPECT_EQ(v[3], h);
}

class Projection : public ::testing::Test {
protected:
    void SetUp() override { setOrthoVolume(-20, 20, -20, 20, -300, 300); }
};

}  // namespace

TEST_F(Projection, OrthoSquareWindowLoadsTheRequestedVolume) {
    dirtyModelview();
    reshapeOrtho(350, 350);
    expectViewport(350, 350);
    expectMatrix(GL_PROJECTION_MATRIX, mat::ortho(-20, 20, -20, 20, -300, 300));
    expectModelviewCurrentAnd(mat::identity());
    EXPECT_EQ(getVolumeLeft(), -20.0f);
    EXPECT_EQ(getVolumeRight(), 20.0f);
    EXPECT_EQ(getVolumeBottom(), -20.0f);
    EXPECT_EQ(getVolumeTop(), 20.0f);
    EXPECT_EQ(getPixelSize(), 0.114285715f);
}

TEST_F(Projection, OrthoWidensAlongTheLongerSide) {
    reshapeOrtho(700, 350);
    expectViewport(700, 350);
    expectMatrix(GL_PROJECTION_MATRIX, mat::ortho(-40, 40, -20, 20, -300, 300));
    EXPECT_EQ(getVolumeLeft(), -40.0f);
    EXPECT_EQ(getVolumeRight(), 40.0f);
    EXPECT_EQ(getVolumeTop(), 20.0f);
    EXPECT_EQ(getPixelSize(), 0.114285715f);

    reshapeOrtho(350, 700);
    expectMatrix(GL_PROJECTION_MATRIX, mat::ortho(-20, 20, -40, 40, -300, 300));
    EXPECT_EQ(getVolumeBottom(), -40.0f);
    EXPECT_EQ(getVolumeTop(), 40.0f);
    EXPECT_EQ(getVolumeLeft(), -20.0f);
    EXPECT_EQ(getPixelSize(), 0.114285715f);
}

TEST_F(Projection, OrthoRangeAwayFromTheOriginIsScaledNotRecentred) {
    setOrthoVolume(5, 10, 1, 3, -1, 1);
    reshapeOrtho(200, 100);
    expectMatrix(GL_PROJECTION_MATRIX, mat::ortho(10, 20, 1, 3, -1, 1));
    EXPECT_EQ(getVolumeLeft(), 10.0f);
    EXPECT_EQ(getVolumeRight(), 20.0f);
    EXPECT_EQ(getVolumeBottom(), 1.0f);
    EXPECT_EQ(getPixelSize(), 0.02f);
}

TEST_F(Projection, SetterTakesEffectOnlyAtTheNextReshape) {
    reshapeOrtho(350, 350);
    setOrthoVolume(-1, 1, -1, 1, -1, 1);
    expectMatrix(GL_PROJECTION_MATRIX, mat::ortho(-20, 20, -20, 20, -300, 300));
    EXPECT_EQ(getVolumeLeft(), -20.0f);
    reshapeOrtho(350, 350);
    EXPECT_EQ(getVolumeLeft(), -1.0f);
}

TEST_F(Projection, ZeroSizedWindowNeverLoadsAnInfiniteProjection) {
    for (auto [w, h] : {std::pair{0, 350}, std::pair{350, 0}, std::pair{0, 0}}) {
        reshapeOrtho(w, h);
        expectAllFinite(GL_PROJECTION_MATRIX);
        EXPECT_TRUE(std::isfinite(getVolumeBottom()) && std::isfinite(getVolumeTop()));
        EXPECT_TRUE(std::isfinite(getPixelSize()));
        reshapeFrustum(w, h);
        expectAllFinite(GL_PROJECTION_MATRIX);
        reshapePerspective(w, h);
        expectAllFinite(GL_PROJECTION_MATRIX);
        EXPECT_TRUE(std::isfinite(getPerspectiveAspect()) && std::isfinite(getPerspectiveFovy()));
    }
    reshapeOrtho(350, 350);
}

TEST_F(Projection, FrustumCorrectsLikeTheOrthoAndTranslates) {
    setFrustumVolume(-1, 1, -1, 1, 1, 100, 0, 0, -5);
    dirtyModelview();
    reshapeFrustum(400, 200);
    expectViewport(400, 200);
    expectMatrix(GL_PROJECTION_MATRIX, mat::frustum(-2, 2, -1, 1, 1, 100));
    expectModelviewCurrentAnd(mat::translate(0, 0, -5));
    EXPECT_EQ(getPixelSize(), 2.0f / 200.0f);
    EXPECT_EQ(getVolumeLeft(), -2.0f);

    reshapeFrustum(200, 400);
    expectMatrix(GL_PROJECTION_MATRIX, mat::frustum(-1, 1, -2, 2, 1, 100));
    reshapeFrustum(300, 300);
    expectMatrix(GL_PROJECTION_MATRIX, mat::frustum(-1, 1, -1, 1, 1, 100));
    reshapeOrtho(350, 350);
}

TEST_F(Projection, PerspectiveWidensTheAngleBelowTheMinimumAspect) {
    setPerspectiveVolume(60, 1, 1, 50, 1, 2, -10);
    reshapeOrtho(700, 350);  // the volume the perspective reshape must leave alone
    dirtyModelview();
    reshapePerspective(400, 200);
    expectMatrix(GL_PROJECTION_MATRIX, mat::perspective(60, 2, 1, 50));
    expectModelviewCurrentAnd(mat::translate(1, 2, -10));
    EXPECT_EQ(getPerspectiveFovy(), 60.0f);
    EXPECT_EQ(getPerspectiveAspect(), 2.0f);
    EXPECT_EQ(getVolumeLeft(), -40.0f);
    EXPECT_EQ(getPixelSize(), 0.114285715f);

    reshapePerspective(200, 400);
    EXPECT_EQ(getPerspectiveFovy(), 120.0f);
    expectMatrix(GL_PROJECTION_MATRIX, mat::perspective(120, 0.5, 1, 50));

    reshapePerspective(300, 300);  // aspect equal to the minimum: not widened
    EXPECT_EQ(getPerspectiveFovy(), 60.0f);

    reshapePerspective(100, 400);  // not clamped
    EXPECT_EQ(getPerspectiveFovy(), 240.0f);
    reshapeOrtho(350, 350);
}

namespace {
int linkedDisplays = 0;
void countDisplay() {
    ++linkedDisplays;
    glutSwapBuffers();
}
}  // namespace

TEST_F(Projection, PerspectivePostsTheLinkedWindowOnlyWhenLinked) {
    glutDisplayFunc(countDisplay);
    glwindow::pumpEvents();
    linkedDisplays = 0;
    setPerspectiveVolumeLinked(60, 1, 1, 50, 0, 0, -5, -1);
    reshapePerspective(350, 350);
    glwindow::pumpEvents();
    EXPECT_EQ(linkedDisplays, 0);

    setPerspectiveVolumeLinked(60, 1, 1, 50, 0, 0, -5, glwindow::id());
    setPerspectiveVolume(45, 1, 1, 50, 0, 0, -5);  // keeps the link
    reshapePerspective(350, 350);
    glwindow::pumpEvents();
    EXPECT_EQ(linkedDisplays, 1);
    EXPECT_EQ(getPerspectiveFovy(), 45.0f);

    setPerspectiveVolumeLinked(60, 1, 1, 50, 0, 0, -5, -1);
    reshapeOrtho(350, 350);
}
