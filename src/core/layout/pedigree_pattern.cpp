#include "core/layout/pedigree_pattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lineara {

namespace {

// Rounds to the nearest integer, halves to even (the default rounding mode).
double round(double v) { return std::nearbyint(v); }

// `origin` plus a rounded offset, kept within the coordinates a record can
// hold.
int32_t offset(int32_t origin, double rounded) {
    double v = double(origin) + rounded;
    v = std::clamp(v, double(std::numeric_limits<int32_t>::min()),
                   double(std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(v);
}

// The band: 2^(generations-1) boxes of 150 units.
double bandWidth(int generations) { return round(std::ldexp(150.0, generations - 1)); }

double cube(int v) { return double(v) * v * v; }
double square(int v) { return double(v) * v; }

}  // namespace

BoxPosition organizedPosition(TreeStyle style, int b, int q, int e, int32_t ox, int32_t oy) {
    const double W = bandWidth(b);
    const double n = std::ldexp(1.0, q);
    BoxPosition p;
    if (style == TreeStyle::Compact) {
        p.x = offset(ox, round(((e - 0.5) * W / n - W / 2) * q / (b - 1)));
        p.y = offset(oy, -round((q + 0.2) * 80 * (b - 1) + 0.04 * 80 * cube(q)));
    } else {
        p.x = offset(ox, round((e - 0.5) * W / n - W / 2));
        p.y = offset(oy, -round(80 * square(b)) + round(80 * square(b - q)));
    }
    return p;
}

BoxPosition createdPosition(TreeStyle style, int a, int i, int e, int32_t ox, int32_t oy) {
    const int n = a - 1;
    const double W = bandWidth(a);
    const double h = std::ldexp(1.0, i);
    BoxPosition p;
    if (style == TreeStyle::Compact) {
        p.x = offset(ox, round(double(i) / n * ((e - 0.5) * W / h - W / 2)));
        p.y = offset(oy, -round(n * ((i + 0.2) * 80) + 0.04 * 80 * cube(i)));
    } else {
        p.x = offset(ox, round((e - 0.5) * W / h - W / 2));
        p.y = offset(oy, round(80 * square(a - i)) - round(80 * square(a)));
    }
    return p;
}

}  // namespace lineara
