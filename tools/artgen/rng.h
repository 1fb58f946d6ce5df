// A seeded generator whose sequence is fixed by this code alone, so that
// the textures come out the same with any compiler and library.
#pragma once

#include <cstdint>

namespace art {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [-1, 1).
  double Signed() { return Unit() * 2.0 - 1.0; }

 private:
  std::uint64_t state_;
};

}  // namespace art
