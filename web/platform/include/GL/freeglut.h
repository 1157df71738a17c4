// <GL/freeglut.h> for the browser build: emscripten's GLUT, whose header already declares what
// that GLUT lacks (glutWireCube, the pop-up menus, glutPostWindowRedisplay); glut_web.cpp
// supplies those.
#pragma once

#include <GL/glut.h>
