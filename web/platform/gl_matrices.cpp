// The web GL unit's three matrix stacks (gl_web.cpp): every matrix multiplied as GL multiplies it,
// glOrtho, glFrustum and gluPerspective as Mesa's GL and GLU compute them, and glGetFloatv of the
// matrices.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>

#include "gl_web_state.h"

namespace glweb {

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

namespace {

// The current matrix, as glMatrixMode chose it; a change of projection draws what is gathered
// first, under the projection it was given with.
Matrix& current() {
    GlState::Matrices& s = gl.matrices;
    if (s.mode == GL_MODELVIEW) return modelview();
    if (s.mode == GL_TEXTURE) return s.texture[s.textureTop];
    flush();
    return projection();
}

// The current matrix times b, in column-major order, as GL multiplies.
void multiply(const GLfloat* b) {
    Matrix& target = current();
    target = times(target, b);
}

}  // namespace
}  // namespace glweb

using namespace glweb;

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

}  // extern "C"
