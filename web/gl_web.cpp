// OpenGL 1.x as the programs use it, carried out on WebGL the way a GL driver would, for the web
// build only. The programs draw in immediate mode, one wire cube per grid pixel with its own
// push, translation and pop; a browser call per GL call (what emscripten's GL emulation does) costs
// far more than the drawing. Here the matrix stacks live in this unit, each vertex is taken to eye
// space as it is given, and the lines and triangles are gathered into one buffer that goes to
// WebGL in one draw when something else must draw or be read: a clear, a change of projection,
// viewport or capability, glFlush, glFinish, the buffer swap, or a full buffer.
//
// Lines that cannot change a pixel are not sent: a line that is a point in the window (the cube's
// edges along the line of sight, seen face-on), which GL draws no fragments for, and, while
// neither the depth test nor blending is on, a line that another one of the same colour, in the
// same direction, has already drawn since the last change of colour (the back face's edges behind
// the front face's). Both are decided only where the ends provably land on the same window points
// on the GPU (see landing()).
//
// What is carried out: the two matrix stacks with load, push, pop, translate, rotate, scale, multiply,
// glOrtho, glFrustum and gluPerspective (as Mesa's GLU computes it), glGetFloatv of both matrices;
// glBegin/glEnd with lines, line strips and loops, triangles, strips, fans, quads and polygons;
// glVertex2/3 in float and double; glColor3/4 in float; freeglut's wire cube. Points and the rest
// of GL 1.x are not (their vertices are dropped); clears, the viewport, capabilities (the depth
// test) and flushing go on to WebGL. Colours are smooth-shaded, as the programs ask.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

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
}

namespace {

struct Matrix {
    GLfloat m[16];  // column-major, as GL keeps it
};

const Matrix identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// The stacks at GL's own depths (32 and 2 at least; 4 for the projection is what Mesa gives).
Matrix modelview[32] = {identity};
Matrix projection[4] = {identity};
int modelviewTop = 0, projectionTop = 0;
GLenum matrixMode = GL_MODELVIEW;

struct Vertex {
    GLfloat x, y, z, w;  // eye space
    GLubyte rgba[4];
};

GLubyte colour[4] = {255, 255, 255, 255};

// The batch: one primitive kind (GL_LINES or GL_TRIANGLES), fixed in size, so that a large
// scene costs draws and not memory.
constexpr int batchCapacity = 1 << 15;
Vertex batch[batchCapacity];
int batched = 0;
GLenum batchKind = GL_LINES;

// The primitive being given between glBegin and glEnd.
GLenum primitive = 0;
bool inside = false;
int given = 0;             // vertices given so far
Vertex first, previous, held[2];

// Lines already in the batch since the last change of colour, by their window-space ends: an
// open-addressed table whose entries count as empty unless they carry the current generation.
struct SeenLine {
    std::uint32_t generation;
    std::uint32_t ends[6];
};
constexpr std::uint32_t seenSlots = 1u << 16;  // twice the most lines a batch holds
SeenLine seen[seenSlots];
std::uint32_t generation = 1;
std::uint32_t seenColour = 0;
bool depthTest = false, blending = false;

GLuint program = 0, buffer = 0;
GLint projectionUniform = -1;
Matrix loadedProjection = {};  // what the shader has; a new value costs WebGL more than a draw

Matrix& current() { return matrixMode == GL_PROJECTION ? projection[projectionTop] : modelview[modelviewTop]; }

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
    program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, compile(GL_VERTEX_SHADER, vertexShader));
    emscripten_glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentShader));
    emscripten_glBindAttribLocation(program, 0, "position");
    emscripten_glBindAttribLocation(program, 1, "colour");
    emscripten_glLinkProgram(program);
    emscripten_glUseProgram(program);
    projectionUniform = emscripten_glGetUniformLocation(program, "projection");
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    emscripten_glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                                     reinterpret_cast<const void*>(offsetof(Vertex, rgba)));
}

void forgetSeenLines() {
    if (++generation == 0) {  // after 2^32 flushes: start the table afresh
        std::memset(seen, 0, sizeof seen);
        generation = 1;
    }
}

// Draws what is gathered, with the projection as it is now.
void flush() {
    forgetSeenLines();
    if (batched == 0) return;
    if (program == 0) setUp();
    if (std::memcmp(loadedProjection.m, projection[projectionTop].m, sizeof(Matrix)) != 0) {
        loadedProjection = projection[projectionTop];
        emscripten_glUniformMatrix4fv(projectionUniform, 1, GL_FALSE, loadedProjection.m);
    }
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(static_cast<std::size_t>(batched) * sizeof(Vertex)), batch, GL_STREAM_DRAW);
    emscripten_glDrawArrays(batchKind, 0, batched);
    batched = 0;
}

bool changesNothing(const Vertex& a, const Vertex& b);

void emit(GLenum kind, std::initializer_list<const Vertex*> vertices) {
    const int n = static_cast<int>(vertices.size());
    if (kind != batchKind || batched + n > batchCapacity) flush();
    batchKind = kind;
    if (kind == GL_LINES && changesNothing(*vertices.begin()[0], *vertices.begin()[1])) return;
    for (const Vertex* v : vertices) batch[batched++] = *v;
}

std::uint32_t bitsOf(GLfloat f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

// The parts of a vertex that decide where it lands in the window: its eye-space x, y and w, when
// the projection's x, y and w do not depend on eye-space z (orthographic volumes). Two vertices
// alike in these land on exactly the same point, whatever their depth and whatever order the GPU
// computes in, since z only ever meets zeros. False when the projection uses z, or when the vertex
// lies near or beyond the near or far plane, where its depth decides whether it is clipped.
bool landing(const Vertex& v, std::uint32_t* key) {
    const GLfloat* p = projection[projectionTop].m;
    if (p[8] != 0 || p[9] != 0 || p[11] != 0) return false;
    const GLfloat z = p[2] * v.x + p[6] * v.y + p[10] * v.z + p[14] * v.w;
    const GLfloat w = p[3] * v.x + p[7] * v.y + p[15] * v.w;
    if (!(w > 0) || !(std::fabs(z) < 0.99f * w)) return false;
    key[0] = bitsOf(v.x), key[1] = bitsOf(v.y), key[2] = bitsOf(v.w);
    return true;
}

// Whether the line a -> b can change no pixel (see the head of this file); remembers it if not.
bool changesNothing(const Vertex& a, const Vertex& b) {
    std::uint32_t ends[6];
    if (!landing(a, ends) || !landing(b, ends + 3)) return false;
    if (ends[0] == ends[3] && ends[1] == ends[4] && ends[2] == ends[5]) return true;
    if (depthTest || blending) return false;
    std::uint32_t colourBits;
    std::memcpy(&colourBits, a.rgba, sizeof colourBits);
    if (colourBits != seenColour || std::memcmp(a.rgba, b.rgba, 4) != 0) {
        forgetSeenLines();
        seenColour = colourBits;
    }
    // Simple coordinates have all their low bits clear: every bit of the ends must reach the slot.
    std::uint32_t hash = 0;
    for (std::uint32_t e : ends) {
        hash = (hash ^ e) * 0x9e3779b1u;
        hash ^= hash >> 15;
    }
    hash ^= hash >> 16, hash *= 0x85ebca6bu, hash ^= hash >> 13, hash *= 0xc2b2ae35u, hash ^= hash >> 16;
    for (std::uint32_t slot = hash & (seenSlots - 1);; slot = (slot + 1) & (seenSlots - 1)) {
        SeenLine& line = seen[slot];
        if (line.generation != generation) {
            line.generation = generation;
            std::memcpy(line.ends, ends, sizeof ends);
            return false;
        }
        if (std::memcmp(line.ends, ends, sizeof ends) == 0) return true;
    }
}

Vertex eyeVertex(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat* m = modelview[modelviewTop].m;
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14], m[3] * x + m[7] * y + m[11] * z + m[15],
            {colour[0], colour[1], colour[2], colour[3]}};
}

// Assembles the primitive's lines or triangles as its vertices come.
void assemble(const Vertex& v) {
    const int n = given++;
    switch (primitive) {
        case GL_LINES:
            if (n % 2 == 1) emit(GL_LINES, {&previous, &v});
            break;
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
            if (n > 0) emit(GL_LINES, {&previous, &v});
            break;
        case GL_TRIANGLES:
            if (n % 3 == 2) emit(GL_TRIANGLES, {&held[0], &previous, &v});
            break;
        case GL_TRIANGLE_STRIP:
            if (n >= 2) emit(GL_TRIANGLES, {&held[0], &previous, &v});
            break;
        case GL_TRIANGLE_FAN:
        case GL_POLYGON:
            if (n >= 2) emit(GL_TRIANGLES, {&first, &previous, &v});
            break;
        case GL_QUADS:
            if (n % 4 == 3) {
                emit(GL_TRIANGLES, {&held[0], &held[1], &previous});
                emit(GL_TRIANGLES, {&held[0], &previous, &v});
            }
            break;
        default:
            break;
    }
    if (n == 0) first = v;
    // held[0] is the vertex before previous (strips), or the first of the current triangle or quad.
    if (primitive == GL_TRIANGLE_STRIP) {
        held[0] = previous;
    } else if (primitive == GL_QUADS) {
        if (n % 4 == 0) held[0] = v;
        if (n % 4 == 1) held[1] = v;
    } else if (primitive == GL_TRIANGLES && n % 3 == 0) {
        held[0] = v;
    }
    previous = v;
}

void multiply(const GLfloat* b) {
    if (matrixMode == GL_PROJECTION) flush();
    Matrix& a = current();
    Matrix product;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            product.m[row + 4 * col] = a.m[row] * b[4 * col] + a.m[row + 4] * b[4 * col + 1] +
                                       a.m[row + 8] * b[4 * col + 2] + a.m[row + 12] * b[4 * col + 3];
        }
    }
    a = product;
}

GLubyte toByte(GLfloat c) {
    return static_cast<GLubyte>(std::lround((c < 0 ? 0 : c > 1 ? 1 : c) * 255.0f));
}

// freeglut's wire cube: the twelve edges of the cube of side `size` about the origin.
const int cubeEdges[12][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}, {4, 5}, {5, 7}, {7, 6}, {6, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) { matrixMode = mode; }

void glLoadIdentity() {
    if (matrixMode == GL_PROJECTION) flush();
    current() = identity;
}

void glLoadMatrixf(const GLfloat* m) {
    if (matrixMode == GL_PROJECTION) flush();
    std::memcpy(current().m, m, sizeof(Matrix));
}

void glMultMatrixf(const GLfloat* m) { multiply(m); }

void glPushMatrix() {
    if (matrixMode == GL_PROJECTION) {
        if (projectionTop + 1 < 4) projection[projectionTop + 1] = projection[projectionTop], ++projectionTop;
    } else if (modelviewTop + 1 < 32) {
        modelview[modelviewTop + 1] = modelview[modelviewTop], ++modelviewTop;
    }
}

void glPopMatrix() {
    if (matrixMode == GL_PROJECTION) {
        flush();
        if (projectionTop > 0) --projectionTop;
    } else if (modelviewTop > 0) {
        --modelviewTop;
    }
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (matrixMode == GL_PROJECTION) flush();
    GLfloat* m = current().m;
    for (int row = 0; row < 4; ++row) m[12 + row] += m[row] * x + m[4 + row] * y + m[8 + row] * z;
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (matrixMode == GL_PROJECTION) flush();
    GLfloat* m = current().m;
    for (int row = 0; row < 4; ++row) m[row] *= x, m[4 + row] *= y, m[8 + row] *= z;
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
    if (name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX) {
        std::memcpy(values, (name == GL_PROJECTION_MATRIX ? projection[projectionTop] : modelview[modelviewTop]).m,
                    sizeof(Matrix));
        return;
    }
    emscripten_glGetFloatv(name, values);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    colour[0] = toByte(r), colour[1] = toByte(g), colour[2] = toByte(b), colour[3] = toByte(a);
}
void glColor4fv(const GLfloat* c) { glColor4f(c[0], c[1], c[2], c[3]); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { glColor4f(r, g, b, 1); }
void glColor3fv(const GLfloat* c) { glColor4f(c[0], c[1], c[2], 1); }

void glShadeModel(GLenum) {}  // smooth; flat would differ only for primitives of mixed colours

void glBegin(GLenum mode) {
    primitive = mode;
    inside = true;
    given = 0;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (inside) assemble(eyeVertex(x, y, z));
}
void glVertex2f(GLfloat x, GLfloat y) { glVertex3f(x, y, 0); }
void glVertex2d(GLdouble x, GLdouble y) { glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), 0); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

void glEnd() {
    if (primitive == GL_LINE_LOOP && given > 1) emit(GL_LINES, {&previous, &first});
    inside = false;
}

void glutWireCube(GLdouble size) {
    const GLfloat h = static_cast<GLfloat>(size / 2);
    Vertex corners[8];
    for (int i = 0; i < 8; ++i) corners[i] = eyeVertex(i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h);
    for (const auto& edge : cubeEdges) emit(GL_LINES, {&corners[edge[0]], &corners[edge[1]]});
}

void glClear(GLbitfield mask) {
    flush();
    emscripten_glClear(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    flush();
    emscripten_glViewport(x, y, width, height);
}

void glEnable(GLenum capability) {
    flush();
    if (capability == GL_DEPTH_TEST) depthTest = true;
    if (capability == GL_BLEND) blending = true;
    emscripten_glEnable(capability);
}

void glDisable(GLenum capability) {
    flush();
    if (capability == GL_DEPTH_TEST) depthTest = false;
    if (capability == GL_BLEND) blending = false;
    emscripten_glDisable(capability);
}

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

}  // extern "C"
