// What view-showcase's page reads from the program: its window title, menu entry and table
// of inputs, for the page's keys and texts.
#include <emscripten.h>

#include <string>

#include "input_table.h"
#include "showcase.h"
#include "view/quit_menu.h"

extern "C" {

// {"title": ..., "menuEntry": ..., "inputs": [...]}; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* webPageFacts() {
    static std::string json;
    json = std::string("{\"title\": \"") + showcaseWindowTitle + "\", \"menuEntry\": \"" + quitMenuEntry +
           "\", \"inputs\": " + inputTableJson(showcaseBindings, showcaseBindingCount) + "}";
    return json.c_str();
}

}  // extern "C"
