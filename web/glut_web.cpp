// What the browser's GLUT lacks, for the web build only: freeglut's wire cube, pop-up menus shown
// as an overlay on the canvas (glut_web.js), glutPostWindowRedisplay for its one window, and
// the double-precision vertices that the GL emulation leaves out.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <vector>

namespace {

std::vector<void (*)(int)> menuCallbacks;  // menu identifier - 1 -> its callback
int currentMenu = 0;

// freeglut's cube: six faces, each a loop of four corners. freeglut also gives each face its
// normal; without lighting that changes no pixel, and the GL emulation takes a normal given once
// before a face's vertices for a vertex of its own.
const GLfloat cubeCorners[8][3] = {{.5f, .5f, .5f},  {-.5f, .5f, .5f},  {-.5f, -.5f, .5f}, {.5f, -.5f, .5f},
                                   {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
const int cubeFaces[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1}, {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};

}  // namespace

EM_JS(void, webAddMenu, (int menu), { Module.glutWeb.addMenu(menu); });
EM_JS(void, webAddMenuEntry, (int menu, const char* label, int value),
      { Module.glutWeb.addEntry(menu, UTF8ToString(label), value); });
EM_JS(void, webAttachMenu, (int menu, int button), { Module.glutWeb.attach(menu, button); });

extern "C" {

void glutWireCube(GLdouble size) {
    const GLfloat s = static_cast<GLfloat>(size);
    for (int f = 0; f < 6; ++f) {
        glBegin(GL_LINE_LOOP);
        for (int corner : cubeFaces[f]) {
            glVertex3f(cubeCorners[corner][0] * s, cubeCorners[corner][1] * s, cubeCorners[corner][2] * s);
        }
        glEnd();
    }
}

int glutCreateMenu(void (*callback)(int)) {
    menuCallbacks.push_back(callback);
    currentMenu = static_cast<int>(menuCallbacks.size());
    webAddMenu(currentMenu);
    return currentMenu;
}

void glutAddMenuEntry(const char* label, int value) { webAddMenuEntry(currentMenu, label, value); }

void glutAttachMenu(int button) { webAttachMenu(currentMenu, button); }

void glutPostWindowRedisplay(int) { glutPostRedisplay(); }

void glVertex2d(GLdouble x, GLdouble y) { glVertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

// Called by the overlay when an entry is chosen.
EMSCRIPTEN_KEEPALIVE void webMenuChosen(int menu, int value) {
    if (menu < 1 || menu > static_cast<int>(menuCallbacks.size())) return;
    currentMenu = menu;
    menuCallbacks[static_cast<std::size_t>(menu - 1)](value);
}

}  // extern "C"
