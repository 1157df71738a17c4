// The program's GL calls that the web GL unit passes on to WebGL (webgl_calls.def): what is
// gathered is drawn first, under the state it was given in, as the call would find it under a
// driver.
#include <GL/gl.h>

#include "gl_web_state.h"

extern "C" {

#define WEBGL_CALL(result, name, parameters)
#define WEBGL_PASS_THROUGH(name, parameters, arguments) \
    void gl##name parameters {                          \
        glweb::flush();                                 \
        emscripten_gl##name arguments;                  \
    }
#include "webgl_calls.def"
#undef WEBGL_CALL
#undef WEBGL_PASS_THROUGH

// GL's double-precision form of WebGL's call.
void glDepthRange(GLdouble zNear, GLdouble zFar) {
    glDepthRangef(static_cast<GLfloat>(zNear), static_cast<GLfloat>(zFar));
}

}  // extern "C"
