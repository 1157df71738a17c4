// Other ways to walk the outline's octant, beside the walk itself, to show why the walk is built
// as it is. The walk comes from the rasteriser, through the trace's watch points; the others are
// arithmetic of their own on purpose, so they live here, apart from the rasterisers:
//   walk           the program's outline: the states its rasteriser reaches
//   exact          the sign of F(M) = (x + 1)^2 + (y - 1/2)^2 - r^2, in integers scaled by 4
//   quarter        d from 5/4 - r in floating point, the walk's increments, E while d < 0
//   root           each column's y = sqrt(r^2 - x^2) rounded to the nearest, halves up, exactly
//   less-or-equal  the walk with E while d <= 0
// Each starts at (0, r) and stops at the first state with y <= x; its states with x <= y are its
// octant, and each octant point (x, y) gives the pixels (+-x, +-y) and (+-y, +-x), each once.
#pragma once

#include <string>
#include <utility>
#include <vector>

constexpr int walkVariantCount = 5;
extern const char* const walkVariantNames[walkVariantCount];  // in the order above

using OctantPoint = std::pair<int, int>;

struct WalkVariant {
    std::vector<OctantPoint> octant;  // from (0, r), one point a column
    long long pixels;                 // how many pixels it gives
    long long differ;                 // pixels that it or the walk gives, not both:
    std::vector<OctantPoint> only;    // those it gives and the walk does not
    std::vector<OctantPoint> missing; // those the walk gives and it does not
};

// Every variant at `radius` (1 or more), in the order of walkVariantNames.
std::vector<WalkVariant> walkVariants(int radius);

// The pixels of an octant, each once, point by point.
std::vector<OctantPoint> octantPixels(const std::vector<OctantPoint>& octant);

// midpoint-walk --variants: one line a variant with its pixel count and how many differ from the
// walk's; with `json`, {"radius": R, "variants": [{"name", "pixels": [[x, y], ...], "differ"}, ...]}.
std::string walkVariantsText(int radius, bool json);
