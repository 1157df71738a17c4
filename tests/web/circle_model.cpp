// The tests' circle model for the web tests, as JSON: the count line of each mode at radii 1 to
// MAX ({"counts": [[outline 1, 2, ...], [spans ...], [extents ...]]}), and for each RADIUS given,
// the states the walk must pass through, with d from the closed form
// (x + 1)^2 + y (y - 1) - r^2 ({"states": {"7": [[x, y, d], ...]}}), from the model's walkStates.
//   usage: circle-model MAX [RADIUS...]
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/circle_model.h"

int main(int argc, char** argv) {
    const int max = argc > 1 ? std::atoi(argv[1]) : 12;
    std::printf("{\"counts\": [");
    for (int mode = 0; mode < 3; ++mode) {
        std::printf("%s[", mode ? ", " : "");
        for (int r = 1; r <= max; ++r) std::printf("%s%lld", r > 1 ? ", " : "", static_cast<long long>(model::count(mode, r)));
        std::printf("]");
    }
    std::printf("], \"states\": {");
    for (int i = 2; i < argc; ++i) {
        const int r = std::atoi(argv[i]);
        const std::vector<model::WalkState> states = model::walkStates(r);
        std::printf("%s\"%d\": [", i > 2 ? ", " : "", r);
        for (std::size_t k = 0; k < states.size(); ++k) {
            std::printf("%s[%lld, %lld, %lld]", k ? ", " : "", static_cast<long long>(states[k].x),
                        static_cast<long long>(states[k].y), static_cast<long long>(states[k].d));
        }
        std::printf("]");
    }
    std::printf("}}\n");
    return 0;
}
