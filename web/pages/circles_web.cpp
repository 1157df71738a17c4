// The demonstration's page reads the circle on the screen from the program, for its link to the
// explainer of that circle's walk.
#include <emscripten.h>

#include "app/circles.h"
#include "app/modes.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* webCircleModeName() { return circleModeNames[currentCircleMode()]; }

EMSCRIPTEN_KEEPALIVE int webCircleRadius() { return currentCircleRadius(); }

}  // extern "C"
