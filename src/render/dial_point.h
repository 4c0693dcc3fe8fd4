#pragma once
// Turning an angle and a radius into a point on the dial. Angles are degrees
// clockwise from 12 o'clock; pi is taken as 3.14, so 360 degrees falls just
// short of a full turn and axis-aligned hands come out one pixel short.
#include "render/dial_layout.h"

namespace quorvenda {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Offset {
    int dx = 0;
    int dy = 0;
    bool operator==(const Offset&) const = default;
};

// Offset from the centre at `angle` and `fraction` of `length`: the sine (or
// minus the cosine) times the length times the fraction, truncated once.
Offset dialOffset(double angle, int length, double fraction = 1.0);

Point offsetFromCentre(const DialLayout& layout, Offset offset);
Point dialPoint(const DialLayout& layout, double angle, int length, double fraction = 1.0);

}  // namespace quorvenda
