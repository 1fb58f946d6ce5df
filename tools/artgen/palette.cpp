#include "palette.h"

namespace art {

const std::array<Rgba, 16>& Vga16() {
  static const std::array<Rgba, 16> colours = {
      vga::Black, vga::Maroon, vga::Green, vga::Olive, vga::Navy,    vga::Purple,
      vga::Teal,  vga::Silver, vga::Gray,  vga::Red,   vga::Lime,    vga::Yellow,
      vga::Blue,  vga::Fuchsia, vga::Aqua, vga::White};
  return colours;
}

std::optional<int> VgaIndex(Rgba c) {
  const auto& colours = Vga16();
  for (int i = 0; i < 16; ++i)
    if (colours[i].r == c.r && colours[i].g == c.g && colours[i].b == c.b) return i;
  return std::nullopt;
}

}  // namespace art
