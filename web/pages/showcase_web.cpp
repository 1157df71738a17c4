// What view-showcase's page reads from the program: its window title, menu entry and table
// of inputs, for the page's keys and texts.
#include <emscripten.h>

#include <string>

#include "page_facts.h"
#include "showcase.h"

extern "C" {

// See page_facts.h; made once, the text stays valid.
EMSCRIPTEN_KEEPALIVE const char* webPageFacts() {
    static const std::string json = pageFactsJson(showcaseWindowTitle, showcaseBindings, showcaseBindingCount);
    return json.c_str();
}

}  // extern "C"
