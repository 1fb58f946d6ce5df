// Device-independent bitmaps: Windows bitmap files and resources in and out,
// PNG and JPEG in, the bottom-left transparent colour, palettes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"

struct DibFormat;
struct PixelPicture;
class TPictureScales;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };
// Whether the fourth byte of a 32-bit picture is alpha (straight, not
// premultiplied) that drawing honours.
enum TAlphaFormat { afIgnored, afDefined };

class TBitmap : public TGraphicsObject {
 public:
  TBitmap();
  ~TBitmap() override;

  // Deep copy; nullptr or an empty source empties this bitmap.
  void Assign(const TBitmap* source);
  bool Empty() const;
  int Width() const;
  int Height() const;
  void SetWidth(int w);
  void SetHeight(int h);
  // Keeps the top-left part of the old picture; new area is white.
  void SetSize(int w, int h);
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat f);

  // The DIB section; the bitmap keeps ownership. May be deselected from the
  // canvas's DC while another DC uses it.
  HBITMAP Handle() const;
  // Drawing on the bitmap; the canvas's DC has the bitmap selected.
  TCanvas* Canvas();

  // afDefined for PNG pictures with transparency; drawing then blends each
  // pixel by its alpha. Other formats than 32 bits ignore it.
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat value);

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);
  // tmAuto: the colour of the bottom-left pixel; tmFixed: the stored colour.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value);

  // A logical palette from the colour table (bitmaps of 8 bits or fewer);
  // nullptr otherwise. The bitmap owns it.
  HPALETTE Palette() const;
  // The colour table (empty above 8 bits per pixel), as 0x00BBGGRR.
  std::vector<TColor> ColorTable() const;

  // Windows bitmap files. Failures raise EFOpenError / EFCreateError for the
  // file and EInvalidGraphic for content that is no bitmap.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  // The bitmap file format in memory (file header included).
  void LoadFromStream(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> SaveToStream() const;
  // A BITMAP resource by name; EInvalidGraphic when missing.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  // A JPEG picture held as an RCDATA resource; EInvalidGraphic when missing.
  void LoadFromJpegResource(HINSTANCE instance, const std::string& name);
  // An icon resource drawn at width x height over white (the bottom-left
  // colour, so that a transparent image shows the icon's shape); at another
  // scale it is drawn again at that size. EInvalidGraphic when missing.
  void LoadFromIconResource(HINSTANCE instance, const std::string& name, int width, int height);
  // PNG (through libpng) and JPEG (through libjpeg); results are 24 or 32 bits.
  void LoadFromPngFile(const std::string& path);
  void LoadFromPngMemory(const std::vector<std::uint8_t>& bytes);
  void LoadFromJpegFile(const std::string& path);
  void LoadFromJpegMemory(const std::vector<std::uint8_t>& bytes);

  // Start of a pixel row in the DIB (row 0 is the top row).
  void* ScanLine(int row);

  // Draws the whole bitmap stretched into r; with Transparent set, pixels of
  // TransparentColor are left undrawn. A 32-bit picture with afDefined is
  // blended by its alpha instead.
  void DrawTo(HDC dc, const TRect& r) const { DrawTo(dc, r, FTransparent); }
  // The same with the caller deciding about transparency (TImage does).
  void DrawTo(HDC dc, const TRect& r, bool transparent) const;
  // A 1-bit device bitmap: set (white) where the pixel has the given colour.
  // The caller owns it (hold it in a GdiBitmap).
  HBITMAP CreateMask(TColor transparent) const;

  // Drops the picture; the bitmap becomes empty.
  void Clear();

  // ---- the display's scale ----
  // A picture loaded from a resource or a file is the 100 % picture of a
  // set drawn for several scales (framework/PictureScale.h): the program's
  // own pictures come drawn for 150 % and 200 % too, and a user's picture
  // without them is scaled. A picture made or changed by code has no set
  // and is shown as it is at every scale. Copies (Assign) share the set and
  // everything made from it.
  //
  // The picture to show in a control laid out at dpi: this bitmap at
  // 96 DPI; else ScaledSide(Width(), dpi) x ScaledSide(Height(), dpi), the
  // drawn picture of that scale or one made from the nearest set. keyed:
  // the TransparentColor() is cut out when drawn, so scaling keeps it
  // apart from the picture's colours (and the result cuts the same colour).
  const TBitmap& AtDpi(int dpi, bool keyed) const;
  // A texture for tiling at dpi: the drawn set nearest to dpi, never scaled.
  const TBitmap& TextureAtDpi(int dpi) const;
  // The picture as 0xAARRGGBB pixels (alpha 255 unless AlphaFormat() is
  // afDefined), and a 24-bit (32-bit with alpha) picture from such pixels.
  PixelPicture Pixels() const;
  void SetPixels(const PixelPicture& pixels, bool withAlpha);

  struct Impl;

 private:
  friend class TBitmapCanvas;
  // Takes a decoded picture (bottom-up rows in the DIB layout) as its own,
  // with the sets it belongs to when it was loaded from a resource or file
  // (in place before OnChange, so that handlers see the picture whole).
  void TakePicture(const DibFormat& format, const std::uint8_t* bits,
                   TAlphaFormat alpha = afIgnored, std::shared_ptr<TPictureScales> scales = nullptr);
  void LoadBmp(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales);
  void LoadPng(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales);
  void LoadJpeg(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales);
  friend class TPictureScales;
  std::unique_ptr<Impl> FImpl;
  // Shared with copies; null for a picture made or changed by code.
  std::shared_ptr<TPictureScales> FScales;
  bool FTransparent = false;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  TAlphaFormat FAlphaFormat = afIgnored;
};

// Loads a picture by its file extension: .bmp, .png, .jpg/.jpeg.
void LoadPictureFile(TBitmap& target, const std::string& path);
