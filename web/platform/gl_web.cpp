// OpenGL 1.x as the programs use it, carried out on WebGL the way a GL driver would, for the web
// build only. The programs draw in immediate mode, one wire cube per grid pixel with its own
// push, translation and pop; a browser call per GL call costs far more than the drawing. Here the
// matrix stacks live in this unit, each vertex is taken to eye space as it is given, and the lines
// and triangles are gathered into one buffer that goes to WebGL in one draw when something else
// must draw or be read (see flush()).
//
// Everything else is drawn as the program gives it: freeglut's cube as its six line loops, every
// matrix multiplied as GL multiplies it. Lines that cannot change a pixel are not sent: a line that
// is a point in the window (a cube's edge along the line of sight), which GL draws no fragments
// for, and, while neither the depth test, blending nor the stencil test is on, a plain line that
// another plain line of the same colour, with the same ends in the same order, has drawn since
// anything of another colour could have painted over it (a back face's edge under the front's).
// Both are decided only where the ends provably land on the same window points on the GPU (see
// landing()). The web tests draw scenes with this culling on and plainly, every line sent, and
// require the same bytes.
//
// Carried out: the three matrix stacks (load identity, push, pop, translate, rotate, scale, glOrtho,
// glFrustum, gluPerspective as Mesa's GLU computes it, glGetFloatv of both matrices); glBegin and
// glEnd with lines, line strips, line loops and quads; glVertex2f, glVertex2d, glVertex3d;
// glColor4fv; glShadeModel; freeglut's wire cube; GL's rule for which pixels a line's ends light,
// which WebGL leaves open (meetDiamondRule()).
//
// The rest of GL falls in three groups:
// - GL 1.x calls that WebGL lacks and no program here makes (glNormal, glTexCoord, glLight,
//   glRasterPos, glColor3f, glVertex3f, glLoadMatrixf, glMultMatrixf, ...): no entry at all, so
//   that a program using one fails to link rather than draw wrongly;
// - glBegin with another kind of primitive (points, triangles, strips, fans, polygons): the
//   program stops with a message, for the same reason;
// - WebGL's own calls: those that change how later primitives are drawn, or read what is drawn,
//   draw what is gathered first (the list at the end of this file), as they would find it under a
//   driver. Clears, the viewport, capabilities and flushing are carried out here, then go on to
//   WebGL. Any other GL call reaches WebGL unwrapped only if it is known to leave drawing
//   untouched: the build checks every program's GL calls that reach emscripten's GL library
//   against that list (glWebUntouched, platform.cmake), so that a call added later cannot slip past.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "web/gl_testing.h"

// WebGL under emscripten's emscripten_gl* names, which stay free while this unit owns the gl* ones.
extern "C" {
void emscripten_glClear(GLbitfield mask);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void emscripten_glEnable(GLenum capability);
void emscripten_glDisable(GLenum capability);
void emscripten_glFlush();
void emscripten_glFinish();
void emscripten_glGetFloatv(GLenum name, GLfloat* values);
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const char* const* source, const GLint* length);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const char* name);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glUseProgram(GLuint program);
GLint emscripten_glGetUniformLocation(GLuint program, const char* name);
void emscripten_glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value);
void emscripten_glGenBuffers(GLsizei n, GLuint* buffers);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                      const void* pointer);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void emscripten_glBlendColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glBlendEquation(GLenum mode);
void emscripten_glBlendEquationSeparate(GLenum rgb, GLenum alpha);
void emscripten_glBlendFunc(GLenum source, GLenum destination);
void emscripten_glBlendFuncSeparate(GLenum sourceRgb, GLenum destinationRgb, GLenum sourceAlpha, GLenum destinationAlpha);
void emscripten_glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha);
void emscripten_glCullFace(GLenum mode);
void emscripten_glDepthFunc(GLenum function);
void emscripten_glDepthMask(GLboolean flag);
void emscripten_glDepthRangef(GLfloat zNear, GLfloat zFar);
void emscripten_glStencilFuncSeparate(GLenum face, GLenum function, GLint reference, GLuint mask);
void emscripten_glStencilOpSeparate(GLenum face, GLenum fail, GLenum depthFail, GLenum pass);
void emscripten_glStencilMaskSeparate(GLenum face, GLuint mask);
void emscripten_glFrontFace(GLenum mode);
void emscripten_glLineWidth(GLfloat width);
void emscripten_glPolygonOffset(GLfloat factor, GLfloat units);
void emscripten_glSampleCoverage(GLfloat value, GLboolean invert);
void emscripten_glScissor(GLint x, GLint y, GLsizei width, GLsizei height);
void emscripten_glStencilFunc(GLenum function, GLint reference, GLuint mask);
void emscripten_glStencilMask(GLuint mask);
void emscripten_glStencilOp(GLenum fail, GLenum depthFail, GLenum pass);
void emscripten_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);
void emscripten_glCopyTexImage2D(GLenum target, GLint level, GLenum format, GLint x, GLint y, GLsizei width,
                                 GLsizei height, GLint border);
void emscripten_glCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y,
                                    GLsizei width, GLsizei height);
}

namespace {

struct Matrix {
    GLfloat m[16];  // column-major, as GL keeps it
};

constexpr Matrix identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

struct Vertex {
    GLfloat x, y, z, w;  // eye space
    GLubyte rgba[4];
};

// A vertex as the program gave it: in eye space, for the GPU, and where it lands in the window,
// for the pixels of a line's ends (see meetDiamondRule()). That is worked out once a vertex, and
// only for vertices of lines that are sent: a cube corner ends six lines, most of which the
// culling leaves out face-on. GL has no matrix or viewport change within glBegin and glEnd.
struct Given {
    Vertex eye;
    GLfloat object[3];    // as given
    bool located;         // the rest worked out yet
    bool placed;          // false before a viewport, or where w is not positive
    bool inside;          // inside its pixel's diamond
    double clip[3];       // x, y and w
    double window[2];
    double centre[2];     // of its pixel
};

// A line in the culling table: its window-space ends (see landing()), valid in one generation.
struct SeenLine {
    std::uint32_t generation;
    std::uint32_t ends[6];
};

constexpr int modelviewDepth = 32, projectionDepth = 32;  // Mesa's depths; GL asks 32 and 2 at least
constexpr int textureDepth = 10;                          // Mesa's; GL asks 2 at least
// One primitive kind (GL_LINES or GL_TRIANGLES) at a time, fixed in size, so that a large scene
// costs draws and not memory.
constexpr int batchCapacity = 1 << 15;  // vertices: 16,384 lines
// Four slots for each line a batch holds (the table is forgotten at every flush): short probes.
constexpr std::uint32_t seenSlots = 1u << 16;

// Everything this unit knows, in one place.
struct GlState {
    struct Matrices {
        Matrix modelview[modelviewDepth];
        Matrix projection[projectionDepth];
        Matrix texture[textureDepth];  // kept as GL keeps it; nothing here draws with textures
        int modelviewTop, projectionTop, textureTop;
        GLenum mode;
    } matrices;
    struct Shading {
        GLubyte colour[4];  // the current colour, as the vertices carry it
        bool flat;
    } shading;
    struct Primitive {  // between glBegin and glEnd
        GLenum kind;
        bool open;
        int given;  // vertices given so far
        Given first, previous, held[2];
    } primitive;
    struct Batch {
        Vertex vertices[batchCapacity];
        int count;
        GLenum kind;
    } batch;
    struct Culling {
        bool enabled;                          // off only for the exactness test
        bool depthTest, blending, stencilTest;  // lines drawn twice may differ while any is on
        std::uint32_t colour;                  // the colour of the lines the table holds
        std::uint32_t generation;              // entries of other generations count as empty
        SeenLine seen[seenSlots];
    } culling;
    struct Viewport {  // as glViewport last set it; none yet while the width is 0
        GLint x, y;
        GLsizei width, height;
    } viewport;
    struct MesaProduct {  // projection times modelview as Mesa forms it, for the last pair seen
        Matrix modelview, projection, product;
    } mesa;
    struct Device {  // the WebGL objects every draw uses, made with the context
        GLuint program, buffer;
        GLint projectionUniform;
        Matrix loadedProjection;  // what the shader has; a new value costs WebGL more than a draw
    } device;
};

// Zero, so that its large tables cost the module nothing to load, but for what is set at start-up.
GlState gl;
[[maybe_unused]] const bool started = [] {
    gl.matrices.modelview[0] = identity;
    gl.matrices.projection[0] = identity;
    gl.matrices.texture[0] = identity;
    gl.matrices.mode = GL_MODELVIEW;
    std::memset(gl.shading.colour, 255, sizeof gl.shading.colour);
    gl.batch.kind = GL_LINES;
    gl.culling.enabled = true;
    gl.culling.generation = 1;
    return true;
}();

Matrix& modelview() { return gl.matrices.modelview[gl.matrices.modelviewTop]; }
Matrix& projection() { return gl.matrices.projection[gl.matrices.projectionTop]; }
void flush();

// The current matrix, as glMatrixMode chose it; a change of projection draws what is gathered
// first, under the projection it was given with.
Matrix& current() {
    GlState::Matrices& s = gl.matrices;
    if (s.mode == GL_MODELVIEW) return modelview();
    if (s.mode == GL_TEXTURE) return s.texture[s.textureTop];
    flush();
    return projection();
}

const char* const vertexShader =
    "attribute vec4 position;\n"
    "attribute vec4 colour;\n"
    "uniform mat4 projection;\n"
    "varying vec4 shade;\n"
    "void main() { gl_Position = projection * position; shade = colour; }\n";
const char* const fragmentShader =
    "precision mediump float;\n"
    "varying vec4 shade;\n"
    "void main() { gl_FragColor = shade; }\n";

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

// Once the context exists: the one program and buffer every draw uses, bound for good (nothing
// else in the page draws with WebGL).
void setUp() {
    GlState::Device& d = gl.device;
    d.program = emscripten_glCreateProgram();
    emscripten_glAttachShader(d.program, compile(GL_VERTEX_SHADER, vertexShader));
    emscripten_glAttachShader(d.program, compile(GL_FRAGMENT_SHADER, fragmentShader));
    emscripten_glBindAttribLocation(d.program, 0, "position");
    emscripten_glBindAttribLocation(d.program, 1, "colour");
    emscripten_glLinkProgram(d.program);
    emscripten_glUseProgram(d.program);
    d.projectionUniform = emscripten_glGetUniformLocation(d.program, "projection");
    emscripten_glGenBuffers(1, &d.buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, d.buffer);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    emscripten_glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                                     reinterpret_cast<const void*>(offsetof(Vertex, rgba)));
}

void forgetSeenLines() {
    GlState::Culling& c = gl.culling;
    if (++c.generation == 0) {  // after 2^32 generations: start the table afresh
        std::memset(c.seen, 0, sizeof c.seen);
        c.generation = 1;
    }
}

// Draws what is gathered, with the projection as it is now. Called before whatever would see the
// drawing or change how it is drawn: a clear, a change of projection, viewport, capability or
// WebGL state, glFlush, glFinish, a read, the buffer swap, a change of primitive kind, a full
// batch.
void flush() {
    forgetSeenLines();
    GlState::Batch& b = gl.batch;
    if (b.count == 0) return;
    GlState::Device& d = gl.device;
    if (d.program == 0) setUp();
    if (std::memcmp(d.loadedProjection.m, projection().m, sizeof(Matrix)) != 0) {
        d.loadedProjection = projection();
        emscripten_glUniformMatrix4fv(d.projectionUniform, 1, GL_FALSE, d.loadedProjection.m);
    }
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(static_cast<std::size_t>(b.count) * sizeof(Vertex)),
                            b.vertices, GL_STREAM_DRAW);
    emscripten_glDrawArrays(b.kind, 0, b.count);
    b.count = 0;
}

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

// Whether the line a -> b can change no pixel (see the head of this file); remembers it if not.
// The same ends given from other vertices (a cube's edge shared with its neighbour's) can fall on
// a diamond's edge where Mesa rounds them apart, and its end pixel be decided the other way there
// (locate()). The copy is still left out: sending those copies costs a quarter more lines face-on,
// and none of the tests' scenes, up to radius 20, shows a pixel that they change.
bool changesNothing(const Vertex& a, const Vertex& b) {
    GlState::Culling& c = gl.culling;
    // Every line takes part in the bookkeeping of colours, wherever its ends lie: one of another
    // colour, or shaded across colours, may paint over the lines remembered so far.
    const bool plain = std::memcmp(a.rgba, b.rgba, sizeof a.rgba) == 0;
    const std::uint32_t colour = bitsOf(a.rgba);
    if (!plain || colour != c.colour) {
        forgetSeenLines();
        c.colour = colour;
    }
    if (!c.enabled) return false;
    std::uint32_t ends[6];
    if (!landing(a, ends) || !landing(b, ends + 3)) return false;
    if (ends[0] == ends[3] && ends[1] == ends[4] && ends[2] == ends[5]) return true;
    if (!plain || c.depthTest || c.blending || c.stencilTest) return false;
    // Simple coordinates have all their low bits clear: every bit of the ends must reach the slot.
    std::uint32_t hash = 0;
    for (std::uint32_t e : ends) {
        hash = (hash ^ e) * 0x9e3779b1u;
        hash ^= hash >> 15;
    }
    hash ^= hash >> 16, hash *= 0x85ebca6bu, hash ^= hash >> 13, hash *= 0xc2b2ae35u, hash ^= hash >> 16;
    for (std::uint32_t slot = hash & (seenSlots - 1);; slot = (slot + 1) & (seenSlots - 1)) {
        SeenLine& line = c.seen[slot];
        if (line.generation != c.generation) {
            line.generation = c.generation;
            std::memcpy(line.ends, ends, sizeof ends);
            return false;
        }
        if (std::memcmp(line.ends, ends, sizeof ends) == 0) return true;
    }
}

// a times b, both column-major, in single precision and each sum in order, as GL and Mesa multiply.
Matrix times(const Matrix& a, const GLfloat* b) {
    Matrix product;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            product.m[row + 4 * col] = a.m[row] * b[4 * col] + a.m[row + 4] * b[4 * col + 1] +
                                       a.m[row + 8] * b[4 * col + 2] + a.m[row + 12] * b[4 * col + 3];
        }
    }
    return product;
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

// Where a vertex lands: on the GPU's path, and, on a diamond's very edge, as a cube's corner
// often is, inside or not as Mesa's rounding puts it (mesaWindow()).
void locate(Given& g) {
    if (g.located) return;
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
    locate(givenA), locate(givenB);
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

// Adds a line or a triangle to the batch. Under flat shading all its vertices take the colour of
// the provoking vertex: a line's last, and a quad's fourth for both its triangles (`provoking`).
void emit(GLenum kind, std::initializer_list<Given*> vertices, const Given* provoking = nullptr) {
    GlState::Batch& b = gl.batch;
    const int n = static_cast<int>(vertices.size());
    if (kind != b.kind || b.count + n > batchCapacity) flush();
    b.kind = kind;
    Vertex v[3];
    for (int i = 0; i < n; ++i) v[i] = vertices.begin()[i]->eye;
    if (gl.shading.flat) {
        const GLubyte* rgba = provoking ? provoking->eye.rgba : v[n - 1].rgba;
        for (int i = 0; i < n; ++i) std::memcpy(v[i].rgba, rgba, sizeof v[i].rgba);
    }
    if (kind == GL_LINES) {
        if (changesNothing(v[0], v[1])) return;
        meetDiamondRule(v[0], v[1], *vertices.begin()[0], *vertices.begin()[1]);
    }
    for (int i = 0; i < n; ++i) b.vertices[b.count++] = v[i];
}

// The vertex times the modelview, as GL takes it to eye space.
Vertex eyeVertex(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat* m = modelview().m;
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14], m[3] * x + m[7] * y + m[11] * z + m[15],
            {gl.shading.colour[0], gl.shading.colour[1], gl.shading.colour[2], gl.shading.colour[3]}};
}

Given givenVertex(GLfloat x, GLfloat y, GLfloat z) {
    Given g{};
    g.eye = eyeVertex(x, y, z);
    g.object[0] = x, g.object[1] = y, g.object[2] = z;
    return g;
}

// Assembles the primitive's lines or triangles as its vertices come.
void assemble(Given v) {
    GlState::Primitive& p = gl.primitive;
    const int n = p.given++;
    switch (p.kind) {
        case GL_LINES:
            if (n % 2 == 1) emit(GL_LINES, {&p.previous, &v});
            break;
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
            if (n > 0) emit(GL_LINES, {&p.previous, &v});
            break;
        case GL_QUADS:
            if (n % 4 == 0) p.held[0] = v;
            if (n % 4 == 1) p.held[1] = v;
            if (n % 4 == 3) {
                emit(GL_TRIANGLES, {&p.held[0], &p.held[1], &p.previous}, &v);
                emit(GL_TRIANGLES, {&p.held[0], &p.previous, &v}, &v);
            }
            break;
        default:
            break;
    }
    if (n == 0) p.first = v;
    p.previous = v;
}

// The current matrix times b, in column-major order, as GL multiplies.
void multiply(const GLfloat* b) {
    Matrix& target = current();
    target = times(target, b);
}

GLubyte toByte(GLfloat c) {
    return static_cast<GLubyte>(std::lround((c < 0 ? 0 : c > 1 ? 1 : c) * 255.0f));
}

void setCapability(GLenum capability, bool on) {
    flush();
    if (capability == GL_DEPTH_TEST) gl.culling.depthTest = on;
    if (capability == GL_BLEND) gl.culling.blending = on;
    if (capability == GL_STENCIL_TEST) gl.culling.stencilTest = on;
    (on ? emscripten_glEnable : emscripten_glDisable)(capability);
}

// The wire cube as freeglut draws it: its eight corners, and its six faces, each a line loop
// through four of them, so that every edge is drawn twice, once each way. A line's pixels depend
// on its direction (its last point is not drawn), so the same lines, in the same order, give the
// same picture.
const GLfloat cubeCorners[8][3] = {{.5f, .5f, .5f},  {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},  {.5f, -.5f, .5f},
                                   {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},  {-.5f, .5f, -.5f},  {-.5f, -.5f, -.5f}};
const int cubeFaces[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1}, {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};

}  // namespace

void glWebCullingForTesting(bool on) { gl.culling.enabled = on; }

extern "C" {

// The three stacks GL has; any other mode is an error in GL, which leaves the mode as it was.
void glMatrixMode(GLenum mode) {
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION || mode == GL_TEXTURE) gl.matrices.mode = mode;
}

void glLoadIdentity() { current() = identity; }

void glPushMatrix() {
    GlState::Matrices& s = gl.matrices;
    if (s.mode == GL_PROJECTION) {
        if (s.projectionTop + 1 < projectionDepth) s.projection[s.projectionTop + 1] = s.projection[s.projectionTop], ++s.projectionTop;
    } else if (s.mode == GL_TEXTURE) {
        if (s.textureTop + 1 < textureDepth) s.texture[s.textureTop + 1] = s.texture[s.textureTop], ++s.textureTop;
    } else if (s.modelviewTop + 1 < modelviewDepth) {
        s.modelview[s.modelviewTop + 1] = s.modelview[s.modelviewTop], ++s.modelviewTop;
    }
}

void glPopMatrix() {
    GlState::Matrices& s = gl.matrices;
    if (s.mode == GL_PROJECTION) {
        flush();
        if (s.projectionTop > 0) --s.projectionTop;
    } else if (s.mode == GL_TEXTURE) {
        if (s.textureTop > 0) --s.textureTop;
    } else if (s.modelviewTop > 0) {
        --s.modelviewTop;
    }
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    multiply(m);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat m[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
    multiply(m);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    const double length = std::sqrt(double{x} * x + double{y} * y + double{z} * z);
    if (length == 0) return;
    const double ux = x / length, uy = y / length, uz = z / length;
    const double radians = angle * M_PI / 180, c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    const GLfloat r[16] = {
        static_cast<GLfloat>(t * ux * ux + c),      static_cast<GLfloat>(t * ux * uy + s * uz),
        static_cast<GLfloat>(t * ux * uz - s * uy), 0,
        static_cast<GLfloat>(t * ux * uy - s * uz), static_cast<GLfloat>(t * uy * uy + c),
        static_cast<GLfloat>(t * uy * uz + s * ux), 0,
        static_cast<GLfloat>(t * ux * uz + s * uy), static_cast<GLfloat>(t * uy * uz - s * ux),
        static_cast<GLfloat>(t * uz * uz + c),      0,
        0,                                          0,
        0,                                          1};
    multiply(r);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    const GLfloat m[16] = {static_cast<GLfloat>(2 / (right - left)), 0, 0, 0,
                           0, static_cast<GLfloat>(2 / (top - bottom)), 0, 0,
                           0, 0, static_cast<GLfloat>(-2 / (zFar - zNear)), 0,
                           static_cast<GLfloat>(-(right + left) / (right - left)),
                           static_cast<GLfloat>(-(top + bottom) / (top - bottom)),
                           static_cast<GLfloat>(-(zFar + zNear) / (zFar - zNear)), 1};
    multiply(m);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    const GLfloat m[16] = {static_cast<GLfloat>(2 * zNear / (right - left)), 0, 0, 0,
                           0, static_cast<GLfloat>(2 * zNear / (top - bottom)), 0, 0,
                           static_cast<GLfloat>((right + left) / (right - left)),
                           static_cast<GLfloat>((top + bottom) / (top - bottom)),
                           static_cast<GLfloat>(-(zFar + zNear) / (zFar - zNear)), -1,
                           0, 0, static_cast<GLfloat>(-2 * zFar * zNear / (zFar - zNear)), 0};
    multiply(m);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * M_PI / 180, depth = zFar - zNear, sine = std::sin(radians);
    if (depth == 0 || sine == 0 || aspect == 0) return;  // as GLU: nothing
    const double cotangent = std::cos(radians) / sine;
    const GLfloat m[16] = {static_cast<GLfloat>(cotangent / aspect), 0, 0, 0, 0, static_cast<GLfloat>(cotangent), 0, 0,
                           0, 0, static_cast<GLfloat>(-(zFar + zNear) / depth), -1,
                           0, 0, static_cast<GLfloat>(-2 * zNear * zFar / depth), 0};
    multiply(m);
}

void glGetFloatv(GLenum name, GLfloat* values) {
    if (name == GL_PROJECTION_MATRIX) {
        std::memcpy(values, projection().m, sizeof(Matrix));
    } else if (name == GL_MODELVIEW_MATRIX) {
        std::memcpy(values, modelview().m, sizeof(Matrix));
    } else if (name == GL_TEXTURE_MATRIX) {
        std::memcpy(values, gl.matrices.texture[gl.matrices.textureTop].m, sizeof(Matrix));
    } else {
        emscripten_glGetFloatv(name, values);
    }
}

void glColor4fv(const GLfloat* c) {
    GLubyte* colour = gl.shading.colour;
    colour[0] = toByte(c[0]), colour[1] = toByte(c[1]), colour[2] = toByte(c[2]), colour[3] = toByte(c[3]);
}

void glShadeModel(GLenum mode) { gl.shading.flat = mode == GL_FLAT; }

void glBegin(GLenum mode) {
    if (gl.primitive.open) return;  // GL's error: the primitive open goes on
    if (mode != GL_LINES && mode != GL_LINE_STRIP && mode != GL_LINE_LOOP && mode != GL_QUADS) {
        std::fprintf(stderr, "glBegin(0x%x): this kind of primitive is not carried out in the browser\n", mode);
        std::abort();
    }
    gl.primitive.kind = mode;
    gl.primitive.open = true;
    gl.primitive.given = 0;
}

void glVertex2f(GLfloat x, GLfloat y) {
    if (gl.primitive.open) assemble(givenVertex(x, y, 0));
}
void glVertex2d(GLdouble x, GLdouble y) { glVertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    if (gl.primitive.open) assemble(givenVertex(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z)));
}

void glEnd() {
    GlState::Primitive& p = gl.primitive;
    if (!p.open) return;  // GL's error: nothing is drawn
    if (p.kind == GL_LINE_LOOP && p.given > 1) emit(GL_LINES, {&p.previous, &p.first});
    p.open = false;
}

void glutWireCube(GLdouble size) {
    Given corners[8];
    for (int i = 0; i < 8; ++i) {
        const GLfloat* c = cubeCorners[i];
        corners[i] = givenVertex(static_cast<GLfloat>(size * c[0]), static_cast<GLfloat>(size * c[1]), static_cast<GLfloat>(size * c[2]));
    }
    for (const auto& face : cubeFaces) {
        for (int i = 0; i < 4; ++i) emit(GL_LINES, {&corners[face[i]], &corners[face[(i + 1) % 4]]});
    }
}

void glClear(GLbitfield mask) {
    flush();
    emscripten_glClear(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    flush();
    gl.viewport = {x, y, width, height};
    emscripten_glViewport(x, y, width, height);
}

void glEnable(GLenum capability) { setCapability(capability, true); }
void glDisable(GLenum capability) { setCapability(capability, false); }

void glFlush() {
    flush();
    emscripten_glFlush();
}

void glFinish() {
    flush();
    emscripten_glFinish();
}

// The browser shows the canvas when the callback returns: everything gathered must be drawn.
void glutSwapBuffers() { flush(); }

// WebGL's calls that change how later primitives are drawn, or read or copy what is drawn: what
// is gathered is drawn first, under the state it was given in.
void glBlendColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { flush(), emscripten_glBlendColor(r, g, b, a); }
void glBlendEquation(GLenum mode) { flush(), emscripten_glBlendEquation(mode); }
void glBlendEquationSeparate(GLenum rgb, GLenum alpha) { flush(), emscripten_glBlendEquationSeparate(rgb, alpha); }
void glBlendFunc(GLenum source, GLenum destination) { flush(), emscripten_glBlendFunc(source, destination); }
void glBlendFuncSeparate(GLenum sRgb, GLenum dRgb, GLenum sAlpha, GLenum dAlpha) {
    flush(), emscripten_glBlendFuncSeparate(sRgb, dRgb, sAlpha, dAlpha);
}
void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) { flush(), emscripten_glColorMask(r, g, b, a); }
void glCullFace(GLenum mode) { flush(), emscripten_glCullFace(mode); }
void glDepthFunc(GLenum function) { flush(), emscripten_glDepthFunc(function); }
void glDepthMask(GLboolean flag) { flush(), emscripten_glDepthMask(flag); }
void glDepthRangef(GLfloat zNear, GLfloat zFar) { flush(), emscripten_glDepthRangef(zNear, zFar); }
void glDepthRange(GLdouble zNear, GLdouble zFar) {
    flush(), emscripten_glDepthRangef(static_cast<GLfloat>(zNear), static_cast<GLfloat>(zFar));
}
void glFrontFace(GLenum mode) { flush(), emscripten_glFrontFace(mode); }
void glLineWidth(GLfloat width) { flush(), emscripten_glLineWidth(width); }
void glPolygonOffset(GLfloat factor, GLfloat units) { flush(), emscripten_glPolygonOffset(factor, units); }
void glSampleCoverage(GLfloat value, GLboolean invert) { flush(), emscripten_glSampleCoverage(value, invert); }
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) { flush(), emscripten_glScissor(x, y, width, height); }
void glStencilFunc(GLenum function, GLint reference, GLuint mask) { flush(), emscripten_glStencilFunc(function, reference, mask); }
void glStencilMask(GLuint mask) { flush(), emscripten_glStencilMask(mask); }
void glStencilOp(GLenum fail, GLenum depthFail, GLenum pass) { flush(), emscripten_glStencilOp(fail, depthFail, pass); }
void glStencilFuncSeparate(GLenum face, GLenum function, GLint reference, GLuint mask) {
    flush(), emscripten_glStencilFuncSeparate(face, function, reference, mask);
}
void glStencilOpSeparate(GLenum face, GLenum fail, GLenum depthFail, GLenum pass) {
    flush(), emscripten_glStencilOpSeparate(face, fail, depthFail, pass);
}
void glStencilMaskSeparate(GLenum face, GLuint mask) { flush(), emscripten_glStencilMaskSeparate(face, mask); }
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
    flush(), emscripten_glReadPixels(x, y, width, height, format, type, pixels);
}
void glCopyTexImage2D(GLenum target, GLint level, GLenum format, GLint x, GLint y, GLsizei width, GLsizei height,
                      GLint border) {
    flush(), emscripten_glCopyTexImage2D(target, level, format, x, y, width, height, border);
}
void glCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y, GLsizei width,
                         GLsizei height) {
    flush(), emscripten_glCopyTexSubImage2D(target, level, xOffset, yOffset, x, y, width, height);
}

}  // extern "C"
