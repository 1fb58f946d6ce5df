// The brushed-metal skin: three 128 x 128 textures (at 100 %) that tile without a
// seam (every filter below wraps around the edges), as 8-bit bitmaps whose
// palette is a ramp of the metal's colour from its darkest to its lightest
// tone.
#include <algorithm>
#include <cmath>

#include "encoders.h"
#include "pictures.h"
#include "rng.h"

namespace art {
namespace {

constexpr int kDesignSize = 128;

// A square field of values, row-major, that wraps around its edges.
struct Field {
  int n = 0;
  std::vector<double> v;
  explicit Field(int side) : n(side), v(std::size_t(side) * side) {}
  double& At(int x, int y) { return v[std::size_t((y + n) % n) * n + (x + n) % n]; }
};

Field Noise(int n, SplitMix64& rng) {
  Field f(n);
  for (double& v : f.v) v = rng.Signed();
  return f;
}

// Box blur along the rows, wrapping around; repeated passes approach a
// smooth bell.
Field BlurRows(Field f, int radius, int passes) {
  for (int p = 0; p < passes; ++p) {
    Field out(f.n);
    for (int y = 0; y < f.n; ++y)
      for (int x = 0; x < f.n; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += f.At(x + k, y);
        out.At(x, y) = sum / (2 * radius + 1);
      }
    f = std::move(out);
  }
  return f;
}

Field SoftenColumns(Field f) {
  Field out(f.n);
  for (int y = 0; y < f.n; ++y)
    for (int x = 0; x < f.n; ++x)
      out.At(x, y) = 0.25 * f.At(x, y - 1) + 0.5 * f.At(x, y) + 0.25 * f.At(x, y + 1);
  return out;
}

// Scales to a standard deviation of one.
Field Normalised(Field f) {
  double sum = 0, sum2 = 0;
  for (double v : f.v) { sum += v; sum2 += v * v; }
  const double mean = sum / f.v.size();
  const double sd = std::sqrt(std::max(1e-12, sum2 / f.v.size() - mean * mean));
  for (double& v : f.v) v = (v - mean) / sd;
  return f;
}

// Long streaks, shorter scratches, a fine grain and a brightness per row
// (the stroke of the brush) together make the brushed look. At a larger
// scale the same brush is drawn in finer pixels: the lengths of streaks,
// scratches and grain, and the stroke's width, grow with the scale.
Field BrushedField(std::uint64_t seed, double s) {
  const int n = ScaledSide(kDesignSize, s);
  SplitMix64 rng(seed);
  auto radius = [s](int r) { return int(std::lround(r * s)); };
  const Field streaks = Normalised(BlurRows(Noise(n, rng), radius(20), 3));
  const Field scratches = Normalised(BlurRows(Noise(n, rng), radius(5), 2));
  const Field grain = Normalised(BlurRows(Noise(n, rng), radius(1), 1));
  Field rows(n);
  std::vector<double> stroke(kDesignSize);
  for (double& r : stroke) r = rng.Signed();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) rows.At(x, y) = stroke[std::size_t(y * kDesignSize / n)];
  rows = Normalised(rows);
  Field f(n);
  for (std::size_t i = 0; i < f.v.size(); ++i)
    f.v[i] = 0.55 * streaks.v[i] + 0.35 * scratches.v[i] + 0.18 * grain.v[i] + 0.45 * rows.v[i];
  for (int pass = 0; pass < LineWidth(1, s); ++pass) f = SoftenColumns(f);
  return Normalised(f);
}

struct MetalTone {
  double base;      // mean brightness, 0..1
  double spread;    // brightness change per standard deviation of the field
  double r, g, b;   // colour of the metal at brightness 1
};

SkinFile Metal(const char* path, std::uint64_t seed, const MetalTone& tone, double s) {
  const Field f = BrushedField(seed, s);
  const auto [lo, hi] = std::minmax_element(f.v.begin(), f.v.end());
  auto colour = [&](double v) {
    const double l = tone.base + tone.spread * v;
    auto chan = [&](double c) { return std::uint8_t(std::clamp(std::lround(l * c * 255), 0L, 255L)); };
    return Rgba{chan(tone.r), chan(tone.g), chan(tone.b), 255};
  };
  std::vector<Rgba> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = colour(*lo + (*hi - *lo) * i / 255.0);
  std::vector<std::uint8_t> indices(f.v.size());
  for (std::size_t i = 0; i < f.v.size(); ++i)
    indices[i] = std::uint8_t(std::lround((f.v[i] - *lo) / (*hi - *lo) * 255));
  return {path, EncodeBmp8(f.n, f.n, indices, palette)};
}

}  // namespace

std::vector<SkinFile> MetalSkins(double s) {
  return {
      Metal("Metal/brushedmetal.bmp", 0x6D6574616C31ull, {0.745, 0.034, 1.0, 1.0, 1.015}, s),
      // Behind the active caption (navy letters over a pale blue under-copy).
      Metal("Metal/brushedmetalblue.bmp", 0x6D6574616C32ull, {0.80, 0.034, 0.76, 0.88, 1.02}, s),
      // Behind the dialogs' controls.
      Metal("Metal/brushedmetallight.bmp", 0x6D6574616C33ull, {0.875, 0.024, 1.0, 1.0, 1.01}, s),
  };
}

}  // namespace art
