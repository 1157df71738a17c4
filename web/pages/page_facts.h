// What a program's page reads from it, as JSON: {"title": ..., "menuEntry": ..., "inputs":
// [{"kind": "key", "inputs": "Enter", "action": "next-mode"}, ...]}, and "modes": [...] when it
// names modes.
#pragma once

#include <string>

#include "view/bindings.h"

std::string pageFactsJson(const char* title, const InputBinding* const* rows, int count,
                          const char* const* modes = nullptr, int modeCount = 0);
