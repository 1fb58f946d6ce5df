// Effects for the true-colour glyphs: outlines, the calmer idle look and
// the embossed disabled look of tool buttons.
#pragma once

#include "raster.h"

namespace art {

// The layer with a one-pixel outline of the given colour around its shape
// (the outline grows the shape outwards).
Canvas Outlined(const Canvas& layer, Rgba colour);

// A soft shadow of the layer's shape, offset by (dx, dy), below the layer.
Canvas WithShadow(const Canvas& layer, int dx, int dy, double strength);

// The same picture in calmer colours: less saturated, a little lighter.
Canvas IdleLook(const Canvas& layer);

// The shape embossed in greys: a white copy one pixel down and right below
// a grey picture whose tones follow the original's brightness.
Canvas DisabledLook(const Canvas& layer);

}  // namespace art
