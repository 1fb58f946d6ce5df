// PNG (libpng) and JPEG (libjpeg) pictures decoded into the DIB layout.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/BitmapFile.h"

// PNG of any colour type and depth: 32 bits (blue, green, red and straight,
// not premultiplied, alpha) when the picture has transparency (an alpha
// channel or a tRNS chunk, palette pictures included), else 24 bits.
// Values come through as stored: 16-bit channels are scaled to 8 bits,
// gamma chunks are ignored.
// Throws BmpError when the data is no PNG or is damaged.
BmpImage DecodePng(const std::uint8_t* data, std::size_t size);
// JPEG in grayscale, colour or CMYK: 24 bits. Throws BmpError.
BmpImage DecodeJpeg(const std::uint8_t* data, std::size_t size);
