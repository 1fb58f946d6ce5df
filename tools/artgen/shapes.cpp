#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {
namespace {

double DistanceToSegment(double px, double py, Pt a, Pt b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((px - a.x) * vx + (py - a.y) * vy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double dx = px - (a.x + t * vx), dy = py - (a.y + t * vy);
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

Region RectR(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Region RoundRectR(double x0, double y0, double x1, double y1, double rx, double ry) {
  return [=](double x, double y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = std::clamp(x, x0 + rx, x1 - rx);
    const double cy = std::clamp(y, y0 + ry, y1 - ry);
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

Region EllipseR(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

Region DiscR(double cx, double cy, double r) { return EllipseR(cx, cy, r, r); }

Region RingR(double cx, double cy, double rInner, double rOuter) {
  return [=](double x, double y) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d2 <= rOuter * rOuter && d2 >= rInner * rInner;
  };
}

Region ArcR(double cx, double cy, double rInner, double rOuter, double a0, double a1) {
  const Region ring = RingR(cx, cy, rInner, rOuter);
  const double span = std::fmod(std::fmod(a1 - a0, 360.0) + 360.0, 360.0);
  return [=](double x, double y) {
    if (!ring(x, y)) return false;
    double a = std::atan2(y - cy, x - cx) * 180.0 / std::numbers::pi;
    const double rel = std::fmod(std::fmod(a - a0, 360.0) + 360.0, 360.0);
    return rel <= span;
  };
}

Region PolygonR(std::vector<Pt> pts) {
  return [pts = std::move(pts)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const Pt& a = pts[i];
      const Pt& b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  };
}

Region SegmentR(Pt a, Pt b, double width) {
  return [=](double x, double y) { return DistanceToSegment(x, y, a, b) <= width / 2; };
}

Region PolylineR(std::vector<Pt> pts, double width) {
  return [pts = std::move(pts), width](double x, double y) {
    for (std::size_t i = 1; i < pts.size(); ++i)
      if (DistanceToSegment(x, y, pts[i - 1], pts[i]) <= width / 2) return true;
    return false;
  };
}

Region Union(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Region Minus(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Region Intersect(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

Region Shift(Region r, double dx, double dy) {
  return [r = std::move(r), dx, dy](double x, double y) { return r(x - dx, y - dy); };
}

Paint Solid(Rgba c) {
  return [c](double, double) { return c; };
}

Paint Linear(Pt p0, Rgba c0, Pt p1, Rgba c1) {
  const double vx = p1.x - p0.x, vy = p1.y - p0.y;
  const double len2 = vx * vx + vy * vy;
  return [=](double x, double y) {
    const double t = len2 > 0 ? ((x - p0.x) * vx + (y - p0.y) * vy) / len2 : 0;
    return Mix(c0, c1, std::clamp(t, 0.0, 1.0));
  };
}

Paint VerticalStops(std::vector<Stop> stops) {
  return [stops = std::move(stops)](double, double y) {
    if (y <= stops.front().at) return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i) {
      if (y <= stops[i].at) {
        const double span = stops[i].at - stops[i - 1].at;
        const double t = span > 0 ? (y - stops[i - 1].at) / span : 1;
        return Mix(stops[i - 1].colour, stops[i].colour, t);
      }
    }
    return stops.back().colour;
  };
}

Paint Radial(Pt centre, double radius, Rgba inner, Rgba outer) {
  return [=](double x, double y) {
    const double d = std::hypot(x - centre.x, y - centre.y) / radius;
    return Mix(inner, outer, std::clamp(d, 0.0, 1.0));
  };
}

}  // namespace art
