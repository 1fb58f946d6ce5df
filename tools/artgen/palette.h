// The standard 16-colour palette of Windows (the VGA colours in the order
// of the system's default palette) and the names the art uses for them.
#pragma once

#include <array>
#include <optional>

#include "raster.h"

namespace art {

namespace vga {
constexpr Rgba Black = Rgb(0x000000), Maroon = Rgb(0x800000), Green = Rgb(0x008000),
               Olive = Rgb(0x808000), Navy = Rgb(0x000080), Purple = Rgb(0x800080),
               Teal = Rgb(0x008080), Silver = Rgb(0xC0C0C0), Gray = Rgb(0x808080),
               Red = Rgb(0xFF0000), Lime = Rgb(0x00FF00), Yellow = Rgb(0xFFFF00),
               Blue = Rgb(0x0000FF), Fuchsia = Rgb(0xFF00FF), Aqua = Rgb(0x00FFFF),
               White = Rgb(0xFFFFFF);
}  // namespace vga

// The colour that is cut out of most colour-keyed pictures.
constexpr Rgba kMagenta = vga::Fuchsia;

const std::array<Rgba, 16>& Vga16();

// The palette index of a colour that must be one of the 16, if it is.
std::optional<int> VgaIndex(Rgba c);

}  // namespace art
