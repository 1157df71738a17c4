// OpenGL 1.x as the programs use it, carried out on WebGL the way a GL driver would, for the web
// build only. The programs draw in immediate mode, one wire cube per grid pixel with its own
// push, translation and pop. Here the matrix stacks live in this unit, each vertex is taken to eye
// space as it is given, and the lines and triangles are gathered into one buffer that goes to
// WebGL in one draw when something else must draw or be read (see flush()), rather than a browser
// call for each GL call.
//
// Everything else is drawn as the program gives it: freeglut's cube as its six line loops, every
// matrix multiplied as GL multiplies it. Lines that cannot change a pixel are not sent: a line that
// is a point in the window (a cube's edge along the line of sight), which GL draws no fragments
// for; a line whose ends both lie two pixels or more beyond the same side of the view volume,
// which GL clips away whole; and, while neither the depth test, blending nor the stencil test is
// on, a plain line that another plain line of the same colour, with the same ends in the same
// order, has drawn since anything of another colour could have painted over it (a back face's
// edge under the front's). The first and the last are decided only where the ends provably land
// on the same window points on the GPU (see landing()). The web tests draw scenes with this culling on and plainly, every line sent, and
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
// - WebGL's own calls: those that clear, change how later primitives are drawn, or read or flush
//   what is drawn draw what is gathered first (the pass-throughs of webgl_calls.def), as they would
//   find it under a driver. The viewport and capabilities are carried out here, then go on to
//   WebGL. Any other GL call reaches WebGL unwrapped only if it is known to leave drawing
//   untouched: the build checks every program's GL calls that reach emscripten's GL library
//   against that list (glWebUntouched, platform.cmake), so that a call added later cannot slip past.
//
// The unit's files, all sharing one state record (gl_web_state.h): this one, the primitives, the
// batch and the WebGL device it draws with; gl_matrices.cpp, the matrix stacks; gl_lines.cpp, the
// rules for the lines sent (the culling, the diamond); gl_pass_throughs.cpp.
#include <GL/gl.h>
#include <GL/glut.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "gl_web_state.h"

namespace glweb {

// Zero-initialised but for what the start-up below sets (docs/performance.md says why).
GlState gl;

namespace {

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

}  // namespace

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

// Adds a line or a triangle to the batch. Under flat shading all its vertices take the colour of
// the provoking vertex: a line's last, and a quad's fourth for both its triangles (`provoking`).
void emit(GLenum kind, std::initializer_list<Given*> vertices, const Given* provoking) {
    GlState::Batch& b = gl.batch;
    const int n = static_cast<int>(vertices.size());
    if (kind != b.kind || b.count + n > batchCapacity) flush();
    b.kind = kind;
    Given* const* given = vertices.begin();
    const GLubyte* flat = !gl.shading.flat ? nullptr : provoking ? provoking->eye.rgba : given[n - 1]->eye.rgba;
    if (kind == GL_LINES) {
        const GLubyte *rgbaA = flat ? flat : given[0]->eye.rgba, *rgbaB = flat ? flat : given[1]->eye.rgba;
        if (changesNothing(rgbaA, rgbaB, *given[0], *given[1])) return;
    }
    Vertex v[3];
    for (int i = 0; i < n; ++i) {
        v[i] = given[i]->eye;
        if (flat) std::memcpy(v[i].rgba, flat, sizeof v[i].rgba);
    }
    if (kind == GL_LINES) meetDiamondRule(v[0], v[1], *given[0], *given[1]);
    for (int i = 0; i < n; ++i) b.vertices[b.count++] = v[i];
}

namespace {

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

GLubyte toByte(GLfloat c) {
    return static_cast<GLubyte>(std::lround((c < 0 ? 0 : c > 1 ? 1 : c) * 255.0f));
}

void setCapability(GLenum capability, bool on) {
    flush();
    noteCapability(capability, on);
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
}  // namespace glweb

using namespace glweb;

extern "C" {

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

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    flush();
    gl.viewport = {x, y, width, height};
    emscripten_glViewport(x, y, width, height);
}

void glEnable(GLenum capability) { setCapability(capability, true); }
void glDisable(GLenum capability) { setCapability(capability, false); }

// The browser shows the canvas when the callback returns: everything gathered must be drawn.
void glutSwapBuffers() { flush(); }

}  // extern "C"
