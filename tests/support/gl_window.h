// The GL-context tests share one real freeglut window of 350 x 350, opened by gl_main.cpp before
// any test runs and shown on the screen.
#pragma once

#include <array>

namespace glwindow {

int id();
// Takes every event the X server has sent so far and carries out the redisplays posted.
void pumpEvents();
std::array<float, 16> matrix(unsigned int which);  // GL_PROJECTION_MATRIX or GL_MODELVIEW_MATRIX

}  // namespace glwindow
