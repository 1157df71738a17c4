// The GL-context tests share one real freeglut window of 350 x 350, opened by gl_main.cpp before
// any test runs and shown on the screen.
#pragma once

#include <array>

namespace glwindow {

int id();
// Runs freeglut's event loop once for each pending event, then a little more, so that posted
// redisplays are carried out.
void pumpEvents();
std::array<float, 16> matrix(unsigned int which);  // GL_PROJECTION_MATRIX or GL_MODELVIEW_MATRIX

}  // namespace glwindow
