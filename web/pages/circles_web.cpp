// What the demonstration's page reads from the program: its window title, menu entry, table of
// inputs and modes' names, for the page's keys and texts, and the circle on the screen, for its
// link to the explainer.
#include <emscripten.h>

#include <string>

#include "app/bindings.h"
#include "app/circles.h"
#include "app/modes.h"
#include "page_facts.h"

extern "C" {

// See page_facts.h; made once, the text stays valid.
EMSCRIPTEN_KEEPALIVE const char* webPageFacts() {
    static const std::string json = pageFactsJson(circlesWindowTitle, circleBindings, circleBindingCount, circleModeNames,
                                                  circleModeCount);
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webCircleModeName() { return circleModeNames[currentCircleMode()]; }

EMSCRIPTEN_KEEPALIVE int webCircleRadius() { return currentCircleRadius(); }

}  // extern "C"
