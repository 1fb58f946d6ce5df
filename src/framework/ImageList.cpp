#include "framework/ImageList.h"

#include <algorithm>
#include <cstring>
#include <string>

// One image: the picture with its transparent pixels black, so that it can
// be ORed onto a canvas the mask has cleared; the mask (a set bit is
// transparent); the dark pixels for the disabled look (a set bit is ink).
// Both masks are monochrome device bitmaps: BitBlt maps their 1 bits to the
// destination's background colour and 0 bits to its text colour.
struct TImageList::Entry {
  TBitmap Image;
  GdiBitmap Mask;
  GdiBitmap Ink;
};

namespace {

// Raster operation "DSPDxax", D ^ (S & (P ^ D)): where the source is white,
// the brush; where it is black, the destination unchanged.
constexpr DWORD kBrushWhereSourceSet = 0x00E20746;

// Pixels darker than mid grey are the ink of a disabled image.
constexpr int kInkLuminance = 128;

// Monochrome device bitmaps take rows padded to 16 bits.
class MonoBits {
 public:
  MonoBits(int w, int h) : FStride(((w + 15) / 16) * 2), FBits(static_cast<size_t>(FStride) * h, 0) {}
  void Set(int x, int y) { FBits[static_cast<size_t>(y) * FStride + x / 8] |= 0x80 >> (x % 8); }
  HBITMAP Create(int w, int h) const { return CreateBitmap(w, h, 1, 1, FBits.data()); }

 private:
  int FStride;
  std::vector<std::uint8_t> FBits;
};

// A 24-bit copy, so that pixels can be read the same way whatever the
// picture's format.
std::unique_ptr<TBitmap> As24Bit(const TBitmap* source) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(source);
  copy->SetPixelFormat(pf24bit);
  return copy;
}

const std::uint8_t* Bgr(TBitmap& b, int x, int y) {
  return static_cast<const std::uint8_t*>(b.ScanLine(y)) + 3 * x;
}

}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, int width, int height) : TComponent(AOwner) {
  SetSize(width, height);
}

TImageList::~TImageList() = default;

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  FImages.clear();
  Changed();
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  int first = -1;
  AddImages(image, mask, nullptr, first);
  return first;
}

int TImageList::AddMasked(TBitmap* image, TColor transparent) {
  int first = -1;
  AddImages(image, nullptr, &transparent, first);
  return first;
}

void TImageList::AddImages(TBitmap* image, TBitmap* mask, const TColor* transparent, int& first) {
  if (!image || image->Empty()) return;
  std::unique_ptr<TBitmap> pixels = As24Bit(image);
  std::unique_ptr<TBitmap> maskPixels = mask && !mask->Empty() ? As24Bit(mask) : nullptr;
  const COLORREF key = transparent ? ColorToRGB(*transparent) : 0;
  const int count = std::max(1, pixels->Width() / FWidth);
  std::vector<std::unique_ptr<Entry>> added;
  for (int i = 0; i < count; ++i) {
    auto e = std::make_unique<Entry>();
    e->Image.SetPixelFormat(pf24bit);
    e->Image.SetSize(FWidth, FHeight);
    MonoBits maskBits(FWidth, FHeight), inkBits(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) {
      auto* row = static_cast<std::uint8_t*>(e->Image.ScanLine(y));
      for (int x = 0; x < FWidth; ++x) {
        const int sx = i * FWidth + x;
        bool clear = sx >= pixels->Width() || y >= pixels->Height();
        const std::uint8_t* p = clear ? nullptr : Bgr(*pixels, sx, y);
        if (p && transparent) clear = RGB(p[2], p[1], p[0]) == key;
        if (p && maskPixels && sx < maskPixels->Width() && y < maskPixels->Height()) {
          const std::uint8_t* m = Bgr(*maskPixels, sx, y);
          clear = m[0] == 255 && m[1] == 255 && m[2] == 255;
        }
        if (clear) {
          std::memset(row + 3 * x, 0, 3);
          maskBits.Set(x, y);
          continue;
        }
        std::memcpy(row + 3 * x, p, 3);
        if ((p[2] * 299 + p[1] * 587 + p[0] * 114) / 1000 < kInkLuminance) inkBits.Set(x, y);
      }
    }
    e->Mask.Reset(maskBits.Create(FWidth, FHeight));
    e->Ink.Reset(inkBits.Create(FWidth, FHeight));
    if (!e->Mask || !e->Ink) throw EOutOfResources("Out of system resources");
    added.push_back(std::move(e));
  }
  first = Count();
  for (auto& e : added) FImages.push_back(std::move(e));
  Changed();
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  FImages.erase(FImages.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

const TImageList::Entry& TImageList::At(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return *FImages[static_cast<size_t>(index)];
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
  if (!canvas || index < 0 || index >= Count()) return;  // nothing to draw, as the system does
  const Entry& e = At(index);
  HDC dc = canvas->Handle();
  MemoryDC src;
  if (!dc || !src.Get()) return;
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  if (enabled) {
    {
      SelectedObject sel(src.Get(), e.Mask.Get());
      BitBlt(dc, x, y, FWidth, FHeight, src.Get(), 0, 0, SRCAND);
    }
    SelectedObject sel(src.Get(), e.Image.Handle());
    BitBlt(dc, x, y, FWidth, FHeight, src.Get(), 0, 0, SRCPAINT);
  } else {
    SelectedObject sel(src.Get(), e.Ink.Get());
    const TColor colors[2] = {clBtnHighlight, clBtnShadow};
    for (int pass = 0; pass < 2; ++pass) {
      GdiBrush brush(CreateSolidBrush(ColorToRGB(colors[pass])));
      SelectedObject selBrush(dc, brush.Get());
      const int offset = pass == 0 ? 1 : 0;
      BitBlt(dc, x + offset, y + offset, FWidth, FHeight, src.Get(), 0, 0, kBrushWhereSourceSet);
    }
  }
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

void TImageList::GetBitmap(int index, TBitmap* target) const {
  At(index);  // raises for a bad index before the target changes
  if (!target) return;
  target->SetSize(FWidth, FHeight);
  Draw(target->Canvas(), 0, 0, index);
}
