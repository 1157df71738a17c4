// One display pass of the demonstration in a real context, beside a bare loop that makes the
// same number of wire-cube draws with the same colour, matrix pushes and translations, the same
// clear and the same swap. Both end with glFinish so that the rendering is inside the timing.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/circles.h"
#include "app/circles_testing.h"
#include "color/color.h"
#include "projection/projection.h"
#include "support/circle_model.h"
#include "view/view_testing.h"

namespace {

void setMode(int mode, int radius) {
    overrideModifiersForTesting(0);  // keys fed outside GLUT's input callbacks
    resetCirclesForTesting();
    for (int i = 1; i < radius; ++i) keyboardCircles('+', 0, 0);
    for (int i = 0; i < mode; ++i) keyboardCircles(13, 0, 0);
}

// The pixels the mode draws, repeats included, from the selection rule.
std::vector<model::Pixel> pixelsOf(int mode, int radius) {
    const model::Circle c = model::circle(radius);
    const auto set = mode == 0 ? model::outlinePixels(c) : model::discPixels(c);
    std::vector<model::Pixel> pixels(set.begin(), set.end());
    if (mode == 1 && !c.endsOnDiagonal) {
        for (int i = -(c.lastX - 1); i <= c.lastX - 1; ++i) pixels.insert(pixels.end(), {{i, c.lastX}, {i, -c.lastX}});
    }
    return pixels;
}

void DisplayPass(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0)), radius = static_cast<int>(state.range(1));
    setMode(mode, radius);
    for (auto _ : state) {
        displayCircles();
        glFinish();
    }
    state.counters["cubes"] = static_cast<double>(circlesStateForTesting().pixelCount);
}

// The cubes alone, or (withCircle) also the reference circle that every pass draws.
void bareDrawing(benchmark::State& state, bool withCircle) {
    const auto pixels = pixelsOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const Color* red = colorRed();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (withCircle) drawReferenceCircle(0, 0, static_cast<float>(state.range(1)));
        for (const model::Pixel& p : pixels) {
            glColor4fv(&red->r);
            glPushMatrix();
            glTranslatef(static_cast<float>(p.first), static_cast<float>(p.second), 0);
            glutWireCube(1.0);
            glPopMatrix();
        }
        glFlush();
        glutSwapBuffers();
        glFinish();
    }
    state.counters["cubes"] = static_cast<double>(pixels.size());
}

void BareCubes(benchmark::State& state) { bareDrawing(state, false); }
void BareCubesAndCircle(benchmark::State& state) { bareDrawing(state, true); }

void modes(benchmark::internal::Benchmark* b) {
    for (int radius : {20, 100}) {
        for (int mode = 0; mode < 3; ++mode) b->Args({mode, radius});
    }
}

}  // namespace

BENCHMARK(DisplayPass)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BareCubes)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BareCubesAndCircle)->Apply(modes)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(350, 350);
    glutCreateWindow("display benchmark");
    initRendering();
    setOrthoVolume(-110, 110, -110, 110, -300, 300);  // radius 100 stays in view
    reshapeOrtho(350, 350);
    std::fprintf(stderr, "renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    // The pass prints its count line to stdout; send those to /dev/null and the report to
    // where stdout pointed.
    std::ofstream report("/proc/self/fd/" + std::to_string(dup(STDOUT_FILENO)));
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter console;
    console.SetOutputStream(&report);
    console.SetErrorStream(&report);
    benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    return 0;
}
