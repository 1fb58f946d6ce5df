#include "drawing/PZSpButt.h"

#include <cstdint>
#include <cstring>

#include "framework/Menus.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"

namespace {

int g_Instances = 0;
std::unique_ptr<TBitmap> g_DownPattern;

// Transparent colour of the generated disabled image.
constexpr TColor kDisabledBackground = 0x008080;

TPZButtonLook LookFor(TPZButtonState s) {
  switch (s) {
    case stHot: return lkRaised;
    case stPressed:
    case stPressedDown:
    case stMenu: return lkSunken;
    case stDown: return lkLatched;
    default: return lkFlat;
  }
}

// A monochrome glyph becomes black ink on white; other glyphs are copied.
std::unique_ptr<TBitmap> ColourCopy(const TBitmap& shown) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(&shown);
  if (shown.PixelFormat() != pf1bit) return copy;
  std::unique_ptr<TBitmap> glyph = std::move(copy);
  copy = std::make_unique<TBitmap>();
  const int w = glyph->Width(), h = glyph->Height();
  copy->SetPixelFormat(pf24bit);
  copy->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    const auto* src = static_cast<const std::uint8_t*>(glyph->ScanLine(y));
    auto* dst = static_cast<std::uint8_t*>(copy->ScanLine(y));
    for (int x = 0; x < w; ++x) {
      // A set bit is the background.
      std::uint8_t v = ((src[x / 8] >> (7 - x % 8)) & 1) ? 0xFF : 0x00;
      std::memset(dst + 3 * x, v, 3);
    }
  }
  return copy;
}

std::unique_ptr<TBitmap> Slice(TBitmap* source, int index, int w, int h) {
  auto slice = std::make_unique<TBitmap>();
  slice->SetPixelFormat(pf24bit);
  slice->SetSize(w, h);
  slice->Canvas()->CopyRect(TRect(0, 0, w, h), source->Canvas(),
                            TRect(index * w, 0, (index + 1) * w, h));
  return slice;
}

void PutPixel(TBitmap* b, int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x >= b->Width() || y >= b->Height()) return;
  auto* p = static_cast<std::uint8_t*>(b->ScanLine(y)) + 3 * x;
  p[0] = GetBValue(c);
  p[1] = GetGValue(c);
  p[2] = GetRValue(c);
}

// The embossed look of a slice: its black pixels white one pixel right and
// down, then in the shadow colour at their own place; everything else the
// transparent background.
std::unique_ptr<TBitmap> DisabledImage(TBitmap* slice) {
  const int w = slice->Width(), h = slice->Height();
  auto dis = std::make_unique<TBitmap>();
  dis->SetPixelFormat(pf24bit);
  dis->SetSize(w, h);
  dis->Canvas()->Brush()->SetColor(kDisabledBackground);
  dis->Canvas()->FillRect(TRect(0, 0, w, h));
  auto isBlack = [&](int x, int y) {
    const auto* p = static_cast<const std::uint8_t*>(slice->ScanLine(y)) + 3 * x;
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (isBlack(x, y)) PutPixel(dis.get(), x + 1, y + 1, RGB(255, 255, 255));
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (isBlack(x, y)) PutPixel(dis.get(), x, y, shadow);
  return dis;
}

}  // namespace

TPZSpeedButton::TPZSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 25, 25);
  // The button tracks pressing and clicking itself: no implicit capture, no
  // framework clicks, so a press dragged off the button never clicks.
  SetControlStyle(csDoubleClicks);
  FGlyph->OnChange = [this](TObject*) {
    if (!FSettingGlyph) RebuildImages();
  };
  ++g_Instances;
}

TPZSpeedButton::~TPZSpeedButton() {
  FGlyph->OnChange = nullptr;
  if (--g_Instances == 0) g_DownPattern.reset();
}

TBitmap* TPZSpeedButton::DownPatternIfMade() { return g_DownPattern.get(); }

TBitmap* TPZSpeedButton::DownPattern() {
  if (!g_DownPattern) {
    auto p = std::make_unique<TBitmap>();
    p->SetPixelFormat(pf24bit);
    p->SetSize(8, 8);
    TCanvas* c = p->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if ((x + y) % 2 == 0) c->SetPixel(x, y, clBtnHighlight);
    g_DownPattern = std::move(p);
  }
  return g_DownPattern.get();
}

HPALETTE TPZSpeedButton::GetPalette() const { return FGlyph->Palette(); }

// ---- glyph and images ------------------------------------------------------------
void TPZSpeedButton::SetGlyph(const TBitmap* value) {
  FSettingGlyph = true;
  try {
    FGlyph->Assign(value);
  } catch (...) {
    FSettingGlyph = false;
    throw;
  }
  FSettingGlyph = false;
  if (!FGlyph->Empty() && FGlyph->Width() % FGlyph->Height() == 0) {
    int n = FGlyph->Width() / FGlyph->Height();
    FNumGlyphs = n > 3 ? 1 : n;
  }
  RebuildImages();
}

void TPZSpeedButton::SetNumGlyphs(TPZNumGlyphs value) {
  if (value < 1 || value > 3 || value == FNumGlyphs) return;
  FNumGlyphs = value;
  RebuildImages();
}

void TPZSpeedButton::RebuildImages() {
  FImages.reset();
  FImagesStale = true;
  if (!IsLoading()) Invalidate();
}

void TPZSpeedButton::Loaded() {
  FImagesStale = true;
  TGraphicControl::Loaded();
}

TPZImageList* TPZSpeedButton::Images() const {
  // A button laid out for another scale since takes the glyph drawn for it.
  if (FImagesStale || FImagesDpi != Dpi()) BuildImages();
  return FImages.get();
}

void TPZSpeedButton::BuildImages() const {
  FImagesStale = false;
  FImagesDpi = Dpi();
  FImages.reset();
  const TBitmap& shown = FGlyph->AtDpi(FImagesDpi, true);
  const int w = shown.Empty() ? 0 : shown.Width() / FNumGlyphs;
  const int h = shown.Height();
  if (w > 0 && h > 0) {
    std::unique_ptr<TBitmap> source = ColourCopy(shown);
    const TColor transparent = source->TransparentColor();
    auto images = std::make_unique<TPZImageList>(w, h);
    for (int i = 0; i < FNumGlyphs; ++i)
      images->AddMasked(Slice(source.get(), i, w, h).get(), transparent);
    std::unique_ptr<TBitmap> first = Slice(source.get(), 0, w, h);
    if (FNumGlyphs < 2) images->AddMasked(first.get(), transparent);  // idle = active
    if (FNumGlyphs < 3) images->AddMasked(DisabledImage(first.get()).get(), kDisabledBackground);
    FImages = std::move(images);
  }
}

// ---- state -----------------------------------------------------------------------
void TPZSpeedButton::SetButtonState(TPZButtonState value) {
  if (value == FButtonState) return;
  FButtonState = value;
  FDown = value == stDown;
  if (value == stDown) UpdateGroup();
  TPZButtonLook look = LookFor(value);
  if (look != FLook) {
    FLook = look;
    Invalidate();
  }
}

void TPZSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  SetButtonState(value ? stDown : stUp);
}

void TPZSpeedButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  UpdateGroup();
}

void TPZSpeedButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  UpdateGroup();
}

void TPZSpeedButton::UpdateGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  TWinControl* p = Parent();
  for (int i = 0; i < p->ControlCount(); ++i) {
    auto* other = dynamic_cast<TPZSpeedButton*>(p->Controls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
    if (FButtonState == stDown && other->FButtonState == stDown) other->SetButtonState(stUp);
    other->FAllowAllUp = FAllowAllUp;
  }
}

void TPZSpeedButton::SetSpacing(int value) {
  if (value == FSpacing) return;
  FSpacing = value;
  Invalidate();
}

void TPZSpeedButton::SetMargin(int value) {
  if (value == FMargin || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TPZSpeedButton::SetLayout(TPZButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

bool TPZSpeedButton::PointerInside() const {
  POINT s;
  if (!GetCursorPos(&s)) return false;
  TPoint p = ScreenToClient(TPoint(s.x, s.y));
  return p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
}

// ---- input -----------------------------------------------------------------------
void TPZSpeedButton::MouseEnter() {
  if (Enabled() && FButtonState == stUp) SetButtonState(stHot);
  TGraphicControl::MouseEnter();
}

void TPZSpeedButton::MouseLeave() {
  if (Enabled()) {
    switch (FButtonState) {
      case stHot:
      case stPressed:
      case stMenu: SetButtonState(stUp); break;
      case stPressedDown: SetButtonState(stDown); break;
      default: break;
    }
  }
  TGraphicControl::MouseLeave();
}

void TPZSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    // A press can only come from a pointer over the button, so an up button
    // counts as hot (its enter notice may not have come yet).
    if (FButtonState == stUp) SetButtonState(stHot);
    switch (FButtonState) {
      case stHot:
        if (PopupMenu()) ShowButtonMenu();
        else SetButtonState(stPressed);
        break;
      case stDown:
        if (FAllowAllUp) SetButtonState(stPressedDown);
        break;
      case stMenu: SetButtonState(stPressed); break;
      default: break;
    }
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TPZSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    if (FButtonState == stPressed) {
      SetButtonState(FGroupIndex != 0 ? stDown : stHot);
      Click();
    } else if (FButtonState == stPressedDown) {
      SetButtonState(stHot);
      Click();
    }
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TPZSpeedButton::EnabledChanged() {
  if (Enabled()) {
    if (PointerInside()) SetButtonState(stHot);
  } else {
    switch (FButtonState) {
      case stHot:
      case stPressed:
      case stMenu: SetButtonState(stUp); break;
      case stPressedDown: SetButtonState(stDown); break;
      default: break;
    }
  }
  Invalidate();
}

void TPZSpeedButton::Click() { TGraphicControl::Click(); }

bool TPZSpeedButton::DialogChar(wchar_t key) {
  if (!IsAccelerator(key, Caption()) || !Enabled() || !Visible()) return false;
  if (PopupMenu()) ShowButtonMenu();
  else Click();
  return true;
}

void TPZSpeedButton::ShowButtonMenu() {
  TPopupMenu* menu = PopupMenu();
  if (!menu) return;
  SetButtonState(stMenu);
  Update();  // sunk while the menu is up
  TPoint at(Left(), Top() + Height());
  if (Parent()) at = Parent()->ClientToScreen(at);
  menu->SetPopupComponent(this);
  menu->Popup(at.x, at.y);
  SetButtonState(PointerInside() ? stHot : stUp);
}

// ---- painting --------------------------------------------------------------------
void TPZSpeedButton::CalcLayout(TPoint& imagePos, TRect& captionRect) {
  TPZLayoutInput in;
  in.ClientWidth = Width();
  in.ClientHeight = Height();
  TPZImageList* images = Images();
  in.HasImages = images && images->Count() > 0;
  if (in.HasImages) {
    in.ImageWidth = images->Width();
    in.ImageHeight = images->Height();
  }
  const std::string& text = Caption();
  in.HasCaption = !text.empty();
  if (in.HasCaption) {
    // Measured with a screen DC: the canvas has a DC only while painting.
    WindowDC screen(nullptr);
    SelectedObject font(screen.Get(), Font()->Handle());
    bool vertical = FLayout == blTop || FLayout == blBottom;
    RECT r{2, 0, Width() - 2, 0};
    UINT flags = DT_CALCRECT | (vertical ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE);
    const std::wstring w = AnsiToWide(text);
    DrawTextW(screen.Get(), w.data(), static_cast<int>(w.size()), &r, flags);
    in.CaptionWidth = r.right - r.left;
    in.CaptionHeight = r.bottom - r.top;
  }
  in.Spacing = FSpacing;
  in.Margin = FMargin;
  in.Layout = FLayout;
  TPZLayout out = CalcButtonLayout(in);
  imagePos = TPoint(out.ImageX, out.ImageY);
  captionRect = TRect(out.CaptionLeft, out.CaptionTop, out.CaptionRight, out.CaptionBottom);
}

void TPZSpeedButton::DrawFrame(TColor first, TColor second) {
  const int W = Width(), H = Height();
  TCanvas* c = Canvas();
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(first);
  c->Polyline({TPoint(0, H - 1), TPoint(0, 0), TPoint(W - 1, 0)});
  c->Pen()->SetColor(second);
  c->Polyline({TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
}

void TPZSpeedButton::DrawImage(int index, int x, int y) {
  TPZImageList* images = Images();
  if (!images || index >= images->Count()) return;
  HDC dc = Canvas()->Handle();
  HPALETTE palette = GetPalette();
  HPALETTE old = nullptr;
  if (palette) {
    old = SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
  images->Draw(Canvas(), x, y, index);
  if (palette) SelectPalette(dc, old, TRUE);
}

void TPZSpeedButton::Paint() {
  TPoint pos;
  TRect cap;
  CalcLayout(pos, cap);
  TCanvas* c = Canvas();
  const bool enabled = Enabled();
  if (!enabled) {
    DrawImage(2, pos.x, pos.y);
  } else {
    switch (FLook) {
      case lkFlat:
        DrawImage(1, pos.x, pos.y);
        break;
      case lkRaised:
        DrawFrame(clBtnHighlight, clBtnShadow);
        DrawImage(0, pos.x, pos.y);
        break;
      case lkLatched:
        c->Brush()->SetBitmap(DownPattern());
        c->FillRect(TRect(1, 1, Width() - 1, Height() - 1));
        c->Brush()->SetBitmap(nullptr);
        [[fallthrough]];
      case lkSunken:
        DrawFrame(clBtnShadow, clBtnHighlight);
        DrawImage(0, pos.x + 1, pos.y + 1);
        cap = TRect(cap.left + 1, cap.top + 1, cap.right + 1, cap.bottom + 1);
        break;
    }
  }

  const std::string& text = Caption();
  if (text.empty()) return;
  c->Font()->Assign(*Font());
  c->Brush()->SetStyle(bsClear);
  // Drawn by the rule it was measured by (CalcLayout): a caption beside the
  // image is one line, as wide as measured; below or above it, it wraps to
  // the button's width. Wrapping a one-line caption into the rectangle of
  // its own measured width could break it and lose the line that follows.
  const bool vertical = FLayout == blTop || FLayout == blBottom;
  const UINT format = DT_CENTER | (vertical ? DT_WORDBREAK : DT_SINGLELINE);
  if (!enabled) {
    TRect light(cap.left + 1, cap.top + 1, cap.right + 1, cap.bottom + 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, light, format);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(text, cap, format);
}
