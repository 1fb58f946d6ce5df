#include "framework/PictureScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int ScaledSide(int side, int dpi) {
  const long long n = static_cast<long long>(side) * dpi;
  const long long q = (std::llabs(n) + 48) / 96;
  return static_cast<int>(n < 0 ? -q : q);
}

int PictureSetFor(int dpi, const std::vector<int>& available) {
  int larger = 0, largest = 96;
  for (int set : available) {
    if (set >= dpi && (larger == 0 || set < larger)) larger = set;
    largest = std::max(largest, set);
  }
  return larger != 0 ? larger : largest;
}

int TextureSetFor(int dpi, const std::vector<int>& available) {
  int best = 96;
  for (int set : available) {
    const int d = std::abs(set - dpi), bestD = std::abs(best - dpi);
    if (d < bestD || (d == bestD && set > best)) best = set;
  }
  return best;
}

namespace {
std::string Percent(int setDpi) { return std::to_string(setDpi * 100 / 96); }
}  // namespace

std::string ScaledResourceName(const std::string& name, int setDpi) {
  return setDpi == 96 ? name : name + "_" + Percent(setDpi);
}

std::string ScaledFileName(const std::string& path, int setDpi) {
  if (setDpi == 96) return path;
  // The extension is what follows the last dot of the last path part.
  const std::size_t slash = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::size_t at = hasExt ? dot : path.size();
  return path.substr(0, at) + "@" + Percent(setDpi) + path.substr(at);
}

namespace {

// One target pixel along an axis: the source pixels it takes and their
// weights, which add up to one.
struct Tap {
  int First = 0;
  std::vector<double> Weights;
};

std::vector<Tap> AxisTaps(int from, int to) {
  std::vector<Tap> taps(static_cast<std::size_t>(to));
  const double scale = static_cast<double>(to) / from;
  for (int i = 0; i < to; ++i) {
    Tap& t = taps[static_cast<std::size_t>(i)];
    if (scale <= 1.0) {
      // The target pixel covers [a, b) of the source.
      const double a = i / scale, b = (i + 1) / scale;
      t.First = std::clamp(static_cast<int>(std::floor(a)), 0, from - 1);
      const int last = std::clamp(static_cast<int>(std::ceil(b)) - 1, t.First, from - 1);
      for (int j = t.First; j <= last; ++j)
        t.Weights.push_back(std::max(0.0, std::min<double>(b, j + 1) - std::max<double>(a, j)));
    } else {
      // Between the centres of the two nearest source pixels; the edges
      // repeat the outermost pixel.
      const double c = (i + 0.5) / scale - 0.5;
      const int j0 = static_cast<int>(std::floor(c));
      const double f = c - j0;
      const int a = std::clamp(j0, 0, from - 1), b = std::clamp(j0 + 1, 0, from - 1);
      t.First = a;
      if (a == b) {
        t.Weights = {1.0};
      } else {
        t.Weights = {1.0 - f, f};
      }
    }
    double sum = 0;
    for (double w : t.Weights) sum += w;
    for (double& w : t.Weights) w /= sum;
  }
  return taps;
}

// Premultiplied channels: alpha, red, green, blue, each 0..255.
struct Premul {
  double A = 0, R = 0, G = 0, B = 0;
  void Add(const Premul& p, double w) {
    A += p.A * w;
    R += p.R * w;
    G += p.G * w;
    B += p.B * w;
  }
};

Premul FromPixel(std::uint32_t p) {
  const double a = (p >> 24) & 0xFF, k = a / 255.0;
  return {a, ((p >> 16) & 0xFF) * k, ((p >> 8) & 0xFF) * k, (p & 0xFF) * k};
}

std::uint32_t Channel(double v) {
  return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
}

std::uint32_t ToPixel(const Premul& p) {
  const std::uint32_t a = Channel(p.A);
  if (a == 0) return 0;
  const double k = 255.0 / p.A;
  return (a << 24) | (Channel(p.R * k) << 16) | (Channel(p.G * k) << 8) | Channel(p.B * k);
}

std::vector<Premul> Resample(const PixelPicture& s, int width, int height) {
  const std::vector<Tap> across = AxisTaps(s.Width, width), down = AxisTaps(s.Height, height);
  std::vector<Premul> rows(static_cast<std::size_t>(width) * s.Height);
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < width; ++x) {
      const Tap& t = across[static_cast<std::size_t>(x)];
      Premul& out = rows[static_cast<std::size_t>(y) * width + x];
      for (std::size_t k = 0; k < t.Weights.size(); ++k)
        out.Add(FromPixel(s.Pixels[static_cast<std::size_t>(y) * s.Width + t.First + k]), t.Weights[k]);
    }
  std::vector<Premul> out(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const Tap& t = down[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x)
      for (std::size_t k = 0; k < t.Weights.size(); ++k)
        out[static_cast<std::size_t>(y) * width + x].Add(
            rows[(t.First + k) * static_cast<std::size_t>(width) + x], t.Weights[k]);
  }
  return out;
}

bool Usable(const PixelPicture& s, int width, int height) {
  return s.Width > 0 && s.Height > 0 && width > 0 && height > 0 &&
         s.Pixels.size() == static_cast<std::size_t>(s.Width) * s.Height;
}

}  // namespace

PixelPicture ResamplePixels(const PixelPicture& source, int width, int height) {
  if (!Usable(source, width, height)) return {};
  if (width == source.Width && height == source.Height) return source;
  PixelPicture out{width, height, {}};
  out.Pixels.reserve(static_cast<std::size_t>(width) * height);
  for (const Premul& p : Resample(source, width, height)) out.Pixels.push_back(ToPixel(p));
  return out;
}

PixelPicture ResampleKeyed(const PixelPicture& source, std::uint32_t key, int width, int height) {
  if (!Usable(source, width, height)) return {};
  key &= 0xFFFFFF;
  if (width == source.Width && height == source.Height) return source;
  PixelPicture clear = source;
  for (std::uint32_t& p : clear.Pixels) p = (p & 0xFFFFFF) == key ? 0 : (p | 0xFF000000u);
  PixelPicture out{width, height, {}};
  out.Pixels.reserve(static_cast<std::size_t>(width) * height);
  // Two fifths rather than a half: a line one pixel wide that falls across
  // two target pixels still shows in one of them.
  constexpr double kCovered = 0.4 * 255;
  for (const Premul& p : Resample(clear, width, height)) {
    std::uint32_t rgb = key;
    if (p.A >= kCovered) {
      rgb = ToPixel(Premul{255, p.R * 255 / p.A, p.G * 255 / p.A, p.B * 255 / p.A}) & 0xFFFFFF;
      if (rgb == key) rgb ^= 1;
    }
    out.Pixels.push_back(0xFF000000u | rgb);
  }
  return out;
}
