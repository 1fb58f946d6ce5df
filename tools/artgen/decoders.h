// Readers for what the encoders write, used by the self-check to prove
// that the files decode to the pictures they were made from. PNG and JPEG
// are read by the host's libpng and libjpeg.
#pragma once

#include <optional>

#include "raster.h"
#include "bytes.h"

namespace art {

// Uncompressed bottom-up bitmaps of 1, 4, 8 or 24 bits per pixel.
std::optional<Canvas> DecodeBmp(const Bytes& file);

// Any PNG, as 8-bit RGBA.
std::optional<Canvas> DecodePng(const Bytes& file);

// Any JPEG, as opaque RGB.
std::optional<Canvas> DecodeJpeg(const Bytes& file);

}  // namespace art
