// A small RGBA canvas: crisp pixel operations for the 16-colour art and a
// supersampling filler for anti-aliased shapes in the true-colour art.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace art {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  constexpr bool operator==(const Rgba&) const = default;
};

// Colours are written 0xRRGGBB here, as in picture editors; the resource
// consumers' 0x00BBGGRR values are converted where they are quoted.
constexpr Rgba Rgb(std::uint32_t rgb) {
  return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb), 255};
}
constexpr Rgba kClear{0, 0, 0, 0};

Rgba Mix(Rgba from, Rgba to, double t);          // t = 0 gives from, 1 gives to
Rgba Lighten(Rgba c, double t);                  // towards white
Rgba Darken(Rgba c, double t);                   // towards black
Rgba WithAlpha(Rgba c, double alpha);            // scales the existing alpha
Rgba Desaturate(Rgba c, double t);               // towards its own grey
double Luma(Rgba c);                             // 0..1, Rec. 601 weights

struct Pt {
  double x = 0, y = 0;
};

// The scales every picture is drawn at: 100 %, 150 % and 200 %, as the
// DPIs the program shows them at (96, 144, 192) divided by 96.
inline constexpr double kScales[] = {1.0, 1.5, 2.0};
// The side at scale s of what is side pixels at 100 %, rounded as the
// program's MulDiv rounds (halves up): the program sizes everything so.
int ScaledSide(int side, double s);
// The width in whole pixels at scale s of a line that is units wide at
// 100 %: halves round down, so crisp one-pixel lines stay one pixel at
// 150 %, and never less than one.
int LineWidth(double units, double s);
// The pixel edge at scale s of a design coordinate, for crisp pixel art.
int Snap(double at, double s);

// A region answers whether a point (pixel units, pixel centres at +0.5)
// lies inside; a paint gives the colour at a point.
using Region = std::function<bool(double, double)>;
using Paint = std::function<Rgba(double, double)>;

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = kClear);
  // A picture designed width x height at 100 %, drawn at scale s: it has
  // ScaledSide of both in pixels, and Fill and Erase take their regions
  // and paints in the design's units, so one drawing serves every scale.
  static Canvas AtScale(int width, int height, double s, Rgba fill = kClear);
  // Clear, of the same size and scale.
  static Canvas Like(const Canvas& other) { return AtScale(other.design_w_, other.design_h_, other.scale_); }
  double Scale() const { return scale_; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgba Get(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  void Set(int x, int y, Rgba c);
  void Blend(int x, int y, Rgba c, double coverage = 1.0);

  void FillRect(int x, int y, int w, int h, Rgba c);
  void FrameRect(int x, int y, int w, int h, Rgba c);
  void HLine(int x0, int x1, int y, Rgba c);
  void VLine(int x, int y0, int y1, Rgba c);
  void Line(int x0, int y0, int x1, int y1, Rgba c);  // Bresenham, no blending

  // Copies src with its top-left corner at (dx, dy), blending it over.
  void Draw(const Canvas& src, int dx, int dy);
  // Copies src at (dx, dy) replacing pixels, alpha included.
  void Put(const Canvas& src, int dx, int dy);
  Canvas Crop(int x, int y, int w, int h) const;
  Canvas MirroredX() const;

  // Fills the region with the paint, anti-aliased by ss x ss samples;
  // strength scales the coverage.
  void Fill(const Region& region, const Paint& paint, int ss = 4, double strength = 1.0);
  void Fill(const Region& region, Rgba c, int ss = 4, double strength = 1.0);
  // Fills the design rectangle, each pixel by the share of it covered
  // (only the pixels it touches are visited); strength scales the cover.
  void FillBox(double x0, double y0, double x1, double y1, Rgba c, double strength = 1.0);
  // Fills the design rectangle with its edges snapped to whole pixels:
  // crisp at every scale.
  void FillSnapped(double x0, double y0, double x1, double y1, Rgba c);
  // Clears the region, anti-aliased: alpha falls with the covered share.
  void Erase(const Region& region, int ss = 4);

  // Pixel-art rows: every character found in the legend sets that pixel,
  // any other character leaves it alone.
  struct Ink {
    char key;
    Rgba colour;
  };
  void Stamp(int x, int y, std::initializer_list<const char*> rows,
             std::initializer_list<Ink> legend);

 private:
  int width_ = 0, height_ = 0;
  int design_w_ = 0, design_h_ = 0;
  double scale_ = 1.0;
  std::vector<Rgba> pixels_;
};

// Turns a canvas with soft alpha into an opaque, colour-keyed picture:
// pixels at least half covered are composed over the matte (the colour the
// picture will most likely be shown on), the rest become the key colour.
// No drawn pixel is allowed to come out equal to the key.
Canvas FlattenKeyed(const Canvas& src, Rgba matte, Rgba key);

// Composes over an opaque background colour.
Canvas FlattenOver(const Canvas& src, Rgba background);

}  // namespace art
