// The demonstration's inputs, in the order of its help: its own keys, then the view module's keys
// and drags and the quit menu that it registers. The web page and the README show this table.
#pragma once

#include "view/bindings.h"

extern const InputBinding* const circleBindings[];
extern const int circleBindingCount;
