#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace art {
namespace {

std::uint8_t ToByte(double v) {
  return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgba Mix(Rgba from, Rgba to, double t) {
  return {ToByte(from.r + (to.r - from.r) * t), ToByte(from.g + (to.g - from.g) * t),
          ToByte(from.b + (to.b - from.b) * t), ToByte(from.a + (to.a - from.a) * t)};
}

Rgba Lighten(Rgba c, double t) { return Mix(c, Rgba{255, 255, 255, c.a}, t); }
Rgba Darken(Rgba c, double t) { return Mix(c, Rgba{0, 0, 0, c.a}, t); }

Rgba WithAlpha(Rgba c, double alpha) {
  c.a = ToByte(c.a * alpha);
  return c;
}

double Luma(Rgba c) { return (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) / 255.0; }

Rgba Desaturate(Rgba c, double t) {
  const std::uint8_t y = ToByte(Luma(c) * 255.0);
  return Mix(c, Rgba{y, y, y, c.a}, t);
}

int ScaledSide(int side, double s) { return int(std::floor(side * s + 0.5)); }

int LineWidth(double units, double s) { return std::max(1, int(std::ceil(units * s - 0.5))); }

int Snap(double at, double s) { return int(std::floor(at * s + 0.5)); }

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), design_w_(width), design_h_(height),
      pixels_(std::size_t(width) * height, fill) {}

Canvas Canvas::AtScale(int width, int height, double s, Rgba fill) {
  Canvas c(ScaledSide(width, s), ScaledSide(height, s), fill);
  c.design_w_ = width;
  c.design_h_ = height;
  c.scale_ = s;
  return c;
}

void Canvas::FillBox(double x0, double y0, double x1, double y1, Rgba c, double strength) {
  x0 *= scale_, x1 *= scale_, y0 *= scale_, y1 *= scale_;
  auto cover = [](int p, double a, double b) { return std::max(0.0, std::min<double>(b, p + 1) - std::max<double>(a, p)); };
  for (int y = std::max(0, int(std::floor(y0))); y < std::min(height_, int(std::ceil(y1))); ++y)
    for (int x = std::max(0, int(std::floor(x0))); x < std::min(width_, int(std::ceil(x1))); ++x)
      Blend(x, y, c, cover(x, x0, x1) * cover(y, y0, y1) * strength);
}

void Canvas::FillSnapped(double x0, double y0, double x1, double y1, Rgba c) {
  const int px0 = Snap(x0, scale_), py0 = Snap(y0, scale_);
  FillRect(px0, py0, std::max(Snap(x1, scale_), px0 + 1) - px0, std::max(Snap(y1, scale_), py0 + 1) - py0, c);
}

void Canvas::Set(int x, int y, Rgba c) {
  if (Contains(x, y)) pixels_[std::size_t(y) * width_ + x] = c;
}

void Canvas::Blend(int x, int y, Rgba c, double coverage) {
  if (!Contains(x, y)) return;
  const double sa = c.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
  if (sa <= 0) return;
  Rgba& d = pixels_[std::size_t(y) * width_ + x];
  const double da = d.a / 255.0;
  const double oa = sa + da * (1 - sa);
  auto chan = [&](std::uint8_t s, std::uint8_t dc) {
    return ToByte((s * sa + dc * da * (1 - sa)) / oa);
  };
  d = {chan(c.r, d.r), chan(c.g, d.g), chan(c.b, d.b), ToByte(oa * 255.0)};
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgba c) {
  HLine(x, x + w - 1, y, c);
  HLine(x, x + w - 1, y + h - 1, c);
  VLine(x, y, y + h - 1, c);
  VLine(x + w - 1, y, y + h - 1, c);
}

void Canvas::HLine(int x0, int x1, int y, Rgba c) {
  if (x0 > x1) std::swap(x0, x1);
  for (int x = x0; x <= x1; ++x) Set(x, y, c);
}

void Canvas::VLine(int x, int y0, int y1, Rgba c) {
  if (y0 > y1) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y) Set(x, y, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void Canvas::Draw(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y)
    for (int x = 0; x < src.width_; ++x) Blend(dx + x, dy + y, src.Get(x, y));
}

void Canvas::Put(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y)
    for (int x = 0; x < src.width_; ++x) Set(dx + x, dy + y, src.Get(x, y));
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  out.scale_ = scale_;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Contains(x + i, y + j)) out.Set(i, j, Get(x + i, y + j));
  return out;
}

Canvas Canvas::MirroredX() const {
  Canvas out = Like(*this);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, Get(x, y));
  return out;
}

void Canvas::Fill(const Region& region, const Paint& paint, int ss, double strength) {
  const double step = 1.0 / ss, k = 1.0 / scale_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int j = 0; j < ss; ++j)
        for (int i = 0; i < ss; ++i)
          if (region((x + (i + 0.5) * step) * k, (y + (j + 0.5) * step) * k)) ++hits;
      if (hits == 0) continue;
      Blend(x, y, paint((x + 0.5) * k, (y + 0.5) * k), double(hits) / (ss * ss) * strength);
    }
  }
}

void Canvas::Erase(const Region& region, int ss) {
  const double step = 1.0 / ss, k = 1.0 / scale_;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int j = 0; j < ss; ++j)
        for (int i = 0; i < ss; ++i)
          if (region((x + (i + 0.5) * step) * k, (y + (j + 0.5) * step) * k)) ++hits;
      if (hits > 0) Set(x, y, WithAlpha(Get(x, y), 1.0 - double(hits) / (ss * ss)));
    }
}

void Canvas::Fill(const Region& region, Rgba c, int ss, double strength) {
  Fill(region, [c](double, double) { return c; }, ss, strength);
}

void Canvas::Stamp(int x, int y, std::initializer_list<const char*> rows,
                   std::initializer_list<Ink> legend) {
  int j = 0;
  for (const char* row : rows) {
    for (int i = 0; row[i] != '\0'; ++i)
      for (const Ink& ink : legend)
        if (ink.key == row[i]) Set(x + i, y + j, ink.colour);
    ++j;
  }
}

Canvas FlattenKeyed(const Canvas& src, Rgba matte, Rgba key) {
  Canvas out(src.Width(), src.Height(), key);
  for (int y = 0; y < src.Height(); ++y) {
    for (int x = 0; x < src.Width(); ++x) {
      const Rgba s = src.Get(x, y);
      if (s.a < 128) continue;
      Rgba c = Mix(Rgba{matte.r, matte.g, matte.b, 255}, Rgba{s.r, s.g, s.b, 255}, s.a / 255.0);
      c.a = 255;
      if (c == key) c.b = std::uint8_t(c.b > 0 ? c.b - 1 : 1);
      out.Set(x, y, c);
    }
  }
  return out;
}

Canvas FlattenOver(const Canvas& src, Rgba background) {
  Canvas out(src.Width(), src.Height(), Rgba{background.r, background.g, background.b, 255});
  out.Draw(src, 0, 0);
  return out;
}

}  // namespace art
