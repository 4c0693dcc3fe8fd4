#include "render/cairo/gdi_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quorvenda {

namespace {

// Samples per pixel of the larger radius's circumference: fine enough that
// consecutive samples fall on the same or neighbouring pixels.
constexpr double samplesPerPixel = 2.0;
constexpr int minimumSamples = 8;
constexpr double maximumSamples = 1 << 22;
constexpr int dotOn = 3;
constexpr int dotPeriod = 6;

bool neighbours(Point a, Point b) {
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

}  // namespace

GdiEllipse ellipseInBox(int left, int top, int right, int bottom) {
    const double l = std::min(left, right);
    const double r = std::max(left, right);
    const double t = std::min(top, bottom);
    const double b = std::max(top, bottom);
    const double radiusX = std::max(0.0, (r - l - 1) / 2);
    const double radiusY = std::max(0.0, (b - t - 1) / 2);
    return GdiEllipse{l + radiusX, t + radiusY, radiusX, radiusY};
}

ArcSweep arcSweep(const GdiEllipse& e, int xStart, int yStart, int xEnd, int yEnd) {
    // The ellipse's point at parameter a is (rx cos a, -ry sin a) from the
    // centre; the ray through (dx, dy) meets it where tan a = -dy rx / (dx ry).
    const auto parameterOf = [&e](int x, int y) {
        return std::atan2(-(y - e.centreY) * e.radiusX, (x - e.centreX) * e.radiusY);
    };
    const double from = parameterOf(xStart, yStart);
    double to = parameterOf(xEnd, yEnd);
    if (to <= from) to += fullTurn;
    if (std::abs(to - from - fullTurn) < 1e-12 || to == from) to = from + fullTurn;
    return {from, to};
}

std::vector<CurvePoint> ellipsePoints(const GdiEllipse& e, ArcSweep sweep) {
    const double circumference = fullTurn * std::max(e.radiusX, e.radiusY);
    const double share = (sweep.to - sweep.from) / fullTurn;
    const int count = std::max(
        minimumSamples, static_cast<int>(std::min(maximumSamples, std::ceil(circumference * share * samplesPerPixel))));
    std::vector<CurvePoint> points;
    points.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        const double a = sweep.from + (sweep.to - sweep.from) * i / count;
        points.push_back({e.centreX + e.radiusX * std::cos(a), e.centreY - e.radiusY * std::sin(a)});
    }
    return points;
}

// GDI's octants, clockwise from the positive x axis on the screen: a line in
// octant 3, 5, 6 or 8 takes its minor step at an exact half, one in the others
// just after it, so that a line drawn backwards sets the same pixels.
bool stepsAtHalf(std::int64_t dx, std::int64_t dy) {
    int octant = 0;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    return octant == 3 || octant == 5 || octant == 6 || octant == 8;
}

std::vector<Point> linePixels(Point from, Point to, PixelBounds bounds) {
    // Bresenham's line in closed form: step i along the major axis moves the
    // minor one by i * minor / major rounded to nearest (the half as GDI
    // rounds it), so only the steps inside the bounds are visited.
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorStart = xMajor ? from.x : from.y;
    const std::int64_t minorStart = xMajor ? from.y : from.x;
    const std::int64_t majorLimit = xMajor ? bounds.width : bounds.height;
    const int bias = stepsAtHalf(dx, dy) ? 1 : 0;
    std::vector<Point> pixels;
    if (major == 0) return pixels;
    // Steps whose major coordinate lies in [0, majorLimit).
    std::int64_t first = majorStep > 0 ? -majorStart : majorStart - (majorLimit - 1);
    std::int64_t last = majorStep > 0 ? majorLimit - 1 - majorStart : majorStart;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, major - 1);
    for (std::int64_t i = first; i <= last; ++i) {
        const __int128 offset =
            (static_cast<__int128>(2) * i * minor + major - 1 + bias) / (2 * static_cast<__int128>(major));
        const std::int64_t a = majorStart + majorStep * i;
        const std::int64_t b = minorStart + minorStep * static_cast<std::int64_t>(offset);
        if (b < 0 || b >= (xMajor ? bounds.height : bounds.width)) continue;
        pixels.push_back(xMajor ? Point{static_cast<int>(a), static_cast<int>(b)}
                                : Point{static_cast<int>(b), static_cast<int>(a)});
    }
    return pixels;
}

std::vector<Point> arcPixels(const GdiEllipse& e, ArcSweep sweep) {
    std::vector<Point> pixels;
    for (const CurvePoint& point : ellipsePoints(e, sweep)) {
        const Point p{static_cast<int>(std::floor(point.x + 0.5)), static_cast<int>(std::floor(point.y + 0.5))};
        if (!pixels.empty() && pixels.back() == p) continue;
        // A pixel whose neighbours along the curve touch each other is a doubled corner.
        if (pixels.size() >= 2 && neighbours(pixels[pixels.size() - 2], p)) pixels.pop_back();
        pixels.push_back(p);
    }
    // A whole ellipse ends where it began: the last pixel is not set twice.
    if (pixels.size() > 1 && pixels.back() == pixels.front()) pixels.pop_back();
    return pixels;
}

bool clipSegment(CurvePoint& from, CurvePoint& to, const CurvePoint& low, const CurvePoint& high) {
    // Liang and Barsky: the parameter range of the segment inside each slab.
    double enter = 0;
    double leave = 1;
    const double d[2] = {to.x - from.x, to.y - from.y};
    const double start[2] = {from.x, from.y};
    const double lows[2] = {low.x, low.y};
    const double highs[2] = {high.x, high.y};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (start[axis] < lows[axis] || start[axis] > highs[axis]) return false;
            continue;
        }
        double t0 = (lows[axis] - start[axis]) / d[axis];
        double t1 = (highs[axis] - start[axis]) / d[axis];
        if (t0 > t1) std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
    }
    if (enter > leave) return false;
    const CurvePoint origin = from;
    from = {origin.x + d[0] * enter, origin.y + d[1] * enter};
    to = {origin.x + d[0] * leave, origin.y + d[1] * leave};
    return true;
}

std::vector<Point> dottedPixels(const std::vector<Point>& pixels) {
    std::vector<Point> dots;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (static_cast<int>(i % dotPeriod) < dotOn) dots.push_back(pixels[i]);
    }
    return dots;
}

}  // namespace quorvenda
