// Readers for what the encoders write, used by the self-check to prove
// that the files decode to the pictures they were made from.
#pragma once

#include <optional>

#include "raster.h"
#include "zlibstream.h"

namespace art {

// Uncompressed bottom-up bitmaps of 1, 4, 8 or 24 bits per pixel.
std::optional<Canvas> DecodeBmp(const Bytes& file);

// Non-interlaced 8-bit RGB or RGBA PNGs whose zlib stream uses stored or
// fixed-Huffman blocks; every chunk's CRC is checked.
std::optional<Canvas> DecodePng(const Bytes& file);

}  // namespace art
