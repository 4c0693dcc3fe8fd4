#pragma once
// Where GDI puts a stroke, as pure functions of the call's coordinates: the
// pixels a one-pixel pen sets along a line or an elliptic arc, and the points
// of the ellipse a wide pen is stroked along. Coordinates are pixel centres.
#include <vector>

#include "render/dial_point.h"

namespace quorvenda {

struct CurvePoint {
    double x = 0;
    double y = 0;
};

// The pixel area a stroke may touch; pixels outside it are never listed.
struct PixelBounds {
    int width = 0;
    int height = 0;
};

// The ellipse inscribed in a GDI bounding box: right and bottom exclusive, the
// box normalised first (left right of right, or top below bottom, describes the
// same ellipse).
struct GdiEllipse {
    double centreX = 0;
    double centreY = 0;
    double radiusX = 0;
    double radiusY = 0;
};
GdiEllipse ellipseInBox(int left, int top, int right, int bottom);

// The parameter angles (radians, counter-clockwise on the screen) an arc runs
// through: from where the ray from the centre through the start point meets
// the ellipse to where the ray through the end point meets it, the end after
// the start; a whole turn when the two rays coincide.
struct ArcSweep {
    double from = 0;
    double to = 0;
};
ArcSweep arcSweep(const GdiEllipse& ellipse, int xStart, int yStart, int xEnd, int yEnd);
inline constexpr double fullTurn = 6.283185307179586;
inline ArcSweep wholeEllipse() {
    return {0, fullTurn};
}

// Points along the ellipse through the sweep, close enough for a polygon.
std::vector<CurvePoint> ellipsePoints(const GdiEllipse& ellipse, ArcSweep sweep);

// The pixels of a one-pixel line from `from` towards `to`, the end pixel left
// out, in drawing order, only those inside `bounds`. Works on coordinates of
// any size without visiting the pixels off `bounds`.
std::vector<Point> linePixels(Point from, Point to, PixelBounds bounds);

// The pixels of a one-pixel outline along the ellipse through the sweep, in
// drawing order, one pixel per step (8-connected, no corners doubled).
std::vector<Point> arcPixels(const GdiEllipse& ellipse, ArcSweep sweep);

// Cuts the segment to the box from `low` to `high`; false when none of it is inside.
bool clipSegment(CurvePoint& from, CurvePoint& to, const CurvePoint& low, const CurvePoint& high);

// A dotted pen's pixels: three set, three skipped, counted along the stroke.
std::vector<Point> dottedPixels(const std::vector<Point>& pixels);

}  // namespace quorvenda
