// The check box's click: a short, soft tick. A bright, fast-decaying pair
// of partials gives the tick, a lower, slower one its body, and a burst of
// noise in the first milliseconds the attack.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "pictures.h"
#include "rng.h"

namespace art {

std::vector<std::int16_t> ClickSound() {
  constexpr double kSeconds = 0.057;
  const int count = int(std::lround(kSeconds * kClickSampleRate));
  std::vector<std::int16_t> samples(count);
  SplitMix64 rng(0x4B4C494Bu);  // "KLIK"
  double noiseLow = 0;
  const double twoPi = 2 * std::numbers::pi;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / kClickSampleRate;
    const double attack = std::min(1.0, t / 0.0004);
    // A smoothed noise burst; the one-pole low pass takes its hiss away.
    noiseLow += 0.35 * (rng.Signed() - noiseLow);
    const double burst = noiseLow * std::exp(-t / 0.0015);
    const double tick = 0.55 * std::sin(twoPi * 2750 * t) * std::exp(-t / 0.006) +
                        0.22 * std::sin(twoPi * 4300 * t + 0.7) * std::exp(-t / 0.0035);
    const double body = 0.30 * std::sin(twoPi * 880 * t) * std::exp(-t / 0.014);
    // The last 8 ms fade to silence so the sound ends without a click of
    // its own.
    const double tail = std::clamp((kSeconds - t) / 0.008, 0.0, 1.0);
    const double v = attack * tail * (tick + body + 0.5 * burst);
    samples[i] = std::int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 26000));
  }
  return samples;
}

}  // namespace art
