// TBitmap at the display's scale: the sets a picture is drawn in, found
// beside the 100 % picture, chosen and fitted by the rules of PictureScale.
#include <algorithm>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/BitmapImpl.h"
#include "framework/PictureScale.h"

// ---- pixels -------------------------------------------------------------------------
PixelPicture TBitmap::Pixels() const {
  PixelPicture p{Width(), Height(), {}};
  if (Empty()) return p;
  GdiFlush();
  p.Pixels.reserve(static_cast<std::size_t>(p.Width) * p.Height);
  const bool alpha = FAlphaFormat == afDefined && FImpl->Format.BitCount == 32;
  for (int y = 0; y < p.Height; ++y) {
    const std::uint8_t* row = FImpl->Row(y);
    for (int x = 0; x < p.Width; ++x) {
      if (alpha) {
        const std::uint8_t* q = row + 4 * x;
        p.Pixels.push_back(std::uint32_t(q[3]) << 24 | q[2] << 16 | q[1] << 8 | q[0]);
      } else {
        const TColor c = FImpl->PixelAt(x, y);  // 0x00BBGGRR
        p.Pixels.push_back(0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
      }
    }
  }
  return p;
}

void TBitmap::SetPixels(const PixelPicture& pixels, bool withAlpha) {
  DibFormat f = DefaultDibFormat(withAlpha ? pf32bit : pf24bit, pixels.Width, pixels.Height);
  Impl next;
  next.CreateDib(f);
  for (int y = 0; y < pixels.Height; ++y) {
    std::uint8_t* row = next.Row(y);
    for (int x = 0; x < pixels.Width; ++x) {
      const std::uint32_t p = pixels.Pixels[static_cast<std::size_t>(y) * pixels.Width + x];
      std::uint8_t* q = row + (withAlpha ? 4 : 3) * x;
      q[0] = static_cast<std::uint8_t>(p);
      q[1] = static_cast<std::uint8_t>(p >> 8);
      q[2] = static_cast<std::uint8_t>(p >> 16);
      if (withAlpha) q[3] = static_cast<std::uint8_t>(p >> 24);
    }
  }
  TakePicture(f, next.Bits, withAlpha ? afDefined : afIgnored);
}

// ---- the sets -----------------------------------------------------------------------
TPictureScales::TPictureScales(Reader reader, bool anyDpi)
    : FReader(std::move(reader)), FAnyDpi(anyDpi) {}

std::shared_ptr<TPictureScales> TPictureScales::Make(Reader reader, bool anyDpi) {
  return std::make_shared<TPictureScales>(std::move(reader), anyDpi);
}

std::shared_ptr<TPictureScales> TPictureScales::Shared(const std::string& key, Reader reader) {
  // Kept to the end of the process, like the resources themselves.
  static auto* shared = new std::map<std::string, std::shared_ptr<TPictureScales>>;
  std::shared_ptr<TPictureScales>& scales = (*shared)[key];
  if (!scales) scales = Make(std::move(reader));
  return scales;
}

const TBitmap* TPictureScales::Drawn(int setDpi) {
  auto it = FDrawn.find(setDpi);
  if (it == FDrawn.end()) {
    auto set = std::make_unique<TBitmap>();
    bool read = false;
    try {
      read = FReader(*set, setDpi) && !set->Empty();
    } catch (const std::exception&) {
      // A damaged or unreadable set is made from another one.
    }
    if (read) set->FScales.reset();
    else set.reset();
    it = FDrawn.emplace(setDpi, std::move(set)).first;
  }
  return it->second.get();
}

std::vector<int> TPictureScales::Available() {
  std::vector<int> sets = {96};
  for (int set : kPictureSetDpis)
    if (set != 96 && Drawn(set)) sets.push_back(set);
  return sets;
}

void TPictureScales::TakeSettings(TBitmap& made, const TBitmap& owner, bool keyed) {
  made.FTransparent = owner.FTransparent;
  if (keyed) {
    // The colour the owner cuts, wherever it lies in the picture made.
    made.FTransparentMode = tmFixed;
    made.FTransparentColor = owner.TransparentColor();
  } else {
    made.FTransparentMode = owner.FTransparentMode;
    made.FTransparentColor = owner.FTransparentColor;
  }
}

const TBitmap& TPictureScales::Picture(const TBitmap& owner, int dpi, bool keyed) {
  const TColor key = keyed ? ColorToRGB(owner.TransparentColor()) : 0;
  std::unique_ptr<TBitmap>& made = FMade[{dpi, keyed ? static_cast<long long>(key) : -1}];
  if (!made) {
    made = std::make_unique<TBitmap>();
    const int w = ScaledSide(owner.Width(), dpi), h = ScaledSide(owner.Height(), dpi);
    const int setDpi = FAnyDpi ? dpi : PictureSetFor(dpi, Available());
    const TBitmap* from = setDpi == 96 ? nullptr : Drawn(setDpi);
    if (!from) from = &owner;
    if (from->Width() == w && from->Height() == h) {
      made->Assign(from);
    } else if (w > 0 && h > 0) {
      const bool alpha = from->AlphaFormat() == afDefined && from->FImpl->Format.BitCount == 32;
      const PixelPicture source = from->Pixels();
      const std::uint32_t rgb = GetRValue(key) << 16 | GetGValue(key) << 8 | GetBValue(key);
      made->SetPixels(keyed && !alpha ? ResampleKeyed(source, rgb, w, h) : ResamplePixels(source, w, h),
                      alpha);
    }
    made->FScales.reset();
  }
  TakeSettings(*made, owner, keyed);
  return *made;
}

const TBitmap& TPictureScales::Texture(const TBitmap& owner, int dpi) {
  const int setDpi = FAnyDpi ? 96 : TextureSetFor(dpi, Available());
  if (setDpi == 96) return owner;
  TBitmap& drawn = *FDrawn[setDpi];
  TakeSettings(drawn, owner, false);
  return drawn;
}

// ---- TBitmap ------------------------------------------------------------------------
const TBitmap& TBitmap::AtDpi(int dpi, bool keyed) const {
  if (dpi == 96 || !FScales || Empty()) return *this;
  return FScales->Picture(*this, dpi, keyed);
}

const TBitmap& TBitmap::TextureAtDpi(int dpi) const {
  if (dpi == 96 || !FScales || Empty()) return *this;
  return FScales->Texture(*this, dpi);
}
