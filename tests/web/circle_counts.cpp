// The count line the demonstration prints for each mode at radii 1 to 12, from the tests' own
// circle model: one line a mode, the twelve counts separated by spaces.
#include <cstdio>

#include "support/circle_model.h"

int main() {
    for (int mode = 0; mode < 3; ++mode) {
        for (int radius = 1; radius <= 12; ++radius) {
            std::printf("%lld%c", static_cast<long long>(model::count(mode, radius)), radius < 12 ? ' ' : '\n');
        }
    }
    return 0;
}
