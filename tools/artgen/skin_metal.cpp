// The brushed-metal skin: three 128 x 128 textures that tile without a
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

constexpr int kSize = 128;
using Field = std::vector<double>;  // kSize x kSize, row-major

double& At(Field& f, int x, int y) {
  return f[std::size_t((y + kSize) % kSize) * kSize + (x + kSize) % kSize];
}

Field Noise(SplitMix64& rng) {
  Field f(kSize * kSize);
  for (double& v : f) v = rng.Signed();
  return f;
}

// Box blur along the rows, wrapping around; repeated passes approach a
// smooth bell.
Field BlurRows(Field f, int radius, int passes) {
  for (int p = 0; p < passes; ++p) {
    Field out(f.size());
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += At(f, x + k, y);
        At(out, x, y) = sum / (2 * radius + 1);
      }
    f = std::move(out);
  }
  return f;
}

Field SoftenColumns(Field f) {
  Field out(f.size());
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      At(out, x, y) = 0.25 * At(f, x, y - 1) + 0.5 * At(f, x, y) + 0.25 * At(f, x, y + 1);
  return out;
}

// Scales to a standard deviation of one.
Field Normalised(Field f) {
  double sum = 0, sum2 = 0;
  for (double v : f) { sum += v; sum2 += v * v; }
  const double mean = sum / f.size();
  const double sd = std::sqrt(std::max(1e-12, sum2 / f.size() - mean * mean));
  for (double& v : f) v = (v - mean) / sd;
  return f;
}

// Long streaks, shorter scratches, a fine grain and a brightness per row
// (the stroke of the brush) together make the brushed look.
Field BrushedField(std::uint64_t seed) {
  SplitMix64 rng(seed);
  const Field streaks = Normalised(BlurRows(Noise(rng), 20, 3));
  const Field scratches = Normalised(BlurRows(Noise(rng), 5, 2));
  const Field grain = Normalised(BlurRows(Noise(rng), 1, 1));
  Field rows(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    const double r = rng.Signed();
    for (int x = 0; x < kSize; ++x) At(rows, x, y) = r;
  }
  rows = Normalised(rows);
  Field f(kSize * kSize);
  for (std::size_t i = 0; i < f.size(); ++i)
    f[i] = 0.55 * streaks[i] + 0.35 * scratches[i] + 0.18 * grain[i] + 0.45 * rows[i];
  return Normalised(SoftenColumns(f));
}

struct MetalTone {
  double base;      // mean brightness, 0..1
  double spread;    // brightness change per standard deviation of the field
  double r, g, b;   // colour of the metal at brightness 1
};

SkinFile Metal(const char* path, std::uint64_t seed, const MetalTone& tone) {
  const Field f = BrushedField(seed);
  const auto [lo, hi] = std::minmax_element(f.begin(), f.end());
  auto colour = [&](double v) {
    const double l = tone.base + tone.spread * v;
    auto chan = [&](double c) { return std::uint8_t(std::clamp(std::lround(l * c * 255), 0L, 255L)); };
    return Rgba{chan(tone.r), chan(tone.g), chan(tone.b), 255};
  };
  std::vector<Rgba> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = colour(*lo + (*hi - *lo) * i / 255.0);
  std::vector<std::uint8_t> indices(f.size());
  for (std::size_t i = 0; i < f.size(); ++i)
    indices[i] = std::uint8_t(std::lround((f[i] - *lo) / (*hi - *lo) * 255));
  return {path, EncodeBmp8(kSize, kSize, indices, palette)};
}

}  // namespace

std::vector<SkinFile> MetalSkins() {
  return {
      Metal("Metal/brushedmetal.bmp", 0x6D6574616C31ull, {0.745, 0.034, 1.0, 1.0, 1.015}),
      // Behind the active caption (navy letters over a pale blue under-copy).
      Metal("Metal/brushedmetalblue.bmp", 0x6D6574616C32ull, {0.80, 0.034, 0.76, 0.88, 1.02}),
      // Behind the dialogs' controls.
      Metal("Metal/brushedmetallight.bmp", 0x6D6574616C33ull, {0.875, 0.024, 1.0, 1.0, 1.01}),
  };
}

}  // namespace art
