// The web GL unit's own header, shared by its files and published to no one: the WebGL calls it
// makes, its one state record and what its files call in each other. gl_web.cpp says what the
// unit does as a whole.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <initializer_list>

extern "C" {
#define WEBGL_CALL(result, name, parameters) result emscripten_gl##name parameters;
#define WEBGL_PASS_THROUGH(name, parameters, arguments) void emscripten_gl##name parameters;
#include "webgl_calls.def"
#undef WEBGL_CALL
#undef WEBGL_PASS_THROUGH
}

namespace glweb {

struct Matrix {
    GLfloat m[16];  // column-major, as GL keeps it
};

inline constexpr Matrix identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

struct Vertex {
    GLfloat x, y, z, w;  // eye space
    GLubyte rgba[4];
};

// A vertex as the program gave it: in eye space, for the GPU, and where it lands in the window,
// for the pixels of a line's ends (see meetDiamondRule()), worked out the first time a line it
// ends is sent, and the key of where it lands on the GPU (see landing()), the first time a line it
// ends is given. GL has no matrix or viewport change within glBegin and glEnd.
struct Given {
    Vertex eye;
    GLfloat object[3];    // as given
    bool located;         // the rest worked out yet
    bool placed;          // false before a viewport, or where w is not positive
    bool inside;          // inside its pixel's diamond
    bool keyed;           // landing() asked yet
    bool lands;           // what it answered, with the key and its hash
    std::uint8_t beyond;  // the sides of the view volume it lies well beyond (see key())
    std::uint32_t key[3], keyHash;
    double clip[3];       // x, y and w
    double window[2];
    double centre[2];     // of its pixel
};

constexpr int modelviewDepth = 32, projectionDepth = 32;  // Mesa's depths; GL asks 32 and 2 at least
constexpr int textureDepth = 10;                          // Mesa's; GL asks 2 at least
// One primitive kind (GL_LINES or GL_TRIANGLES) at a time, fixed in size: a large scene takes more
// draws, never more memory.
constexpr int batchCapacity = 1 << 15;  // vertices: 16,384 lines
// The lines remembered since the culling table was last forgotten (at every flush, at least): at
// most a batch's, since only lines sent are remembered. Four slots for each.
constexpr int seenCapacity = batchCapacity / 2;
constexpr std::uint32_t seenSlots = 1u << 16;
static_assert(seenCapacity <= 0x10000, "a slot keeps its line's index in 16 bits");

// Everything the unit knows, in one place; each part says which file writes it.
struct GlState {
    struct Matrices {  // gl_matrices.cpp
        Matrix modelview[modelviewDepth];
        Matrix projection[projectionDepth];
        Matrix texture[textureDepth];  // kept as GL keeps it; nothing here draws with textures
        int modelviewTop, projectionTop, textureTop;
        GLenum mode;
    } matrices;
    struct Shading {  // gl_web.cpp
        GLubyte colour[4];  // the current colour, as the vertices carry it
        bool flat;
    } shading;
    struct Primitive {  // gl_web.cpp, between glBegin and glEnd
        GLenum kind;
        bool open;
        int given;  // vertices given so far
        Given first, previous, held[2];
    } primitive;
    struct Batch {  // gl_web.cpp
        Vertex vertices[batchCapacity];
        int count;
        GLenum kind;
    } batch;
    struct Culling {  // gl_lines.cpp
        bool enabled;                          // off only for the exactness test
        bool depthTest, blending, stencilTest;  // lines drawn twice may differ while any is on
        std::uint32_t colour;                  // the colour of the lines the table holds
        std::uint32_t generation;              // its low 16 bits tag the slots it fills; never 0 there
        int count;                             // lines remembered in this generation
        // A slot holds its generation's tag above the index of its line's ends; slots of other
        // generations count as empty. The ends are those landing() gives, in the order remembered.
        std::uint32_t slots[seenSlots];
        std::uint32_t ends[seenCapacity][6];
    } culling;
    struct Viewport {  // gl_web.cpp, as glViewport last set it; none yet while the width is 0
        GLint x, y;
        GLsizei width, height;
    } viewport;
    struct MesaProduct {  // gl_lines.cpp: projection times modelview as Mesa forms it, for the last pair seen
        Matrix modelview, projection, product;
    } mesa;
    struct Device {  // gl_web.cpp: the WebGL objects every draw uses, made with the context
        GLuint program, buffer;
        GLint projectionUniform;
        Matrix loadedProjection;  // what the shader has
    } device;
};

extern GlState gl;  // defined, and set up for start, in gl_web.cpp

inline Matrix& modelview() { return gl.matrices.modelview[gl.matrices.modelviewTop]; }
inline Matrix& projection() { return gl.matrices.projection[gl.matrices.projectionTop]; }

// gl_web.cpp: the batch.
void flush();
void emit(GLenum kind, std::initializer_list<Given*> vertices, const Given* provoking = nullptr);

// gl_matrices.cpp.
Matrix times(const Matrix& a, const GLfloat* b);

// gl_lines.cpp: the line rules.
void forgetSeenLines();
void noteCapability(GLenum capability, bool on);
// Whether the line from givenA to givenB, in the colours it is drawn in, can change no pixel.
bool changesNothing(const GLubyte* rgbaA, const GLubyte* rgbaB, Given& givenA, Given& givenB);
void meetDiamondRule(Vertex& a, Vertex& b, Given& givenA, Given& givenB);

}  // namespace glweb
