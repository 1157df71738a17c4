// The demonstration's drawing in a real context: what GL receives (through feedback mode), what
// is counted and printed, and what the keys change.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/bindings.h"
#include "app/circles.h"
#include "app/circles_testing.h"
#include "app/grid_pixel.h"
#include "color/color.h"
#include "projection/projection.h"
#include "support/circle_model.h"
#include "support/gl_window.h"
#include "view/view_testing.h"

namespace {

struct Vertex {
    float x, y, z, r, g, b, a;
};

// Line segments GL would rasterise, in window coordinates with their colour.
std::vector<std::pair<Vertex, Vertex>> feedbackLines(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);
    std::vector<std::pair<Vertex, Vertex>> lines;
    for (GLint i = 0; i < n;) {
        const auto token = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        EXPECT_TRUE(token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) << "token " << token;
        Vertex v[2];
        for (Vertex& vertex : v) {
            std::memcpy(&vertex, &buffer[static_cast<std::size_t>(i)], sizeof vertex);
            i += 7;
        }
        lines.push_back({v[0], v[1]});
    }
    return lines;
}

// What `run` prints on standard output, which goes to a temporary file meanwhile.
template <typename Run>
std::string printedBy(Run run) {
    std::fflush(stdout);
    std::FILE* file = std::tmpfile();
    const int saved = file == nullptr ? -1 : dup(STDOUT_FILENO);
    if (saved < 0 || dup2(fileno(file), STDOUT_FILENO) < 0) {
        ADD_FAILURE() << "standard output cannot be redirected";
        if (saved >= 0) close(saved);
        if (file != nullptr) std::fclose(file);
        return "(not redirected)";
    }
    run();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

std::string captureDisplay() { return printedBy(displayCircles); }

class Circles : public ::testing::Test {
protected:
    void SetUp() override {
        resetCirclesForTesting();
        resetViewForTesting();
        overrideModifiersForTesting(0);  // keys arrive here outside GLUT's input callbacks
        setOrthoVolume(-20, 20, -20, 20, -300, 300);
        reshapeOrtho(350, 350);
    }
    void TearDown() override { glutDisplayFunc([] { glutSwapBuffers(); }); }
};

}  // namespace

TEST_F(Circles, ReferenceCircleHas360VerticesOneDegreeApart) {
    // Radius 20 fills the 350-pixel window: 8.75 pixels a unit about the centre. Mesa's
    // feedback is exact to a few ten-thousandths of a pixel here, well below the 0.0009 pixels
    // by which 3.14159 standing for pi moves the last vertex.
    const auto lines = feedbackLines([] { drawReferenceCircle(0, 0, 20.0f); });
    ASSERT_EQ(lines.size(), 360u) << "a closed loop of 360 vertices";
    const double unit = 350.0 / 40.0;
    for (std::size_t i = 0; i < 360; ++i) {
        const float angle = static_cast<float>(static_cast<double>(i) * static_cast<double>(3.14159f) / 180.0f);
        const double x = static_cast<float>(std::cos(static_cast<double>(angle)) * 20.0);
        const double y = static_cast<float>(std::sin(static_cast<double>(angle)) * 20.0);
        EXPECT_NEAR(lines[i].first.x, 175 + x * unit, 2e-4) << "vertex " << i;
        EXPECT_NEAR(lines[i].first.y, 175 + y * unit, 2e-4) << "vertex " << i;
        EXPECT_EQ(lines[i].second.x, lines[(i + 1) % 360].first.x);
        EXPECT_EQ(lines[i].first.b, 1.0f);
        EXPECT_EQ(lines[i].first.r, 0.0f);
    }
    const double exactPi = 175 + std::sin(359 * M_PI / 180) * 20 * unit;
    EXPECT_GT(std::fabs(lines[359].first.y - exactPi), 6e-4) << "3.14159 stands for pi, not M_PI";
    EXPECT_EQ(lines[359].second.x, lines[0].first.x) << "the loop closes on the first vertex";
}

TEST_F(Circles, ReferenceCirclePassesThroughTheAxesAtEveryRadius) {
    for (float r : {1.0f, 5.0f, 20.0f}) {
        // The ortho volume maps 40 units onto 350 pixels about the window centre.
        static float radius;
        radius = r;
        const auto lines = feedbackLines([] { drawReferenceCircle(0, 0, radius); });
        ASSERT_EQ(lines.size(), 360u);
        const double unit = 350.0 / 40.0;
        const auto at = [&](std::size_t i) { return lines[i].first; };
        EXPECT_NEAR(at(0).x, 175 + r * unit, 1e-3);
        EXPECT_NEAR(at(90).y, 175 + r * unit, 1e-3);
        EXPECT_NEAR(at(180).x, 175 - r * unit, 1e-3);
        EXPECT_NEAR(at(270).y, 175 - r * unit, 1e-3);
    }
}

TEST_F(Circles, GridPixelIsAUnitRedCubeAtItsCoordinatesAndCounts) {
    for (auto [px, py] : {std::pair{0, 0}, std::pair{3, -2}, std::pair{-19, 19}}) {
        static int x, y;
        x = px, y = py;
        const int before = circlesStateForTesting().pixelCount;
        const auto depth = [] {
            GLint d = 0;
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &d);
            return d;
        };
        const GLint stackBefore = depth();
        const auto lines = feedbackLines([] { plotGridPixel(x, y, colorRed()); });
        EXPECT_EQ(depth(), stackBefore);
        EXPECT_EQ(circlesStateForTesting().pixelCount, before + 1);
        ASSERT_EQ(lines.size(), 24u) << "a wire cube has 12 edges drawn as 4 line loops of 6 faces";
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        for (const auto& [a, b] : lines) {
            for (const Vertex& v : {a, b}) {
                minX = std::fmin(minX, v.x), maxX = std::fmax(maxX, v.x);
                minY = std::fmin(minY, v.y), maxY = std::fmax(maxY, v.y);
                EXPECT_EQ(v.r, 1.0f);
                EXPECT_EQ(v.g, 0.0f);
                EXPECT_EQ(v.a, 1.0f);
            }
        }
        const double unit = 350.0 / 40.0;
        EXPECT_NEAR(minX, 175 + (px - 0.5) * unit, 1e-3);
        EXPECT_NEAR(maxX, 175 + (px + 0.5) * unit, 1e-3);
        EXPECT_NEAR(minY, 175 + (py - 0.5) * unit, 1e-3);
        EXPECT_NEAR(maxY, 175 + (py + 0.5) * unit, 1e-3);
    }
    EXPECT_EQ(glwindow::matrix(GL_MODELVIEW_MATRIX)[12], 0.0f);
}

TEST_F(Circles, DisplayPrintsTheCountOfTheCurrentModeAndRadius) {
    EXPECT_EQ(captureDisplay(), "4\n");
    for (int mode = 0; mode < 3; ++mode) {
        for (int radius = 1; radius <= 6; ++radius) {
            const CirclesState s = circlesStateForTesting();
            ASSERT_EQ(s.circleMode, mode);
            ASSERT_EQ(s.circleRadius, radius);
            EXPECT_EQ(captureDisplay(), std::to_string(model::count(mode, radius)) + "\n");
            keyboardCircles('+', 0, 0);
        }
        for (int i = 0; i < 6; ++i) keyboardCircles('-', 0, 0);
        keyboardCircles(13, 0, 0);
    }
    EXPECT_EQ(circlesStateForTesting().circleMode, 0) << "Enter cycles back to the outline";
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << "the display pass pops what it pushed";
}

TEST_F(Circles, MinusNeverTakesTheRadiusBelowOne) {
    keyboardCircles('-', 0, 0);
    keyboardCircles('-', 0, 0);
    EXPECT_EQ(circlesStateForTesting().circleRadius, 1);
    keyboardCircles('+', 0, 0);
    EXPECT_EQ(circlesStateForTesting().circleRadius, 2);
}

TEST_F(Circles, KeysRedrawOnlyWhenTheyChangeSomething) {
    glutDisplayFunc(displayCircles);
    printedBy(glwindow::pumpEvents);
    const auto redrawnBy = [](unsigned char key) {
        return printedBy([key] {
            keyboardCircles(key, 0, 0);
            glwindow::pumpEvents();
        });
    };
    EXPECT_EQ(redrawnBy('a'), "");
    EXPECT_EQ(redrawnBy('+'), "12\n");
    EXPECT_EQ(redrawnBy('-'), "4\n");
    EXPECT_EQ(redrawnBy('-'), "4\n") << "also when the radius was already 1";
    EXPECT_EQ(redrawnBy('x'), "4\n") << "a rotation key redraws";
    EXPECT_EQ(redrawnBy(13), "7\n");

    // The program's table of inputs, which its page and README show, names exactly the keys that
    // do something (Escape, which ends the process, and chords aside).
    std::set<int> listed;
    for (int row = 0; row < circleBindingCount; ++row) {
        if (circleBindings[row]->kind != InputKind::key) continue;
        std::istringstream names(circleBindings[row]->inputs);
        for (std::string name; names >> name;) listed.insert(name == "Enter" ? 13 : name == "Escape" ? 27 : name.size() == 1 ? name[0] : -1);
    }
    EXPECT_TRUE(listed.count(27)) << "Escape is listed";
    for (int key = 1; key < 127; ++key) {
        if (key == 27) continue;
        EXPECT_EQ(!redrawnBy(static_cast<unsigned char>(key)).empty(), listed.count(key) == 1) << "key " << key;
    }
}

TEST_F(Circles, ShiftEnterIsTheViewModulesAndLeavesTheMode) {
    overrideModifiersForTesting(GLUT_ACTIVE_SHIFT);
    keyboardCircles(13, 0, 0);
    EXPECT_EQ(circlesStateForTesting().circleMode, 0);
    EXPECT_EQ(viewStateForTesting().continuousRotation, 1);
    overrideModifiersForTesting(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL);
    keyboardCircles(13, 0, 0);
    EXPECT_EQ(circlesStateForTesting().circleMode, 1) << "Shift+Ctrl+Enter is the demonstration's";
}

TEST_F(Circles, BackgroundIsLightGrey) {
    initRendering();
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.8f);
    EXPECT_EQ(clear[3], 1.0f);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_SMOOTH);
}
