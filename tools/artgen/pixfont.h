// A small proportional pixel font, 7 pixels high, drawn crisp. Used for
// the few words and signs that appear inside pictures.
#pragma once

#include <string_view>

#include "raster.h"

namespace art {

constexpr int kFontHeight = 7;

// Width in pixels of the text at the given scale, including one pixel
// (times scale) between characters.
int TextWidth(std::string_view text, int scale = 1);

// Draws the text with its top-left at (x, y); returns the x after it.
// Positions are the design's (Canvas::AtScale); on a picture drawn larger
// the font's pixels become blocks snapped to whole pixels, crisp.
int DrawText(Canvas& canvas, int x, int y, std::string_view text, Rgba colour, int scale = 1);

// True when the font has a picture for the character.
bool HasGlyph(char c);

}  // namespace art
