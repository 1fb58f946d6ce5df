// File formats the program reads: Windows bitmaps, icons, cursors, wave
// sounds, PNG pictures (through libpng) and JPEG pictures (libjpeg). Encoders throw std::runtime_error when asked for
// something the format cannot hold (a colour missing from the palette).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"
#include "bytes.h"

namespace art {

// Little-endian field writer for the Windows headers.
class LeWriter {
 public:
  void U8(std::uint32_t v) { out_.push_back(std::uint8_t(v)); }
  void U16(std::uint32_t v) { U8(v); U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v); U16(v >> 16); }
  void Tag(const char* four) { for (int i = 0; i < 4; ++i) U8(std::uint8_t(four[i])); }
  void Append(const Bytes& b) { out_.insert(out_.end(), b.begin(), b.end()); }
  Bytes& Out() { return out_; }

 private:
  Bytes out_;
};

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = 40;

// Bottom-up BI_RGB bitmap, 24 bits per pixel; alpha is ignored.
Bytes EncodeBmp24(const Canvas& img);

// 1, 4 or 8 bits per pixel; every pixel's colour must be in the palette.
Bytes EncodeBmpIndexed(const Canvas& img, const std::vector<Rgba>& palette, int bits);

// 8 bits per pixel from ready indices (row-major, top row first).
Bytes EncodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const std::vector<Rgba>& palette);

// An icon file holding each image as a 32-bit picture with alpha plus the
// AND mask older systems use (mask set where alpha is zero); an image of
// 256 pixels or more is held as a PNG, as the system expects it there.
Bytes EncodeIcon(const std::vector<Canvas>& images);

// A monochrome cursor. The picture may use only opaque black, opaque white
// and fully clear pixels; (hotX, hotY) is the hot spot.
Bytes EncodeMonoCursor(const Canvas& img, int hotX, int hotY);

// PCM wave file, mono, 16 bit.
Bytes EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

// PNG, 8 bits per channel: RGBA when withAlpha, else RGB (alpha ignored).
Bytes EncodePng(const Canvas& img, bool withAlpha);

// Baseline JPEG of the opaque colours (alpha ignored), quality 1 to 100.
Bytes EncodeJpeg(const Canvas& img, int quality);

}  // namespace art
