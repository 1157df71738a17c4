#include "app/modes.h"

#include <cstring>

const char* const circleModeNames[circleModeCount] = {"outline", "spans", "extents"};  // by CircleMode

int circleModeByName(const char* name) {
    for (int mode = 0; mode < circleModeCount; ++mode) {
        if (std::strcmp(name, circleModeNames[mode]) == 0) return mode;
    }
    return -1;
}
