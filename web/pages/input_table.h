// A program's table of inputs as JSON, for its page:
// [{"kind": "key", "inputs": "Enter", "action": "next-mode"}, ...].
#pragma once

#include <string>

#include "view/bindings.h"

std::string inputTableJson(const InputBinding* const* rows, int count);
