#include "drawing/PZBgnd.h"

#include <algorithm>
#include <random>

#include "framework/Forms.h"

namespace {

int ScreenColours() {
  WindowDC screen(nullptr);
  if (!screen.Get()) return 0;
  const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
  return static_cast<int>(1u << (static_cast<unsigned>(bits) % 32));
}

bool PaletteDisplay() { return DisplayColours == 256; }

// Pictures are repeated in their device bitmaps up to these sizes: a 1 x 1
// texture does not take a copy per pixel of the area, and a pattern fill
// copies long runs of each row.
constexpr int kMinTileWidth = 512, kMinTileHeight = 64;

int TileSize(int size, int least) { return size >= least ? size : size * ((least + size - 1) / size); }

[[noreturn]] void OutOfResources() {
  throw EOutOfResources("Out of resources (drawing a background image)");
}

// The DC device bitmaps are made for: the focused window's, or the screen's.
class DeviceDC {
 public:
  DeviceDC() : FWnd(GetFocus()), FDC(GetDC(FWnd)) {
    if (!FDC && FWnd) FDC = GetDC(FWnd = nullptr);
    if (!FDC) OutOfResources();
  }
  ~DeviceDC() { ReleaseDC(FWnd, FDC); }
  DeviceDC(const DeviceDC&) = delete;
  DeviceDC& operator=(const DeviceDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

// Selects a palette (as a foreground palette) and realises it; the old one
// comes back at scope end.
class RealizedPalette {
 public:
  RealizedPalette(HDC dc, HPALETTE palette)
      : FDC(dc), FOld(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
    if (palette) RealizePalette(dc);
  }
  ~RealizedPalette() {
    if (FOld) SelectPalette(FDC, FOld, FALSE);
  }
  RealizedPalette(const RealizedPalette&) = delete;
  RealizedPalette& operator=(const RealizedPalette&) = delete;

 private:
  HDC FDC;
  HPALETTE FOld;
};

// A bitmap of w x h with the source repeated over it from (0, 0).
GdiBitmap Repeated(HDC dc, HBITMAP source, int w, int h, int tw, int th, bool mono) {
  GdiBitmap out(mono ? CreateBitmap(tw, th, 1, 1, nullptr) : CreateCompatibleBitmap(dc, tw, th));
  if (!out) OutOfResources();
  MemoryDC from(dc), to(dc);
  if (!from.Get() || !to.Get()) OutOfResources();
  SelectedObject a(from.Get(), source), b(to.Get(), out.Get());
  for (int y = 0; y < th; y += h)
    for (int x = 0; x < tw; x += w) BitBlt(to.Get(), x, y, w, h, from.Get(), 0, 0, SRCCOPY);
  return out;
}

}  // namespace

int DisplayColours = ScreenColours();

// ---- TPZPalette ---------------------------------------------------------------------
void TPZPalette::AddColour(std::uint32_t rgb) {
  if (FColours.size() >= 256) return;
  FColours.push_back(rgb & 0xFFFFFF);
  FHandle.Reset();
}

void TPZPalette::Clear() {
  FColours.clear();
  FHandle.Reset();
}

int TPZPalette::IndexOf(std::uint32_t rgb) const {
  auto it = std::find(FColours.begin(), FColours.end(), rgb & 0xFFFFFF);
  return it == FColours.end() ? -1 : static_cast<int>(it - FColours.begin());
}

HPALETTE TPZPalette::Handle() {
  ++FRequests;
  if (!FHandle && !FColours.empty()) {
    struct {
      WORD Version, Count;
      PALETTEENTRY Entries[256];
    } block{0x300, static_cast<WORD>(FColours.size()), {}};
    for (std::size_t i = 0; i < FColours.size(); ++i)
      block.Entries[i] = PALETTEENTRY{static_cast<BYTE>(FColours[i] >> 16),
                                      static_cast<BYTE>(FColours[i] >> 8),
                                      static_cast<BYTE>(FColours[i]), 0};
    FHandle.Reset(CreatePalette(reinterpret_cast<LOGPALETTE*>(&block)));
  }
  return FHandle.Get();
}

// ---- TPZBackgroundBitmap -------------------------------------------------------------
TPZBackgroundBitmap::TPZBackgroundBitmap(const TBitmap* picture, std::vector<std::uint8_t> stream)
    : FStream(std::move(stream)) {
  BgndPicture info;
  try {
    info = ReadBgndPicture(FStream.data(), FStream.size());
  } catch (const BgndPictureError& e) {
    throw EInvalidGraphic(e.what());
  }
  for (std::uint32_t c : info.Colours) FPalette.AddColour(c);
  FBitCount = info.BitCount;
  FPicture.Assign(picture);
  FTileWidth = TileSize(FPicture.Width(), kMinTileWidth);
  FTileHeight = TileSize(FPicture.Height(), kMinTileHeight);
}

TPZBitmapItem* TPZBackgroundBitmap::Item(int key) {
  for (TPZBitmapItem& i : FItems)
    if (i.Key == key) return &i;
  return nullptr;
}

void TPZBackgroundBitmap::DeleteBitmaps() {
  FImage.Reset();
  FMask.Reset();
  for (TPZBitmapItem& i : FItems) {
    i.Brush.Reset();
    i.Bitmap.Reset();
  }
}

GdiBitmap TPZBackgroundBitmap::MakeVariant(int key, const TPZPalette& palette, HPALETTE handle) {
  BgndPicture info;
  try {
    info = ReadBgndPicture(FStream.data(), FStream.size());
  } catch (const BgndPictureError& e) {
    throw EInvalidGraphic(e.what());
  }
  std::vector<std::uint8_t> bits(FStream.begin() + static_cast<std::ptrdiff_t>(info.BitsOffset),
                                 FStream.begin() + static_cast<std::ptrdiff_t>(info.BitsOffset + info.BitsSize));
  if (FBitCount == 8) RecolourIndices(bits.data(), bits.size(), FPalette.Colours(), palette.Colours(), key);
  else if (FBitCount == 24 && key != 100) ScaleBytes(bits.data(), bits.size(), key);

  // The header as the picture has it, the palette used as its colour table.
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
  } bi{};
  std::copy_n(FStream.data() + info.InfoOffset, sizeof bi.Header, reinterpret_cast<std::uint8_t*>(&bi.Header));
  const int count = FBitCount <= 8 ? palette.Count() : 0;
  bi.Header.biClrUsed = static_cast<DWORD>(count);
  bi.Header.biClrImportant = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = palette.Colour(i);
    bi.Colours[i] = RGBQUAD{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
  }

  DeviceDC dc;
  RealizedPalette realized(dc.Get(), PaletteDisplay() ? handle : nullptr);
  GdiBitmap bmp(CreateDIBitmap(dc.Get(), &bi.Header, CBM_INIT, bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS));
  if (!bmp) OutOfResources();
  if (FTileWidth == Width() && FTileHeight == Height()) return bmp;
  return Repeated(dc.Get(), bmp.Get(), Width(), Height(), FTileWidth, FTileHeight, false);
}

void TPZBackgroundBitmap::Build(TPZPalette& merged) {
  const bool useMerged = PaletteDisplay() && FBitCount == 8;
  TPZPalette& palette = useMerged ? merged : FPalette;
  HPALETTE handle = palette.Handle();

  // The 100 % image with the transparent colour's pixels made black, and
  // the mask that marks them.
  FImage = MakeVariant(100, palette, handle);
  TBitmap plain;
  plain.Assign(&FPicture);
  plain.SetTransparentMode(tmAuto);
  GdiBitmap mask(plain.CreateMask(plain.TransparentColor()));
  if (!mask) OutOfResources();
  DeviceDC dc;
  FMask = FTileWidth == Width() && FTileHeight == Height()
              ? std::move(mask)
              : Repeated(dc.Get(), mask.Get(), Width(), Height(), FTileWidth, FTileHeight, true);
  {
    MemoryDC image(dc.Get()), bits(dc.Get());
    if (!image.Get() || !bits.Get()) OutOfResources();
    SelectedObject a(image.Get(), FImage.Get()), b(bits.Get(), FMask.Get());
    // Mask bits 1 arrive as the background colour (white): image AND NOT
    // mask leaves black there.
    SetTextColor(image.Get(), RGB(0, 0, 0));
    SetBkColor(image.Get(), RGB(255, 255, 255));
    BitBlt(image.Get(), 0, 0, FTileWidth, FTileHeight, bits.Get(), 0, 0, 0x00220326);
  }
  // Brightness variants exist only where the pixels can be recoloured.
  for (TPZBitmapItem& item : FItems) {
    if (item.Key != 100 && FBitCount != 8 && FBitCount != 24) continue;
    item.Bitmap = MakeVariant(item.Key, palette, handle);
    item.Brush.Reset(CreatePatternBrush(item.Bitmap.Get()));
    if (!item.Brush) OutOfResources();
  }
}

// ---- TPZBackgroundBitmaps ------------------------------------------------------------
TPZBackgroundBitmaps& PZBackgroundBitmaps() {
  static TPZBackgroundBitmaps store;
  return store;
}

TPZBackgroundBitmap* TPZBackgroundBitmaps::AcquirePicture(const TBitmap* bitmap,
                                                          const std::vector<int>& keys) {
  if (!bitmap || bitmap->Empty()) return nullptr;
  std::vector<std::uint8_t> stream = bitmap->SaveToStream();
  TPZBackgroundBitmap* picture = nullptr;
  for (auto& p : FList)
    if (p->Stream() == stream) picture = p.get();
  if (!picture) {
    FList.push_back(std::make_unique<TPZBackgroundBitmap>(bitmap, std::move(stream)));
    picture = FList.back().get();
  }
  ++picture->Users;
  for (int key : keys) {
    if (key == 0) continue;
    if (TPZBitmapItem* item = picture->Item(key)) {
      ++item->RefCount;
    } else {
      picture->FItems.push_back(TPZBitmapItem{key, GdiBitmap(), GdiBrush(), 1});
      NeedsRebuild = true;
    }
  }
  return picture;
}

void TPZBackgroundBitmaps::ReleasePicture(TPZBackgroundBitmap* picture, const std::vector<int>& keys) {
  if (!picture) return;
  for (int key : keys) {
    if (key == 0) continue;
    auto& items = picture->FItems;
    auto it = std::find_if(items.begin(), items.end(), [key](const TPZBitmapItem& i) { return i.Key == key; });
    if (it == items.end()) continue;
    if (--it->RefCount <= 0) {
      items.erase(it);
      NeedsRebuild = true;
    }
  }
  if (--picture->Users > 0) return;
  auto it = std::find_if(FList.begin(), FList.end(), [picture](const auto& p) { return p.get() == picture; });
  if (it != FList.end()) FList.erase(it);
}

TPZPalette& TPZBackgroundBitmaps::PaletteFor(TPZBackgroundBitmap& picture) {
  return PaletteDisplay() && picture.BitCount() == 8 ? FMerged : picture.Palette();
}

void TPZBackgroundBitmaps::RebuildAll() {
  for (auto& p : FList) p->DeleteBitmaps();
  FMerged.Clear();
  if (PaletteDisplay()) {
    std::vector<const std::vector<std::uint32_t>*> own;
    for (auto& p : FList)
      if (p->BitCount() == 8) own.push_back(&p->Palette().Colours());
    // 20 of the display's 256 colours belong to the system.
    for (std::uint32_t c : MergePalettes(own, 236)) FMerged.AddColour(c);
  }
  // Cleared first: a failure below leaves the bitmaps missing (plain colour)
  // instead of being retried at every paint.
  NeedsRebuild = false;
  for (auto& p : FList) p->Build(FMerged);
}

// ---- TPZBackgrounds -------------------------------------------------------------------
TPZBackgrounds& PZBackgrounds() {
  static TPZBackgrounds list;
  return list;
}

int TPZBackgrounds::Add(TPZBackground* background) {
  constexpr int kIds = 32766;
  if (FList.size() >= static_cast<std::size_t>(kIds))
    throw EOutOfResources("Too many backgrounds");
  static std::minstd_rand random(GetTickCount());
  auto used = [this](int id) {
    return std::any_of(FList.begin(), FList.end(), [id](TPZBackground* b) { return b->BackgroundId() == id; });
  };
  // A random number, or the next free one after it.
  int id = static_cast<int>(random() % kIds) + 1;
  while (used(id)) id = id % kIds + 1;
  FList.push_back(background);
  NeedsRehook = true;
  return id;
}

void TPZBackgrounds::Remove(TPZBackground* background) {
  FList.erase(std::remove(FList.begin(), FList.end(), background), FList.end());
  NeedsRehook = true;
}

void TPZBackgrounds::Rehook() {
  NeedsRehook = false;
  FHooks.erase(std::remove_if(FHooks.begin(), FHooks.end(), [](const TPZHookItem& h) { return h.Destroyed; }),
               FHooks.end());
  // Palettes only matter on a palette display: elsewhere nothing is hooked.
  if (FList.empty() || !PaletteDisplay() || !Application) return;
  TForm* main = Application->MainForm();
  HWND wnd = main ? main->Handle() : nullptr;
  if (!wnd) return;
  for (const TPZHookItem& h : FHooks)
    if (h.Wnd == wnd) return;
  TPZHookItem item{main, wnd, nullptr, &HookProc, false};
  item.OldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
  if (item.OldProc) FHooks.push_back(item);
}

LRESULT CALLBACK TPZBackgrounds::HookProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  TPZBackgrounds& self = PZBackgrounds();
  auto it = std::find_if(self.FHooks.begin(), self.FHooks.end(), [wnd](const TPZHookItem& h) { return h.Wnd == wnd; });
  if (it == self.FHooks.end()) return DefWindowProcW(wnd, msg, w, l);
  const WNDPROC old = it->OldProc;
  if (msg == WM_DESTROY) it->Destroyed = true;
  if (msg == WM_QUERYNEWPALETTE || (msg == WM_PALETTECHANGED && reinterpret_cast<HWND>(w) != wnd)) {
    HPALETTE merged = PZBackgroundBitmaps().Merged().Count() ? PZBackgroundBitmaps().Merged().Handle() : nullptr;
    if (merged) {
      WindowDC dc(wnd);
      if (dc.Get()) {
        HPALETTE prev = SelectPalette(dc.Get(), merged, FALSE);
        RealizePalette(dc.Get());
        SelectPalette(dc.Get(), prev, FALSE);
      }
      for (TPZBackground* b : self.FList)
        if (auto* c = dynamic_cast<TWinControl*>(b->Control()); c && c->HandleAllocated())
          InvalidateRect(c->HandleIfAllocated(), nullptr, FALSE);
    }
  }
  return CallWindowProcW(old, wnd, msg, w, l);
}

// ---- TPZBackground --------------------------------------------------------------------
TPZBackground::TPZBackground(TControl* control, std::initializer_list<int> keys, TCanvas* canvas)
    : FControl(control), FCanvas(canvas), FKeys(keys) {
  if (FKeys.size() > 10) FKeys.resize(10);
  FBackgroundId = PZBackgrounds().Add(this);
  FBitmap.OnChange = [this](TObject*) { BitmapChanged(); };
}

TPZBackground::~TPZBackground() {
  FBitmap.OnChange = nullptr;
  PZBackgrounds().Remove(this);
  PZBackgroundBitmaps().ReleasePicture(FSharedPicture, FKeys);
}

void TPZBackground::SetBitmap(const TBitmap* value) { FBitmap.Assign(value); }

void TPZBackground::Share() {
  TPZBackgroundBitmap* old = std::exchange(FSharedPicture, nullptr);
  PZBackgroundBitmaps().ReleasePicture(old, FKeys);
  FSharedDpi = FControl->Dpi();
  FSharedPicture = PZBackgroundBitmaps().AcquirePicture(&FBitmap.TextureAtDpi(FSharedDpi), FKeys);
}

void TPZBackground::BitmapChanged() {
  try {
    Share();
  } catch (const EInvalidGraphic&) {
    // A refused picture leaves the background plain; the error goes on to
    // the code that assigned the picture.
    Changed();
    throw;
  }
  Changed();
}

void TPZBackground::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TPZBackground::SetStyle(TPZBackgroundStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TPZBackground::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TPZBackground::FormOffset() const {
  auto* form = dynamic_cast<TForm*>(FControl->Owner());
  if (!form || form == FControl) return TPoint(0, 0);
  const TPoint control = FControl->ClientToScreen(TPoint(0, 0));
  const TPoint origin = form->ClientToScreen(TPoint(0, 0));
  return TPoint(control.x - origin.x, control.y - origin.y);
}

TPoint TPZBackground::Phase(const TRect& area) const {
  const TPoint o = FInPaint ? FPaintOffset : FormOffset();
  return TPoint(area.left + o.x, area.top + o.y);
}

TPZBackground::PaintScope::PaintScope(TPZBackground& background) : FBackground(background) {
  FBackground.FPaintOffset = FBackground.FormOffset();
  FBackground.FInPaint = true;
}

TPZBackground::PaintScope::~PaintScope() {
  FBackground.ReleasePattern();
  FBackground.FInPaint = false;
}

void TPZBackground::ReleasePattern() {
  if (FDCBrush) SelectObject(FPaintDC, FDCBrush);
  FPaintDC = nullptr;
  FSelectedPattern = nullptr;
  FDCBrush = nullptr;
}

void TPZBackground::DrawBackground(const TRect& client, const TRect& area, TColor colour, int key) {
  if (area.left >= area.right || area.top >= area.bottom) return;
  TPZBackgrounds& list = PZBackgrounds();
  if (list.NeedsRehook) list.Rehook();
  // A control laid out for another scale since tiles the texture drawn for it.
  if (FSharedPicture && FSharedDpi != FControl->Dpi()) {
    try {
      Share();
    } catch (const EInvalidGraphic&) {
      // The texture drawn for this scale is refused: the background is plain.
    }
  }
  TPZBackgroundBitmaps& store = PZBackgroundBitmaps();
  if (store.NeedsRebuild) store.RebuildAll();

  HDC dc = FCanvas->Handle();
  TPZBackgroundBitmap* pic = FSharedPicture;
  RealizedPalette realized(dc, pic && PaletteDisplay() ? store.PaletteFor(*pic).Handle() : nullptr);

  HBITMAP image = nullptr;
  HBRUSH pattern = nullptr;
  if (pic && FTransparent) {
    if (key == 100) image = pic->Image();
  } else if (pic) {
    if (TPZBitmapItem* item = pic->Item(key)) {
      image = item->Bitmap.Get();
      pattern = item->Brush.Get();
    }
  }
  const bool mask = FTransparent && pic && pic->Mask();
  // Only the pattern fill below keeps its brush selected; anything else
  // draws with the DC as the canvas left it.
  if (!(FStyle == bsTiled && pattern) || FPaintDC != dc) ReleasePattern();
  if (FTransparent || FStyle == bsCentered || !image) {
    FCanvas->Brush()->SetColor(colour);
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->FillRect(area);
  }
  if (!image) return;

  if (FStyle == bsTiled && pattern) {
    // Opaque tiles: one fill with the pattern brush, its origin put where
    // the area's corner shows the pixel of the form's phase. The origin is
    // in device pixels, so the corner goes through the DC's mapping.
    const TPoint phase = Phase(area);
    POINT corner{area.left, area.top};
    LPtoDP(dc, &corner, 1);
    int ox = 0, oy = 0;
    BrushOrigin(corner.x, corner.y, phase.x, phase.y, pic->TileWidth(), pic->TileHeight(), ox, oy);
    POINT old{};
    SetBrushOrgEx(dc, ox, oy, &old);
    if (!FInPaint) {
      FillRect(dc, &area, pattern);
    } else {
      if (FSelectedPattern != pattern) {
        HGDIOBJ previous = SelectObject(dc, pattern);
        if (!FDCBrush) FDCBrush = previous;
        FPaintDC = dc;
        FSelectedPattern = pattern;
      }
      PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
    }
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
    return;
  }

  MemoryDC source(dc), masks(dc);
  if (!source.Get() || (mask && !masks.Get())) OutOfResources();
  SelectedObject imageIn(source.Get(), image);
  std::unique_ptr<SelectedObject> maskIn;
  if (mask) {
    maskIn = std::make_unique<SelectedObject>(masks.Get(), pic->Mask());
    // Mask bits 1 (transparent) arrive as white: AND leaves the canvas;
    // bits 0 as black, which the image's XOR then fills.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
  }
  auto copy = [&](const BgndPiece& p) {
    if (mask) {
      BitBlt(dc, p.X, p.Y, p.Width, p.Height, masks.Get(), p.SrcX, p.SrcY, SRCAND);
      BitBlt(dc, p.X, p.Y, p.Width, p.Height, source.Get(), p.SrcX, p.SrcY, SRCINVERT);
    } else {
      BitBlt(dc, p.X, p.Y, p.Width, p.Height, source.Get(), p.SrcX, p.SrcY, SRCCOPY);
    }
  };
  const BgndRect a{area.left, area.top, area.right, area.bottom};
  if (FStyle == bsTiled) {
    const TPoint phase = Phase(area);
    TilePieces(a, phase.x, phase.y, pic->TileWidth(), pic->TileHeight(), copy);
  } else {
    BgndPiece piece;
    if (CentrePiece(BgndRect{client.left, client.top, client.right, client.bottom}, a, pic->Width(),
                    pic->Height(), piece))
      copy(piece);
  }
}
