// view-showcase's window title, and its inputs in the order of its help: its own key, then every
// binding of the view module and the quit menu. Its web page, the README and the tests read these.
#pragma once

#include "view/bindings.h"

inline constexpr char showcaseWindowTitle[] = "View showcase";

extern const InputBinding* const showcaseBindings[];
extern const int showcaseBindingCount;
