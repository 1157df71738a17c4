// What the midpoint rasterisers should select, derived from the selection rule in closed form
// rather than by walking: at column x the walk keeps the row y for which the midpoint
// (x, y - 1/2) lies outside the circle or on it, that is the largest y with
// y (y - 1) < r^2 - x^2. The walk runs while that row lies above the diagonal.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "app/modes.h"

namespace model {

using Pixel = std::pair<int, int>;

// Largest y >= 0 with y (y - 1) < r^2 - x^2, or 0 when there is none.
inline std::int64_t selectedRow(std::int64_t r, std::int64_t x) {
    const std::int64_t t = r * r - x * x;
    if (t <= 0) return 0;
    auto y = static_cast<std::int64_t>(std::floor((1.0L + std::sqrt(1.0L + 4.0L * static_cast<long double>(t))) / 2));
    while (y > 0 && y * (y - 1) >= t) --y;
    while ((y + 1) * y < t) ++y;
    return y;
}

struct Circle {
    int radius = 0;
    std::vector<Pixel> octant;       // (x, y) with 0 <= x < y, from (0, r)
    bool endsOnDiagonal = false;     // the walk's last point is (d, d)
    int diagonal = 0;                // d, when endsOnDiagonal
    int lastX = 0;                   // the walk's final x
    std::vector<int> halfWidth;      // disc half-width of rows 0..r
};

inline Circle circle(int r) {
    Circle c;
    c.radius = r;
    c.octant.push_back({0, r});
    for (std::int64_t x = 1;; ++x) {
        const std::int64_t y = selectedRow(r, x);
        c.lastX = static_cast<int>(x);
        if (y == x) {
            c.endsOnDiagonal = true;
            c.diagonal = static_cast<int>(x);
            break;
        }
        if (y < x) break;
        c.octant.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    c.halfWidth.assign(static_cast<std::size_t>(r) + 1, 0);
    auto widen = [&c](int row, int width) {
        int& w = c.halfWidth[static_cast<std::size_t>(row)];
        w = std::max(w, width);
    };
    for (const Pixel& p : c.octant) {
        widen(p.second, p.first);
        widen(p.first, p.second);
    }
    if (c.endsOnDiagonal) widen(c.diagonal, c.diagonal);
    return c;
}

inline std::set<Pixel> outlinePixels(const Circle& c) {
    std::set<Pixel> s;
    for (const Pixel& p : c.octant) {
        const int x = p.first, y = p.second;
        for (int sx : {-1, 1}) {
            for (int sy : {-1, 1}) {
                s.insert({sx * x, sy * y});
                s.insert({sx * y, sy * x});
            }
        }
    }
    if (c.endsOnDiagonal) {
        for (int sx : {-1, 1}) {
            for (int sy : {-1, 1}) s.insert({sx * c.diagonal, sy * c.diagonal});
        }
    }
    return s;
}

inline std::set<Pixel> discPixels(const Circle& c) {
    std::set<Pixel> s;
    for (int row = -c.radius; row <= c.radius; ++row) {
        const int w = c.halfWidth[static_cast<std::size_t>(std::abs(row))];
        for (int i = -w; i <= w; ++i) s.insert({i, row});
    }
    return s;
}

inline std::int64_t outlineCount(const Circle& c) {
    return 4 + 8 * (static_cast<std::int64_t>(c.octant.size()) - 1) + (c.endsOnDiagonal ? 4 : 0);
}

inline std::int64_t extentsCount(const Circle& c) {
    std::int64_t n = 2 * c.halfWidth[0] + 1;
    for (int row = 1; row <= c.radius; ++row) n += 2 * (2 * std::int64_t{c.halfWidth[static_cast<std::size_t>(row)]} + 1);
    return n;
}

// The spans mode draws the same disc, and the rows +-lastX a second time, at half-width
// lastX - 1, when the walk ends one past the diagonal.
inline std::int64_t spansCount(const Circle& c) {
    return extentsCount(c) + (c.endsOnDiagonal ? 0 : 2 * (2 * std::int64_t{c.lastX - 1} + 1));
}

// The count line of `mode` (a CircleMode) at `radius`; -1, which no count is, for any other mode.
inline std::int64_t count(int mode, int radius) {
    const Circle c = circle(radius);
    switch (mode) {
    case circleOutlineMode: return outlineCount(c);
    case circleSpansMode: return spansCount(c);
    case circleExtentsMode: return extentsCount(c);
    default: return -1;
    }
}

// A state the walk passes through: the point, and d = (x + 1)^2 + y (y - 1) - r^2, the circle
// function at the midpoint (x + 1, y - 1/2) less 1/4.
struct WalkState {
    std::int64_t x, y, d;
};

// The states from (0, r): the octant, then the point where the walk stops, at most one row down.
inline std::vector<WalkState> walkStates(int r) {
    const Circle c = circle(r);
    std::vector<Pixel> points = c.octant;
    points.push_back({c.lastX, static_cast<int>(std::max<std::int64_t>(selectedRow(r, c.lastX), c.octant.back().second - 1))});
    std::vector<WalkState> states;
    for (const Pixel& p : points) {
        const std::int64_t x = p.first, y = p.second;
        states.push_back({x, y, (x + 1) * (x + 1) + y * (y - 1) - std::int64_t{r} * r});
    }
    return states;
}

}  // namespace model
