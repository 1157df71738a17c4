// The web GL unit's rules for the lines it sends (gl_web.cpp): which lines can change no pixel and
// are left out, and where a line's ends go so that WebGL lights the end pixels GL's rule does.
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "gl_web_state.h"
#include "web/gl_testing.h"

namespace glweb {

void forgetSeenLines() {
    GlState::Culling& c = gl.culling;
    c.count = 0;
    if ((++c.generation & 0xffff) == 0) {  // the tags about to come round again: no slot holds one
        std::memset(c.slots, 0, sizeof c.slots);
        ++c.generation;
    }
}

// Lines drawn twice may differ while the depth test, blending or the stencil test is on.
void noteCapability(GLenum capability, bool on) {
    GlState::Culling& c = gl.culling;
    if (capability == GL_DEPTH_TEST) c.depthTest = on;
    if (capability == GL_BLEND) c.blending = on;
    if (capability == GL_STENCIL_TEST) c.stencilTest = on;
}

namespace {

std::uint32_t bitsOf(const void* p) {
    std::uint32_t u;
    std::memcpy(&u, p, sizeof u);
    return u;
}

// The parts of a vertex that decide where it lands in the window: its eye-space x, y and w, when
// the projection's x, y and w do not depend on eye-space z (orthographic volumes). Two vertices
// alike in these land on exactly the same point, whatever their depth and whatever order the GPU
// computes in, since z only ever meets zeros. False when the projection uses z, or when the vertex
// lies near or beyond the near or far plane, where its depth decides whether it is clipped.
bool landing(const Vertex& v, std::uint32_t* key) {
    const GLfloat* p = projection().m;
    if (p[8] != 0 || p[9] != 0 || p[11] != 0) return false;
    const GLfloat z = p[2] * v.x + p[6] * v.y + p[10] * v.z + p[14] * v.w;
    const GLfloat w = p[3] * v.x + p[7] * v.y + p[15] * v.w;
    if (!(w > 0) || !(std::fabs(z) < 0.99f * w)) return false;
    key[0] = bitsOf(&v.x), key[1] = bitsOf(&v.y), key[2] = bitsOf(&v.w);
    return true;
}

// Once for a given vertex: landing() and a hash of its key, and the sides of the view volume
// (left, right, bottom, top) it lies two pixels or more beyond. A line with both ends beyond one
// side is clipped away whole, however the GPU rounds its ends.
void key(Given& g) {
    g.keyed = true;
    g.lands = landing(g.eye, g.key);
    const GlState::Viewport& view = gl.viewport;
    const GLfloat* p = projection().m;
    const Vertex& e = g.eye;
    auto clip = [&](int row) {
        return double{p[row]} * e.x + double{p[row + 4]} * e.y + double{p[row + 8]} * e.z + double{p[row + 12]} * e.w;
    };
    const double x = clip(0), y = clip(1), w = clip(3);
    if (w > 0 && view.width > 0 && view.height > 0) {
        const double sideX = w * (1 + 4.0 / view.width), sideY = w * (1 + 4.0 / view.height);
        g.beyond = static_cast<std::uint8_t>((x < -sideX) | ((x > sideX) << 1) | ((y < -sideY) << 2) | ((y > sideY) << 3));
    }
    // Simple coordinates have all their low bits clear: every bit of the key must reach the slot.
    std::uint32_t hash = 0;
    for (std::uint32_t k : g.key) {
        hash = (hash ^ k) * 0x9e3779b1u;
        hash ^= hash >> 15;
    }
    hash ^= hash >> 16, hash *= 0x85ebca6bu, hash ^= hash >> 13, hash *= 0xc2b2ae35u, hash ^= hash >> 16;
    g.keyHash = hash;
}

// Projection times modelview, as Mesa forms it.
const Matrix& mesaProduct() {
    GlState::MesaProduct& m = gl.mesa;
    if (std::memcmp(&m.modelview, &modelview(), sizeof(Matrix)) != 0 || std::memcmp(&m.projection, &projection(), sizeof(Matrix)) != 0) {
        m.modelview = modelview(), m.projection = projection();
        m.product = times(m.projection, m.modelview.m);
    }
    return m.product;
}

// Where Mesa puts a vertex given at x, y, z in the window: through that product, then the
// viewport in one fused step, as llvmpipe's generated code does on a processor with FMA, y from
// the top as Mesa keeps a window's (for a viewport the window's height, as every one here is).
// False where its w is not positive.
bool mesaWindow(GLfloat x, GLfloat y, GLfloat z, GLfloat* window) {
    const GlState::Viewport& view = gl.viewport;
    const GLfloat* m = mesaProduct().m;
    const GLfloat clipX = m[0] * x + m[4] * y + m[8] * z + m[12], clipY = m[1] * x + m[5] * y + m[9] * z + m[13];
    const GLfloat clipW = m[3] * x + m[7] * y + m[11] * z + m[15];
    if (!(clipW > 0)) return false;
    const GLfloat inverse = 1 / clipW, halfWidth = static_cast<GLfloat>(view.width) / 2, halfHeight = static_cast<GLfloat>(view.height) / 2;
    window[0] = std::fma(clipX * inverse, halfWidth, static_cast<GLfloat>(view.x) + halfWidth);
    window[1] = std::fma(clipY * inverse, -halfHeight, static_cast<GLfloat>(view.y) + halfHeight);
    return true;
}

// How far the window point x, y lies outside the diamond round its pixel's centre (negative inside).
template <typename Real>
Real beyondDiamond(Real x, Real y) {
    return std::fabs(x - std::floor(x) - Real(0.5)) + std::fabs(y - std::floor(y) - Real(0.5)) - Real(0.5);
}

// Where a vertex lands, once for the vertex: on the GPU's path, and, on a diamond's very edge, as
// a cube's corner often is, inside or not as Mesa's rounding puts it (mesaWindow()).
void locate(Given& g) {
    g.located = true;
    const GlState::Viewport& view = gl.viewport;
    if (view.width <= 0 || view.height <= 0) return;
    const GLfloat* p = projection().m;
    const Vertex& e = g.eye;
    for (int k = 0; k < 3; ++k) {
        const int row = k == 2 ? 3 : k;
        g.clip[k] = double{p[row]} * e.x + double{p[row + 4]} * e.y + double{p[row + 8]} * e.z + double{p[row + 12]} * e.w;
    }
    if (!(g.clip[2] > 0)) return;  // clipped against the eye: GL's ends are elsewhere
    const double scale[2] = {view.width / 2.0, view.height / 2.0}, origin[2] = {view.x + scale[0], view.y + scale[1]};
    for (int k = 0; k < 2; ++k) g.window[k] = origin[k] + scale[k] * g.clip[k] / g.clip[2];
    const double wx = g.window[0], wy = g.window[1];
    const double edge = beyondDiamond(wx, wy);
    g.placed = true;
    g.inside = edge < 0;
    g.centre[0] = std::floor(wx) + 0.5, g.centre[1] = std::floor(wy) + 0.5;
    GLfloat mesa[2];
    if (std::fabs(edge) < 1e-3 && mesaWindow(g.object[0], g.object[1], g.object[2], mesa)) {
        g.inside = beyondDiamond(mesa[0], mesa[1]) < 0;  // in single precision, as Mesa tests it
        // That pixel's centre, its row counted from the bottom again.
        g.centre[0] = std::floor(mesa[0]) + 0.5, g.centre[1] = 2 * origin[1] - (std::floor(mesa[1]) + 0.5);
    }
}

}  // namespace

// Whether the line a -> b can change no pixel (see gl_web.cpp's head); remembers it if not.
// The same ends given from other vertices (a cube's edge shared with its neighbour's) can fall on
// a diamond's edge where Mesa rounds them apart, and its end pixel be decided the other way there
// (locate()). The copy is still left out: none of the tests' scenes, up to radius 20, shows a pixel
// that it changes.
bool changesNothing(const GLubyte* rgbaA, const GLubyte* rgbaB, Given& givenA, Given& givenB) {
    GlState::Culling& c = gl.culling;
    // Every line takes part in the bookkeeping of colours, wherever its ends lie: one of another
    // colour, or shaded across colours, may paint over the lines remembered so far.
    const std::uint32_t colour = bitsOf(rgbaA);
    const bool plain = bitsOf(rgbaB) == colour;
    if (!plain || colour != c.colour) {
        forgetSeenLines();
        c.colour = colour;
    }
    if (!c.enabled) return false;
    if (!givenA.keyed) key(givenA);
    if (!givenB.keyed) key(givenB);
    if (givenA.beyond & givenB.beyond) return true;
    if (!givenA.lands || !givenB.lands) return false;
    const std::uint32_t *endA = givenA.key, *endB = givenB.key;
    const bool point = endA[0] == endB[0] && endA[1] == endB[1] && endA[2] == endB[2];
    if (point) return true;
    if (!plain || c.depthTest || c.blending || c.stencilTest) return false;
    // Not the same both ways: a cube draws each edge once each way, two different lines.
    std::uint32_t hash = givenA.keyHash ^ (givenB.keyHash * 0x9e3779b1u);
    hash ^= hash >> 16;
    const std::uint32_t tag = c.generation << 16;
    for (std::uint32_t slot = hash & (seenSlots - 1);; slot = (slot + 1) & (seenSlots - 1)) {
        const std::uint32_t held = c.slots[slot];
        if ((held & 0xffff0000u) != tag) {
            if (c.count == seenCapacity) return false;  // sent, and not remembered
            c.slots[slot] = tag | static_cast<std::uint32_t>(c.count);
            std::uint32_t* ends = c.ends[c.count++];
            std::memcpy(ends, endA, sizeof givenA.key), std::memcpy(ends + 3, endB, sizeof givenB.key);
            return false;
        }
        const std::uint32_t* seen = c.ends[held & 0xffff];
        const bool same = seen[0] == endA[0] && seen[1] == endA[1] && seen[2] == endA[2];
        if (same && seen[3] == endB[0] && seen[4] == endB[1] && seen[5] == endB[2]) return true;
    }
}

// GL draws a line by the diamond-exit rule: each pixel whose diamond (|x - cx| + |y - cy| < 1/2
// round its centre) the line leaves, so a line's first pixel is drawn when it starts inside that
// diamond, and its last is not when it ends inside it. WebGL leaves lines to the implementation,
// and Chromium's software rasteriser lights, along the longer axis, the pixels whose centres lie
// between the two ends, whichever way the line runs: a cube's corner inside its pixel's diamond
// but past the centre is then lost, and a line's last pixel drawn. Each end inside its pixel's
// diamond, at, past or within 1/16 of the centre, is moved along the line to 1/16 short of it,
// where both rules agree (1/16 of a pixel, the coarsest grid GPUs snap ends to), its colour taken
// from where it now lies on the line. The line is the same line, but for how the GPU snaps the
// moved end, so what changes is which end pixels are drawn.
void meetDiamondRule(Vertex& a, Vertex& b, Given& givenA, Given& givenB) {
    if (!givenA.located) locate(givenA);
    if (!givenB.located) locate(givenB);
    if (!givenA.placed || !givenB.placed || (!givenA.inside && !givenB.inside)) return;
    const double *wa = givenA.window, *wb = givenB.window;
    const int major = std::fabs(wb[0] - wa[0]) >= std::fabs(wb[1] - wa[1]) ? 0 : 1;
    if (wb[major] == wa[major]) return;
    const double shortOf = (wb[major] > wa[major] ? 1 : -1) / 16.0;
    // Where the line's major coordinate is t, as a fraction of a -> b; clip space is linear in it.
    const GlState::Viewport& view = gl.viewport;
    const double scale = (major ? view.height : view.width) / 2.0, origin = (major ? view.y : view.x) + scale;
    const double *ca = givenA.clip, *cb = givenB.clip;
    auto along = [&](double t) {
        const double n = (t - origin) / scale;
        return (n * ca[2] - ca[major]) / ((cb[major] - ca[major]) - n * (cb[2] - ca[2]));
    };
    const Vertex from = a, to = b;
    auto place = [&](Vertex& v, double t) {
        // Not past the eye, where the solution falls on the line's other branch, nor far off.
        if (!(std::fabs(t) < 1e6) || !(ca[2] + t * (cb[2] - ca[2]) > 0)) return;
        v.x = static_cast<GLfloat>(from.x + t * (to.x - from.x)), v.y = static_cast<GLfloat>(from.y + t * (to.y - from.y));
        v.z = static_cast<GLfloat>(from.z + t * (to.z - from.z)), v.w = static_cast<GLfloat>(from.w + t * (to.w - from.w));
        // A line shaded across colours keeps its shades where they were along it.
        if (std::memcmp(from.rgba, to.rgba, sizeof from.rgba) == 0) return;
        for (int i = 0; i < 4; ++i) {
            const double shade = from.rgba[i] + t * (to.rgba[i] - from.rgba[i]);
            v.rgba[i] = static_cast<GLubyte>(std::lround(shade < 0 ? 0 : shade > 255 ? 255 : shade));
        }
    };
    // An end well short of its centre lights the pixels GL's rule does as it is; one within the
    // snapping of the centre might land on it, where the two rules part.
    auto past = [&](const Given& g) { return g.inside && (g.window[major] - g.centre[major]) * shortOf > -1.0 / 256; };
    if (past(givenA)) place(a, along(givenA.centre[major] - shortOf));
    if (past(givenB)) place(b, along(givenB.centre[major] - shortOf));
}

}  // namespace glweb

void glWebCullingForTesting(bool on) { glweb::gl.culling.enabled = on; }
