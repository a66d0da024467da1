// The pixels of a one-pixel line between two integer points, exactly as the
// lines of the tree were always drawn: the start pixel is drawn and the end
// pixel is not, so the segments of a polyline meet without drawing their
// joints twice (which matters when drawing inverted) and the last point of
// the polyline stays empty.
//
// Which pixel a column (or row) gets follows the diamond rule: the pixel
// nearest to the line, and where the line passes exactly half-way between
// two pixels, the upper (or left) one. That is symmetric, so a line and
// its reverse cover the same pixels apart from their end points. Qt's own
// cosmetic lines differ (they leave out the lower-right end whatever the
// direction, and round half-way points the other way), hence this.
//
// The line is given as runs: horizontal ones for lines that are wider
// than high, vertical ones otherwise, so that a painter fills a few
// rectangles rather than many single pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace lineara {

// On/off pattern along a line, in pixels from its start point.
struct LinePattern {
    int on = 0;  // 0: solid
    int off = 0;
};

// Windows' dotted one-pixel pen: three pixels on, three off.
constexpr LinePattern kSolidLine{0, 0};
constexpr LinePattern kDottedLine{3, 3};

// A run of pixels: `length` pixels from (x, y), rightwards when
// `horizontal`, downwards otherwise.
struct LineRun {
    int x;
    int y;
    int length;
    bool horizontal;
};

namespace detail {

inline int64_t floorDiv(int64_t a, int64_t b) {  // b > 0
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

}  // namespace detail

// Calls onRun(LineRun) for the pixels of the line from (x0, y0) to (x1, y1)
// that lie inside the window [0, width) × [0, height). Steps outside the
// window along the line's long axis are not even visited, so a clamped
// far-off end point costs nothing.
template <typename OnRun>
void forEachLineRun(int x0, int y0, int x1, int y1, LinePattern pattern, int width, int height,
                    OnRun&& onRun) {
    const int64_t dx = int64_t(x1) - x0;
    const int64_t dy = int64_t(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);  // pixels drawn
    if (n == 0) return;                                          // the end point only
    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t minorStart = xMajor ? y0 : x0;
    const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t dm = xMajor ? dy : dx;  // minor travel over n steps
    const int64_t limit = xMajor ? width : height;
    const int64_t minorLimit = xMajor ? height : width;

    // Only the steps whose major coordinate lies inside [0, limit).
    int64_t kFirst = 0, kLast = n - 1;
    if (majorStep > 0) {
        kFirst = std::max<int64_t>(kFirst, -majorStart);
        kLast = std::min<int64_t>(kLast, limit - 1 - majorStart);
    } else {
        kFirst = std::max<int64_t>(kFirst, majorStart - (limit - 1));
        kLast = std::min<int64_t>(kLast, majorStart);
    }
    if (kFirst > kLast) return;
    const int64_t twoN = 2 * n;
    // Nor the steps whose minor coordinate lies outside [0, minorLimit):
    // it only grows (or only shrinks) along the line, so those are the
    // steps before one point and after another, found by halving.
    auto minorAt = [&](int64_t k) {
        return minorStart - detail::floorDiv(-(2 * k * dm - n), twoN);
    };
    auto firstWhere = [](int64_t lo, int64_t hi, auto&& holds) {  // holds: false.., true..
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (holds(mid)) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        return lo;
    };
    if (dm >= 0) {
        kFirst = firstWhere(kFirst, kLast + 1, [&](int64_t k) { return minorAt(k) >= 0; });
        kLast =
            firstWhere(kFirst, kLast + 1, [&](int64_t k) { return minorAt(k) >= minorLimit; }) - 1;
    } else {
        kFirst = firstWhere(kFirst, kLast + 1, [&](int64_t k) { return minorAt(k) < minorLimit; });
        kLast = firstWhere(kFirst, kLast + 1, [&](int64_t k) { return minorAt(k) < 0; }) - 1;
    }
    if (kFirst > kLast) return;

    // Minor offset at step k: k·dm/n rounded to nearest, halves towards
    // the smaller coordinate: ceil((2k·dm − n) / 2n), kept incrementally
    // as q with remainder r = q·2n − (2k·dm − n), 0 ≤ r < 2n.
    int64_t num = 2 * kFirst * dm - n;
    int64_t q = -detail::floorDiv(-num, twoN);
    int64_t r = q * twoN - num;
    // On by `steps` steps, over which the minor coordinate changes once
    // at most.
    auto moveOn = [&](int64_t steps) {
        r -= steps * 2 * dm;
        if (r < 0) {
            ++q;
            r += twoN;
        } else if (r >= twoN) {
            --q;
            r -= twoN;
        }
    };

    if (pattern.on == 0) {
        // A solid line goes a run at a time: the steps until the minor
        // coordinate next changes follow from the remainder, so a long
        // shallow line costs its runs, not its pixels.
        for (int64_t k = kFirst; k <= kLast;) {
            int64_t steps = kLast - k + 1;  // the rest, for a line straight along its axis
            if (dm > 0) {
                steps = std::min(steps, r / (2 * dm) + 1);
            } else if (dm < 0) {
                steps = std::min(steps, (twoN - 1 - r) / (-2 * dm) + 1);
            }
            const int64_t first = majorStart + (majorStep > 0 ? k : -(k + steps - 1));
            const int minor = static_cast<int>(minorStart + q);
            if (minor >= 0 && minor < minorLimit) {
                const int major = static_cast<int>(first);
                onRun(LineRun{xMajor ? major : minor, xMajor ? minor : major,
                              static_cast<int>(steps), xMajor});
            }
            k += steps;
            moveOn(steps);
        }
        return;
    }

    bool open = false;
    LineRun run{0, 0, 0, xMajor};
    auto flush = [&] {
        const int minor = xMajor ? run.y : run.x;
        if (open && minor >= 0 && minor < minorLimit) onRun(run);
        open = false;
    };
    const int period = pattern.on + pattern.off;
    for (int64_t k = kFirst; k <= kLast; ++k) {
        const bool on = (k % period) < pattern.on;
        if (on) {
            const int major = static_cast<int>(majorStart + k * majorStep);
            const int minor = static_cast<int>(minorStart + q);
            const int px = xMajor ? major : minor;
            const int py = xMajor ? minor : major;
            // A run grows while the minor coordinate stays the same; it
            // keeps its top-left corner, so leftward or upward lines move it.
            int& runMajor = xMajor ? run.x : run.y;
            const int runMinor = xMajor ? run.y : run.x;
            const int next = majorStep > 0 ? runMajor + run.length : runMajor - 1;
            if (open && runMinor == minor && next == major) {
                if (majorStep < 0) runMajor = major;
                ++run.length;
            } else {
                flush();
                run = LineRun{px, py, 1, xMajor};
                open = true;
            }
        } else {
            flush();
        }
        moveOn(1);
    }
    flush();
}

}  // namespace lineara
