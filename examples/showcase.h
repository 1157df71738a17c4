// view-showcase's window title, and its inputs in the order of its help: its own key, then every
// binding of the view module and the quit menu. Its web page, the README and the tests read these.
#pragma once

#include "showcase_title.h"
#include "view/bindings.h"

extern const InputBinding* const showcaseBindings[];
extern const int showcaseBindingCount;
