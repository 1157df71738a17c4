// OpenGL's fixed-function matrices built in double from their textbook definitions, column-major
// like glGetFloatv, to compare with what GL loaded.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace mat {

using M = std::array<double, 16>;

inline M identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline M multiply(const M& a, const M& b) {
    M c{};
    for (std::size_t col = 0; col < 4; ++col) {
        for (std::size_t row = 0; row < 4; ++row) {
            double s = 0;
            for (std::size_t k = 0; k < 4; ++k) s += a[k * 4 + row] * b[col * 4 + k];
            c[col * 4 + row] = s;
        }
    }
    return c;
}

inline M ortho(double l, double r, double b, double t, double n, double f) {
    M m{};
    m[0] = 2 / (r - l);
    m[5] = 2 / (t - b);
    m[10] = -2 / (f - n);
    m[12] = -(r + l) / (r - l);
    m[13] = -(t + b) / (t - b);
    m[14] = -(f + n) / (f - n);
    m[15] = 1;
    return m;
}

inline M frustum(double l, double r, double b, double t, double n, double f) {
    M m{};
    m[0] = 2 * n / (r - l);
    m[5] = 2 * n / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1;
    m[14] = -2 * f * n / (f - n);
    return m;
}

inline M perspective(double fovyDegrees, double aspect, double n, double f) {
    const double cot = 1 / std::tan(fovyDegrees * M_PI / 360);
    M m{};
    m[0] = cot / aspect;
    m[5] = cot;
    m[10] = -(f + n) / (f - n);
    m[11] = -1;
    m[14] = -2 * f * n / (f - n);
    return m;
}

inline M translate(double x, double y, double z) {
    M m = identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

inline M scale(double s) {
    M m = identity();
    m[0] = m[5] = m[10] = s;
    return m;
}

// Right-handed rotation about a coordinate axis (0: X, 1: Y, 2: Z).
inline M rotate(double degrees, int axis) {
    const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    M m = identity();
    const auto i = static_cast<std::size_t>((axis + 1) % 3), j = static_cast<std::size_t>((axis + 2) % 3);
    m[i * 4 + i] = c;
    m[j * 4 + j] = c;
    m[i * 4 + j] = s;
    m[j * 4 + i] = -s;
    return m;
}

}  // namespace mat
