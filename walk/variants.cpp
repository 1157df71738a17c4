#include "walk/variants.h"

#include <cmath>
#include <cstdint>

#include "app/modes.h"
#include "walk/walk.h"

const char* const walkVariantNames[walkVariantCount] = {"walk", "exact", "quarter", "root", "less-or-equal"};

namespace {

// A walk's states from (0, r) to the first with y <= x, kept while x <= y: its octant.
template <typename Step>
std::vector<OctantPoint> octantOf(int radius, Step step) {
    std::vector<OctantPoint> octant;
    octant.reserve(static_cast<std::size_t>(radius) * 3 / 4 + 2);  // r / sqrt(2) columns
    for (int x = 0, y = radius;; step(x, y)) {
        if (x <= y) octant.push_back({x, y});
        if (y <= x) return octant;
    }
}

std::vector<OctantPoint> walked(int radius) {
    std::vector<OctantPoint> octant;
    octant.reserve(static_cast<std::size_t>(radius) * 3 / 4 + 2);
    for (const WalkPoint& s : walkStates(circleOutlineMode, radius, nullptr)) {
        if (s.x <= s.y) octant.push_back({s.x, s.y});
    }
    return octant;
}

// F(M) at the midpoint (x + 1, y - 1/2), times 4, in integers: exact.
std::vector<OctantPoint> exact(int radius) {
    const std::int64_t r = radius;
    return octantOf(radius, [r](int& x, int& y) {
        const std::int64_t f4 = 4 * (std::int64_t{x} + 1) * (x + 1) + (2 * std::int64_t{y} - 1) * (2 * y - 1) - 4 * r * r;
        if (f4 >= 0) --y;
        ++x;
    });
}

// The walk's increments on d = F(M) itself, starting at 5/4 - r, in floating point.
std::vector<OctantPoint> quarter(int radius) {
    double d = 5.0 / 4.0 - radius;
    return octantOf(radius, [&d](int& x, int& y) {
        if (d < 0) {
            d += 2.0 * x + 3;
        } else {
            d += 2.0 * (x - y) + 5;
            --y;
        }
        ++x;
    });
}

// The walk's integer d with the other comparison.
std::vector<OctantPoint> lessOrEqual(int radius) {
    std::int64_t d = 1 - std::int64_t{radius};
    return octantOf(radius, [&d](int& x, int& y) {
        if (d <= 0) {
            d += 2 * std::int64_t{x} + 3;
        } else {
            d += 2 * (std::int64_t{x} - y) + 5;
            --y;
        }
        ++x;
    });
}

// The largest s with s^2 <= n.
std::int64_t integerRoot(std::int64_t n) {
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (s * s > n) --s;
    while ((s + 1) * (s + 1) <= n) ++s;
    return s;
}

// y = floor(sqrt(r^2 - x^2) + 1/2) = floor((floor(sqrt(4 (r^2 - x^2))) + 1) / 2), in integers.
std::vector<OctantPoint> root(int radius) {
    const std::int64_t r = radius;
    return octantOf(radius, [r](int& x, int& y) {
        ++x;
        const std::int64_t t = r * r - std::int64_t{x} * x;
        y = t < 0 ? 0 : static_cast<int>((integerRoot(4 * t) + 1) / 2);
    });
}

// The pixels an octant point gives: 4 on an axis or the diagonal, else 8. No two points of octants
// (x <= y) share a pixel, so two octants' pixels differ by the images of the points they differ by.
long long images(const OctantPoint& p) { return p.first == 0 || p.first == p.second ? 4 : 8; }

long long pixelCount(const std::vector<OctantPoint>& octant) {
    long long n = 0;
    for (const OctantPoint& p : octant) n += images(p);
    return n;
}

// The pixels of octant point (x, y), each once.
void addImages(std::vector<OctantPoint>& pixels, const OctantPoint& p) {
    const auto [x, y] = p;
    if (x == 0) {
        pixels.insert(pixels.end(), {{0, y}, {0, -y}, {y, 0}, {-y, 0}});
    } else if (x == y) {
        pixels.insert(pixels.end(), {{x, x}, {-x, x}, {x, -x}, {-x, -x}});
    } else {
        pixels.insert(pixels.end(), {{x, y}, {-x, y}, {x, -y}, {-x, -y}, {y, x}, {-y, x}, {y, -x}, {-y, -x}});
    }
}

// The pixels of `v`'s octant apart from those of the walk's. Both octants go column by column
// from x = 0, one point a column.
void differing(WalkVariant& v, const std::vector<OctantPoint>& walk) {
    const std::vector<OctantPoint>& a = v.octant;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < walk.size()) {
        if (j == walk.size() || (i < a.size() && a[i].first < walk[j].first)) {
            addImages(v.only, a[i++]);
        } else if (i == a.size() || walk[j].first < a[i].first) {
            addImages(v.missing, walk[j++]);
        } else {
            if (a[i].second != walk[j].second) addImages(v.only, a[i]), addImages(v.missing, walk[j]);
            ++i, ++j;
        }
    }
    v.differ = static_cast<long long>(v.only.size() + v.missing.size());
}

}  // namespace

std::vector<WalkVariant> walkVariants(int radius) {
    std::vector<WalkVariant> variants;
    for (auto* octant : {walked, exact, quarter, root, lessOrEqual}) variants.push_back({octant(radius), 0, 0, {}, {}});
    for (WalkVariant& v : variants) {
        v.pixels = pixelCount(v.octant);
        differing(v, variants[0].octant);
    }
    return variants;
}

std::vector<OctantPoint> octantPixels(const std::vector<OctantPoint>& octant) {
    std::vector<OctantPoint> pixels;
    for (const OctantPoint& p : octant) addImages(pixels, p);
    return pixels;
}

std::string walkVariantsText(int radius, bool json) {
    const std::vector<WalkVariant> variants = walkVariants(radius);
    WalkText out;
    if (!json) {
        out.write("midpoint walk variants: outline, radius %d\n%-14s %8s %8s\n", radius, "variant", "pixels", "differ");
        for (int i = 0; i < walkVariantCount; ++i) {
            const WalkVariant& v = variants[static_cast<std::size_t>(i)];
            out.write("%-14s %8lld %8lld\n", walkVariantNames[i], v.pixels, v.differ);
        }
        return out.finish();
    }
    out.add("{\"radius\": "), out.add(radius), out.add(", \"variants\": [");
    for (int i = 0; i < walkVariantCount; ++i) {
        const WalkVariant& v = variants[static_cast<std::size_t>(i)];
        out.add(i ? ", {\"name\": \"" : "{\"name\": \""), out.add(walkVariantNames[i]), out.add("\", \"pixels\": [");
        bool first = true;
        for (const auto& [x, y] : octantPixels(v.octant)) {
            out.add(first ? "[" : ", ["), out.add(x), out.add(", "), out.add(y), out.add("]");
            first = false;
        }
        out.add("], \"differ\": "), out.add(v.differ), out.add("}");
    }
    out.add("]}\n");
    return out.finish();
}
