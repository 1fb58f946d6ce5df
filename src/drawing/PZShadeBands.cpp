#include "drawing/PZShadeBands.h"

#include <algorithm>
#include <array>

namespace {

using Fixed = std::int64_t;  // 16.16; extents times 65536 need more than 32 bits
constexpr Fixed kOne = 65536;

// Red, green and blue in 16.16.
using Colour = std::array<Fixed, 3>;

Colour Split(std::uint32_t rgb) {
  return {Fixed(rgb & 0xFF) * kOne, Fixed((rgb >> 8) & 0xFF) * kOne,
          Fixed((rgb >> 16) & 0xFF) * kOne};
}

std::uint32_t Join(const Colour& c) {
  auto byte = [](Fixed v) { return static_cast<std::uint32_t>(std::clamp<Fixed>(v >> 16, 0, 255)); };
  return byte(c[0]) | (byte(c[1]) << 8) | (byte(c[2]) << 16);
}

// (end - start) / n per component, truncated toward zero.
Colour Delta(const Colour& start, const Colour& end, Fixed n) {
  Colour d;
  for (int i = 0; i < 3; ++i) d[i] = (end[i] - start[i]) / n;
  return d;
}

// start + k * d: the colour after k steps, exactly what k additions give.
Colour Stepped(const Colour& start, const Colour& d, Fixed k) {
  Colour c;
  for (int i = 0; i < 3; ++i) c[i] = start[i] + k * d[i];
  return c;
}

// The band step over an extent of e pixels: 100 / graduation pixels, or the
// whole extent for graduation 0.
Fixed StepOf(int e, int graduation) {
  return graduation == 0 ? Fixed(e) * kOne : Fixed(6553600) / graduation;
}

int Pixel(Fixed p, int limit) { return static_cast<int>(std::min<Fixed>(p >> 16, limit)); }

// The bands along one axis: their count and the first and last index that
// can meet the clip's span [from, to) on that axis.
struct Span {
  Fixed Count, First, Last;  // Last exclusive
};
Span SpanOf(Fixed e16, Fixed step, int from, int to) {
  const Fixed count = (e16 + step - 1) / step;
  const Fixed first = std::clamp<Fixed>(Fixed(from) * kOne / step - 1, 0, count);
  const Fixed last = std::clamp<Fixed>(Fixed(to) * kOne / step + 1, first, count);
  return {count, first, last};
}

struct Area {
  int W, H;
  ShadeClip Clip;
  ShadeSink& Sink;
  void Fill(int l, int t, int r, int b, const Colour& c) const {
    if (r <= Clip.Left || l >= Clip.Right || b <= Clip.Top || t >= Clip.Bottom || l >= r || t >= b)
      return;
    Sink.Fill({l, t, r, b, Join(c)});
  }
  // Band k along one axis: the full length of the other axis.
  void Band(bool horizontal, Fixed p, Fixed step, const Colour& c) const {
    if (horizontal) Fill(Pixel(p, W), 0, Pixel(p + step, W), H, c);
    else Fill(0, Pixel(p, H), W, Pixel(p + step, H), c);
  }
  int From(bool horizontal) const { return horizontal ? Clip.Left : Clip.Top; }
  int To(bool horizontal) const { return horizontal ? Clip.Right : Clip.Bottom; }
};

void Linear(const Area& a, bool horizontal, int graduation, const Colour& start,
            const Colour& end) {
  const int e = horizontal ? a.W : a.H;
  const Fixed e16 = Fixed(e) * kOne, step = StepOf(e, graduation);
  const Fixed n = e16 / step;
  if (n == 0) {
    a.Band(horizontal, 0, e16, start);
    return;
  }
  // Band k starts at k * step; when e16 is no multiple of step, one more
  // band than n follows, in the colour start + n * delta.
  const Colour d = Delta(start, end, n);
  const Span s = SpanOf(e16, step, a.From(horizontal), a.To(horizontal));
  for (Fixed k = s.First; k < s.Last; ++k) a.Band(horizontal, k * step, step, Stepped(start, d, k));
}

void InOut(const Area& a, bool horizontal, int graduation, const Colour& start,
           const Colour& end) {
  const int e = horizontal ? a.W : a.H;
  const Fixed e16 = Fixed(e) * kOne, step = StepOf(e, graduation);
  const Fixed half = (e16 / step) >> 1;
  if (half == 0) {
    a.Band(horizontal, 0, e16, start);
    return;
  }
  // Bands before the middle step towards the end colour, those after it
  // step back; the first band of the second half repeats the last of the
  // first.
  const Colour d = Delta(start, end, half);
  const Fixed middle = (e16 / 2 + step - 1) / step;  // first band at or past e16 / 2
  const Span s = SpanOf(e16, step, a.From(horizontal), a.To(horizontal));
  for (Fixed k = s.First; k < s.Last; ++k) {
    const Fixed steps = k < middle ? k : 2 * middle - 1 - k;
    a.Band(horizontal, k * step, step, Stepped(start, d, steps));
  }
}

void Diagonal(const Area& a, bool fromRight, int graduation, const Colour& start,
              const Colour& end) {
  const Fixed w16 = Fixed(a.W) * kOne, h16 = Fixed(a.H) * kOne;
  const Fixed stepX = StepOf(a.W, graduation), stepY = StepOf(a.H, graduation);
  const Fixed nx = w16 / stepX, ny = h16 / stepY;
  if (nx == 0 || ny == 0) {
    a.Fill(0, 0, a.W, a.H, start);
    return;
  }
  // Half the way along the width and half along the height: cell (i, j)
  // has start + i * dx + j * dy.
  const Colour dx = Delta(start, end, 2 * nx), dy = Delta(start, end, 2 * ny);
  const Span rows = SpanOf(h16, stepY, a.Clip.Top, a.Clip.Bottom);
  // From the right, cell i lies at w16 - (i + 1) * stepX .. w16 - i * stepX
  // (cut at 0): the clip's span is mirrored to find the cells that meet it.
  const Span cols = fromRight ? SpanOf(w16, stepX, a.W - a.Clip.Right, a.W - a.Clip.Left)
                              : SpanOf(w16, stepX, a.Clip.Left, a.Clip.Right);
  for (Fixed j = rows.First; j < rows.Last; ++j) {
    const Colour rowStart = Stepped(start, dy, j);
    const int top = Pixel(j * stepY, a.H), bottom = Pixel((j + 1) * stepY, a.H);
    for (Fixed i = cols.First; i < cols.Last; ++i) {
      const Colour c = Stepped(rowStart, dx, i);
      if (fromRight) {
        const Fixed right = w16 - i * stepX;
        a.Fill(Pixel(std::max<Fixed>(0, right - stepX), a.W), top, Pixel(right, a.W), bottom, c);
      } else {
        a.Fill(Pixel(i * stepX, a.W), top, Pixel((i + 1) * stepX, a.W), bottom, c);
      }
    }
  }
}

}  // namespace

void ShadeBands(TPZDirection direction, int width, int height, int graduation,
                std::uint32_t startRgb, std::uint32_t endRgb, ShadeSink& sink) {
  ShadeBands(direction, width, height, graduation, startRgb, endRgb,
             ShadeClip{0, 0, width, height}, sink);
}

void ShadeBands(TPZDirection direction, int width, int height, int graduation,
                std::uint32_t startRgb, std::uint32_t endRgb, const ShadeClip& clip,
                ShadeSink& sink) {
  if (width <= 0 || height <= 0) return;
  graduation = std::clamp(graduation, 0, 100);
  const Colour start = Split(startRgb), end = Split(endRgb);
  const ShadeClip c{std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, width),
                    std::min(clip.Bottom, height)};
  if (c.Left >= c.Right || c.Top >= c.Bottom) return;
  const Area a{width, height, c, sink};
  switch (direction) {
    case drVertical: Linear(a, false, graduation, start, end); break;
    case drHorizontal: Linear(a, true, graduation, start, end); break;
    case drVerticalInOut: InOut(a, false, graduation, start, end); break;
    case drHorizontalInOut: InOut(a, true, graduation, start, end); break;
    case drDiagonalLeftRight: Diagonal(a, false, graduation, start, end); break;
    case drDiagonalRightLeft: Diagonal(a, true, graduation, start, end); break;
  }
}
