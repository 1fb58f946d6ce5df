#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/BitmapImpl.h"

namespace {

// Room for the largest colour table (or the three 16-bit masks).
struct DibInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

RGBQUAD Quad(int r, int g, int b) {
  return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

std::vector<RGBQUAD> VgaColors() {
  static const int rgb[16][3] = {
      {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
      {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
      {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
      {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<RGBQUAD> t;
  for (const auto& c : rgb) t.push_back(Quad(c[0], c[1], c[2]));
  return t;
}

// The 16 VGA colours, a 6x6x6 colour cube and 24 greys: 256 entries.
std::vector<RGBQUAD> Default256Colors() {
  std::vector<RGBQUAD> t = VgaColors();
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) t.push_back(Quad(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 24; ++i) {
    int v = i * 255 / 25;
    t.push_back(Quad(v, v, v));
  }
  return t;
}

void FillInfo(DibInfo& info, const DibFormat& f) {
  std::memset(&info, 0, sizeof info);
  BITMAPINFOHEADER& h = info.Header;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = f.Width;
  h.biHeight = f.Height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(f.BitCount);
  h.biCompression = BI_RGB;
  if (f.BitCount == 16 && f.BitFields565) {
    h.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.Colors, masks, sizeof masks);
  }
  size_t n = std::min<size_t>(f.ColorTable.size(), 256);
  h.biClrUsed = static_cast<DWORD>(n);
  if (n) std::memcpy(info.Colors, f.ColorTable.data(), n * sizeof(RGBQUAD));
}

TColor QuadColor(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

int Expand5(int v) { return (v << 3) | (v >> 2); }
int Expand6(int v) { return (v << 2) | (v >> 4); }

}  // namespace

// ---- layouts ----------------------------------------------------------------------
DibFormat DefaultDibFormat(TPixelFormat f, int width, int height) {
  DibFormat d;
  d.Width = width;
  d.Height = height;
  switch (f) {
    case pf1bit:
      d.BitCount = 1;
      d.ColorTable = {Quad(0, 0, 0), Quad(255, 255, 255)};
      break;
    case pf4bit:
      d.BitCount = 4;
      d.ColorTable = VgaColors();
      break;
    case pf8bit:
      d.BitCount = 8;
      d.ColorTable = Default256Colors();
      break;
    case pf15bit: d.BitCount = 16; break;
    case pf16bit:
      d.BitCount = 16;
      d.BitFields565 = true;
      break;
    case pf24bit: d.BitCount = 24; break;
    default: d.BitCount = 32; break;  // pfDevice, pf32bit
  }
  return d;
}

TPixelFormat PixelFormatOf(const DibFormat& f) {
  switch (f.BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return f.BitFields565 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

// ---- Impl -------------------------------------------------------------------------
void TBitmap::Impl::CreateDib(const DibFormat& format) {
  // Sizes beyond what a 32-bit process can hold would also overflow the
  // row arithmetic; refuse them before asking the system.
  if (format.Width > 0x100000 || format.Height > 0x100000 ||
      static_cast<std::uint64_t>(format.Width) * static_cast<std::uint64_t>(format.Height) >
          (std::uint64_t(1) << 28))
    throw EOutOfResources("Out of system resources");
  DropDib();
  DibInfo info;
  FillInfo(info, format);
  void* bits = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                               &bits, nullptr, 0);
  if (!h || !bits) {
    if (h) DeleteObject(h);
    throw EOutOfResources("Out of system resources");
  }
  Dib.Reset(h);
  Bits = static_cast<std::uint8_t*>(bits);
  Format = format;
}

void TBitmap::Impl::Replace(const DibFormat& format, const std::uint8_t* bits) {
  Impl next;
  next.CreateDib(format);
  std::memcpy(next.Bits, bits, next.ImageSize());
  Adopt(next);
}

void TBitmap::Impl::Adopt(Impl& next) {
  DropDib();
  Dib.Reset(next.Dib.Release());
  Bits = std::exchange(next.Bits, nullptr);
  Format = next.Format;
}

void TBitmap::Impl::DropDib() {
  // The DIB may still be selected in the canvas's DC; a selected bitmap
  // cannot be deleted.
  if (Canvas) Canvas->Release();
  Dib.Reset();
  Bits = nullptr;
  Palette.Reset();
  Format = DibFormat{};
}

TColor TBitmap::Impl::PixelAt(int x, int y) const {
  if (!Bits || x < 0 || y < 0 || x >= Format.Width || y >= Format.Height) return clNone;
  const std::uint8_t* row = Row(y);
  auto indexed = [&](unsigned index) -> TColor {
    return index < Format.ColorTable.size() ? QuadColor(Format.ColorTable[index]) : clBlack;
  };
  switch (Format.BitCount) {
    case 1: return indexed((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return indexed((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case 8: return indexed(row[x]);
    case 16: {
      unsigned v = row[x * 2] | (row[x * 2 + 1] << 8);
      if (Format.BitFields565)
        return RGB(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
      return RGB(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case 24: return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
}

// ---- canvas -----------------------------------------------------------------------
TBitmapCanvas::~TBitmapCanvas() { Release(); }

void TBitmapCanvas::CreateHandle() {
  if (!FMemDC) FMemDC.emplace();
  HDC dc = FMemDC->Get();
  if (!dc) return;  // RequiredState raises "Canvas does not allow drawing"
  // An empty bitmap still has a DC, so that text can be measured on it.
  if (FOwner->Dib && !FOldBitmap) FOldBitmap = SelectObject(dc, FOwner->Dib.Get());
  SetHandle(dc);
}

void TBitmapCanvas::Release() {
  if (!HandleAllocated()) return;
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FMemDC->Get(), FOldBitmap);
  FOldBitmap = nullptr;
}

// ---- TBitmap ------------------------------------------------------------------------
TBitmap::TBitmap() : FImpl(std::make_unique<Impl>()) {}

TBitmap::~TBitmap() {
  // The canvas goes first: it must give the DIB back before the DIB is deleted.
  FImpl->Canvas.reset();
}

bool TBitmap::Empty() const { return !FImpl->Dib; }
int TBitmap::Width() const { return FImpl->Format.Width; }
int TBitmap::Height() const { return FImpl->Format.Height; }
TPixelFormat TBitmap::PixelFormat() const { return FImpl->PixelFormat; }

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

namespace {

// Copies the top-left part of one DIB into another through GDI, which maps
// colours between formats (nearest colour-table entry below 16 bits).
void BlitDib(HBITMAP from, HBITMAP to, int w, int h, bool fillWhiteFirst, int toW, int toH) {
  MemoryDC src, dst;
  if (!src.Get() || !dst.Get()) throw EOutOfResources("Out of system resources");
  SelectedObject s1(src.Get(), from);
  SelectedObject s2(dst.Get(), to);
  if (fillWhiteFirst) {
    RECT all{0, 0, toW, toH};
    FillRect(dst.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  if (from) BitBlt(dst.Get(), 0, 0, w, h, src.Get(), 0, 0, SRCCOPY);
  GdiFlush();
}

// AlphaBlend wants premultiplied colours; the picture keeps straight alpha,
// so a premultiplied copy is made for each drawing.
void DrawBlended(const TBitmap::Impl& picture, HDC dc, const TRect& r) {
  GdiFlush();
  TBitmap::Impl copy;
  copy.CreateDib(picture.Format);
  const std::size_t n = picture.ImageSize();
  for (std::size_t i = 0; i + 3 < n; i += 4) {
    const unsigned a = picture.Bits[i + 3];
    for (int c = 0; c < 3; ++c)
      copy.Bits[i + c] = static_cast<std::uint8_t>((picture.Bits[i + c] * a + 127) / 255);
    copy.Bits[i + 3] = static_cast<std::uint8_t>(a);
  }
  MemoryDC src;
  if (!src.Get()) throw EOutOfResources("Out of system resources");
  SelectedObject sel(src.Get(), copy.Dib.Get());
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, r.left, r.top, r.Width(), r.Height(), src.Get(), 0, 0, picture.Format.Width,
             picture.Format.Height, blend);
}

}  // namespace

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == Width() && h == Height()) return;
  FScales.reset();
  if (w == 0 || h == 0) {
    FImpl->DropDib();
    FImpl->Format.Width = w;
    FImpl->Format.Height = h;
    Changed();
    return;
  }
  DibFormat f = FImpl->Dib ? FImpl->Format : DefaultDibFormat(FImpl->PixelFormat, w, h);
  f.Width = w;
  f.Height = h;
  Impl next;
  next.CreateDib(f);
  if (FImpl->Canvas) FImpl->Canvas->Release();
  BlitDib(FImpl->Dib.Get(), next.Dib.Get(), std::min(w, Width()), std::min(h, Height()), true, w,
          h);
  FImpl->Adopt(next);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == FImpl->PixelFormat) return;
  FScales.reset();
  FImpl->PixelFormat = pf;
  if (pf != pf32bit && pf != pfDevice) FAlphaFormat = afIgnored;
  if (FImpl->Dib) {
    DibFormat f = DefaultDibFormat(pf, Width(), Height());
    Impl next;
    next.CreateDib(f);
    if (FImpl->Canvas) FImpl->Canvas->Release();
    BlitDib(FImpl->Dib.Get(), next.Dib.Get(), Width(), Height(), false, Width(), Height());
    FImpl->Adopt(next);
  }
  Changed();
}

HBITMAP TBitmap::Handle() const {
  // Whoever takes the handle may select it into another DC, which fails while
  // the canvas's DC holds it; the canvas selects it again when it draws.
  if (FImpl->Canvas) FImpl->Canvas->Release();
  return FImpl->Dib.Get();
}

TCanvas* TBitmap::Canvas() {
  // Whoever draws on the picture makes it one of its own, which the sets
  // drawn for other scales no longer show.
  FScales.reset();
  if (!FImpl->Canvas) FImpl->Canvas = std::make_unique<TBitmapCanvas>(FImpl.get());
  return FImpl->Canvas.get();
}

void* TBitmap::ScanLine(int row) {
  if (!FImpl->Bits || row < 0 || row >= Height())
    throw EInvalidGraphic("Scan line index out of range");
  FScales.reset();
  GdiFlush();  // GDI may still be drawing into the bits
  return FImpl->Row(row);
}

void TBitmap::TakePicture(const DibFormat& format, const std::uint8_t* bits, TAlphaFormat alpha,
                          std::shared_ptr<TPictureScales> scales) {
  FImpl->Replace(format, bits);
  FScales = std::move(scales);
  FImpl->PixelFormat = PixelFormatOf(format);
  FAlphaFormat = alpha;
  Changed();
}

void TBitmap::Assign(const TBitmap* source) {
  if (source == this) return;
  if (source && !source->Empty()) {
    GdiFlush();
    // A new DIB first: if the system refuses it, this bitmap stays as it was.
    FImpl->Replace(source->FImpl->Format, source->FImpl->Bits);
  } else {
    FImpl->DropDib();
    if (source) {
      FImpl->Format.Width = source->Width();
      FImpl->Format.Height = source->Height();
    }
  }
  FImpl->PixelFormat = source ? source->FImpl->PixelFormat : pfDevice;
  FTransparent = source ? source->FTransparent : false;
  FTransparentMode = source ? source->FTransparentMode : tmAuto;
  FTransparentColor = source ? source->FTransparentColor : clDefault;
  FAlphaFormat = source ? source->FAlphaFormat : afIgnored;
  FScales = source ? source->FScales : nullptr;
  Changed();
}

void TBitmap::Clear() {
  FImpl->DropDib();
  FScales.reset();
  Changed();
}

// ---- transparency -----------------------------------------------------------------
void TBitmap::SetAlphaFormat(TAlphaFormat value) {
  if (value == FAlphaFormat) return;
  FAlphaFormat = value;
  Changed();
}

void TBitmap::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == FTransparentMode) return;
  FTransparentMode = value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  GdiFlush();
  return FImpl->PixelAt(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
  FTransparentColor = value;
  FTransparentMode = value == clDefault ? tmAuto : tmFixed;
  Changed();
}

// ---- palette ----------------------------------------------------------------------
HPALETTE TBitmap::Palette() const {
  const auto& table = FImpl->Format.ColorTable;
  if (table.empty()) return nullptr;
  if (!FImpl->Palette) {
    std::vector<std::uint8_t> mem(sizeof(LOGPALETTE) + table.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(table.size());
    for (size_t i = 0; i < table.size(); ++i)
      lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    FImpl->Palette.Reset(CreatePalette(lp));
  }
  return FImpl->Palette.Get();
}

std::vector<TColor> TBitmap::ColorTable() const {
  std::vector<TColor> out;
  for (const auto& q : FImpl->Format.ColorTable) out.push_back(QuadColor(q));
  return out;
}

// ---- drawing ----------------------------------------------------------------------
HBITMAP TBitmap::CreateMask(TColor transparent) const {
  if (Empty()) return nullptr;
  GdiFlush();
  const int w = Width(), h = Height();
  COLORREF key = ColorToRGB(transparent);
  // Monochrome device bitmaps take rows padded to 16 bits; a set bit is white.
  const int stride = ((w + 15) / 16) * 2;
  std::vector<std::uint8_t> bits(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = bits.data() + static_cast<size_t>(y) * stride;
    for (int x = 0; x < w; ++x)
      if (static_cast<COLORREF>(FImpl->PixelAt(x, y)) == key) row[x / 8] |= 0x80 >> (x % 8);
  }
  return CreateBitmap(w, h, 1, 1, bits.data());
}

void TBitmap::DrawTo(HDC dc, const TRect& r, bool transparent) const {
  if (Empty() || !dc) return;
  if (FAlphaFormat == afDefined && FImpl->Format.BitCount == 32) {
    DrawBlended(*FImpl, dc, r);
    return;
  }
  // Use the canvas's DC when it holds the DIB, else a DC of our own.
  MemoryDC own;
  HDC src = nullptr;
  std::unique_ptr<SelectedObject> sel;
  if (FImpl->Canvas && FImpl->Canvas->HandleAllocated()) {
    src = FImpl->Canvas->Handle();
  } else {
    src = own.Get();
    if (!src) throw EOutOfResources("Out of system resources");
    sel = std::make_unique<SelectedObject>(src, FImpl->Dib.Get());
  }
  GdiFlush();
  const int w = Width(), h = Height();
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  if (!transparent) {
    StretchBlt(dc, r.left, r.top, r.Width(), r.Height(), src, 0, 0, w, h, SRCCOPY);
  } else {
    // dest ^= src; dest &= mask (transparent pixels keep dest ^ src, the
    // others become 0); dest ^= src gives back the old dest under the
    // transparent pixels and the picture elsewhere.
    GdiBitmap mask(CreateMask(TransparentColor()));
    if (!mask) throw EOutOfResources("Out of system resources");
    MemoryDC maskDC;
    if (!maskDC.Get()) throw EOutOfResources("Out of system resources");
    SelectedObject selMask(maskDC.Get(), mask.Get());
    // A monochrome source maps 1 to the background colour, 0 to the text colour.
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    StretchBlt(dc, r.left, r.top, r.Width(), r.Height(), src, 0, 0, w, h, SRCINVERT);
    StretchBlt(dc, r.left, r.top, r.Width(), r.Height(), maskDC.Get(), 0, 0, w, h, SRCAND);
    StretchBlt(dc, r.left, r.top, r.Width(), r.Height(), src, 0, 0, w, h, SRCINVERT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
  }
  if (oldMode) SetStretchBltMode(dc, oldMode);
}
