// The tests' circle model for the web tests, as JSON: the modes' names in their order
// ({"modes": ["outline", ...]}, from modes.h), the count line of each mode, in that order, at radii
// 1 to MAX ({"counts": [[outline 1, 2, ...], ...]}), and for each RADIUS given,
// the states the walk must pass through, with d from the closed form
// (x + 1)^2 + y (y - 1) - r^2 ({"states": {"7": [[x, y, d], ...]}}), from the model's walkStates.
//   usage: circle-model MAX [RADIUS...]
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/modes.h"
#include "support/circle_model.h"

int main(int argc, char** argv) {
    const int max = argc > 1 ? std::atoi(argv[1]) : 12;
    nlohmann::json modes = nlohmann::json::array(), counts = nlohmann::json::array(), states = nlohmann::json::object();
    for (int mode = 0; mode < circleModeCount; ++mode) {
        modes.push_back(circleModeNames[mode]);
        nlohmann::json& row = counts.emplace_back(nlohmann::json::array());
        for (int r = 1; r <= max; ++r) row.push_back(model::count(mode, r));
    }
    for (int i = 2; i < argc; ++i) {
        const int r = std::atoi(argv[i]);
        nlohmann::json& walk = states[std::to_string(r)] = nlohmann::json::array();
        for (const model::WalkState& s : model::walkStates(r)) walk.push_back({s.x, s.y, s.d});
    }
    std::printf("%s\n", nlohmann::json{{"modes", modes}, {"counts", counts}, {"states", states}}.dump().c_str());
    return 0;
}
