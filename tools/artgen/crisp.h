// Pixel art at any scale: shapes given in the units of the 100 % design,
// each pixel in or out by whether its centre lies in the shape, so edges
// stay hard and the pictures keep to the 16 colours.
#pragma once

#include <vector>

#include "shapes.h"

namespace art {

class CrispMask {
 public:
  // The shape on a picture designed width x height, drawn at scale s.
  CrispMask(int width, int height, double s, const Region& shape);
  int Width() const { return width_; }
  int Height() const { return height_; }
  double Scale() const { return scale_; }
  // False outside the picture.
  bool At(int x, int y) const;

 private:
  int width_, height_;
  double scale_;
  std::vector<char> on_;
};

// A design rectangle whose edges are snapped to whole pixels at scale s,
// at least one pixel wide and high: bars of equal design width come out
// equally wide.
Region SnappedRectR(double x0, double y0, double x1, double y1, double s);

// The mask in ink, engraved: each of its pixels casts the light colour
// one line (LineWidth(1, s)) down and right where the mask is not.
void Engrave(Canvas& c, const CrispMask& mask, Rgba ink, Rgba light);

}  // namespace art
