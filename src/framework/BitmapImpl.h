// Private state of TBitmap, shared by the files that implement it (the core,
// the file formats and the PNG/JPEG codecs).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Bitmap.h"

// The bitmap's canvas: a memory DC that holds the DIB selected. It lets go of
// the DIB (Release) when the bitmap hands its handle out or replaces it, and
// selects it again on the next drawing.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap::Impl* owner) : FOwner(owner) {}
  ~TBitmapCanvas() override;
  void Release();

 protected:
  void CreateHandle() override;

 private:
  TBitmap::Impl* FOwner;
  std::optional<MemoryDC> FMemDC;  // made on first use
  HGDIOBJ FOldBitmap = nullptr;
};

// A DIB's layout: what CreateDIBSection needs and what a bitmap file holds.
struct DibFormat {
  int Width = 0;
  int Height = 0;
  int BitCount = 32;
  bool BitFields565 = false;       // 16 bits: 5-6-5 masks instead of 5-5-5
  std::vector<RGBQUAD> ColorTable;  // 8 bits or fewer only
};

struct TBitmap::Impl {
  GdiBitmap Dib;
  std::uint8_t* Bits = nullptr;  // bottom-up rows, owned by the DIB section
  DibFormat Format;
  TPixelFormat PixelFormat = pfDevice;
  mutable GdiPalette Palette;
  std::unique_ptr<TBitmapCanvas> Canvas;

  int Stride() const { return ((Format.Width * Format.BitCount + 31) / 32) * 4; }
  std::size_t ImageSize() const {
    return static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(Format.Height);
  }
  // Row 0 is the top row; the DIB is stored bottom-up.
  std::uint8_t* Row(int y) const { return Bits + static_cast<std::size_t>(Format.Height - 1 - y) * Stride(); }
  // The pixel as 0x00BBGGRR (alpha dropped).
  TColor PixelAt(int x, int y) const;
  // Replaces the DIB with a new one of the given layout (bits zeroed); throws
  // EOutOfResources when the system refuses.
  void CreateDib(const DibFormat& format);
  // A new DIB of the layout with a copy of the bits (bottom-up rows).
  void Replace(const DibFormat& format, const std::uint8_t* bits);
  // Takes the DIB of another Impl, dropping this one's.
  void Adopt(Impl& next);
  void DropDib();
};

// Bits per pixel and the default colour table of a pixel format.
DibFormat DefaultDibFormat(TPixelFormat f, int width, int height);
TPixelFormat PixelFormatOf(const DibFormat& f);

// The sets of one picture drawn for several scales and what was made from
// them, shared by the bitmap and its copies. The 100 % picture is the
// owner's own (a bitmap whose pixels change leaves its set); the other sets
// are read when first needed, so that nothing is held at 96 DPI.
class TPictureScales {
 public:
  // Reads the picture drawn for a set's DPI (144 or 192) into the target;
  // false when there is none. With anyDpi it draws the picture for any DPI
  // at its exact size (icons), and nothing is resampled.
  using Reader = std::function<bool(TBitmap& target, int dpi)>;
  TPictureScales(Reader reader, bool anyDpi = false);

  // The bitmap's own picture is returned by the callers for 96 DPI; these
  // serve the other scales, with the owner's transparency settings.
  const TBitmap& Picture(const TBitmap& owner, int dpi, bool keyed);
  const TBitmap& Texture(const TBitmap& owner, int dpi);

  // The set of a picture being loaded.
  static std::shared_ptr<TPictureScales> Make(Reader reader, bool anyDpi = false);
  // The set of a resource, made once for the process: a resource's sets
  // never change, and painting may load the same resource many times.
  static std::shared_ptr<TPictureScales> Shared(const std::string& key, Reader reader);

 private:
  // The set drawn for a DPI other than 96; nullptr when there is none.
  const TBitmap* Drawn(int setDpi);
  std::vector<int> Available();
  static void TakeSettings(TBitmap& made, const TBitmap& owner, bool keyed);

  Reader FReader;
  bool FAnyDpi;
  std::map<int, std::unique_ptr<TBitmap>> FDrawn;  // null: no such set
  // Made for a DPI, keyed by (dpi, colour key or -1).
  std::map<std::pair<int, long long>, std::unique_ptr<TBitmap>> FMade;
};
