// Regions and paints for the anti-aliased art. Coordinates are in pixels;
// the pixel (x, y) covers [x, x+1) x [y, y+1). Angles are in degrees,
// counted clockwise from the positive x axis (y grows downwards).
#pragma once

#include <vector>

#include "raster.h"

namespace art {

Region RectR(double x0, double y0, double x1, double y1);
Region RoundRectR(double x0, double y0, double x1, double y1, double rx, double ry);
Region EllipseR(double cx, double cy, double rx, double ry);
Region DiscR(double cx, double cy, double r);
Region RingR(double cx, double cy, double rInner, double rOuter);
// The part of a ring between two angles, going clockwise from a0 to a1.
Region ArcR(double cx, double cy, double rInner, double rOuter, double a0, double a1);
Region PolygonR(std::vector<Pt> points);
// A line of the given width with round ends.
Region SegmentR(Pt a, Pt b, double width);
Region PolylineR(std::vector<Pt> points, double width);

Region Union(Region a, Region b);
Region Minus(Region a, Region b);
Region Intersect(Region a, Region b);
Region Shift(Region r, double dx, double dy);

Paint Solid(Rgba c);
// Blends linearly from c0 at p0 to c1 at p1, constant beyond the ends.
Paint Linear(Pt p0, Rgba c0, Pt p1, Rgba c1);
// Blends along y through the stops (y, colour), sorted by y.
struct Stop {
  double at;
  Rgba colour;
};
Paint VerticalStops(std::vector<Stop> stops);
Paint Radial(Pt centre, double radius, Rgba inner, Rgba outer);

}  // namespace art
