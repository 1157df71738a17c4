// What the demonstration's page reads from the program: its window title, menu entry, table of
// inputs and modes' names, for the page's keys and texts, and the circle on the screen, for its
// link to the explainer.
#include <emscripten.h>

#include <string>

#include "app/bindings.h"
#include "app/circles.h"
#include "app/modes.h"
#include "input_table.h"
#include "view/quit_menu.h"

extern "C" {

// {"title": ..., "menuEntry": ..., "inputs": [...], "modes": ["outline", ...]}; valid until the
// next call.
EMSCRIPTEN_KEEPALIVE const char* webPageFacts() {
    static std::string json;
    json = std::string("{\"title\": \"") + circlesWindowTitle + "\", \"menuEntry\": \"" + quitMenuEntry +
           "\", \"inputs\": " + inputTableJson(circleBindings, circleBindingCount) + ", \"modes\": [";
    for (int mode = 0; mode < circleModeCount; ++mode) json += std::string(mode ? ", \"" : "\"") + circleModeNames[mode] + '"';
    json += "]}";
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webCircleModeName() { return circleModeNames[currentCircleMode()]; }

EMSCRIPTEN_KEEPALIVE int webCircleRadius() { return currentCircleRadius(); }

}  // extern "C"
