#include "render/dial_point.h"

#include <cmath>

#include "core/wrapping_int.h"

namespace quorvenda {

namespace {
constexpr double roughPi = 3.14;
constexpr double halfTurnDegrees = 180.0;
}  // namespace

Offset dialOffset(double angle, int length, double fraction) {
    const double radians = angle * roughPi / halfTurnDegrees;
    return Offset{truncToInt(std::sin(radians) * length * fraction),
                  truncToInt(-std::cos(radians) * length * fraction)};
}

Point offsetFromCentre(const DialLayout& layout, Offset offset) {
    return Point{wrapAdd(layout.centreX, offset.dx), wrapAdd(layout.centreY, offset.dy)};
}

Point dialPoint(const DialLayout& layout, double angle, int length, double fraction) {
    return offsetFromCentre(layout, dialOffset(angle, length, fraction));
}

}  // namespace quorvenda
