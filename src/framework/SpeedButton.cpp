// TSpeedButton: painting, the mouse, groups and glyphs.
#include <algorithm>

#include "framework/Buttons.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"

namespace {
// The checkerboard a latched-down button shows on its face, in the two
// colours the DC's text and background colours give the monochrome pattern.
HBRUSH DownPatternBrush() {
  static GdiBrush brush = [] {
    static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    GdiBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
    return GdiBrush(pattern ? CreatePatternBrush(pattern.Get()) : nullptr);
  }();
  return brush.Get();
}

// Pixels of a one-image glyph that the disabled look embosses: everything
// that is neither transparent nor nearly white.
bool IsInk(COLORREF c, COLORREF transparent) {
  if (c == transparent) return false;
  return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 192;
}

constexpr COLORREF kDisabledKey = RGB(0x80, 0x80, 0x00);
}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  // Clicks are made here on release (csClickEvents off), so that group and
  // down state come first; a double click counts as a second press.
  SetControlStyle(csCaptureMouse);
  SetParentColor(true);
  FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

// ---- properties --------------------------------------------------------------------------------
void TSpeedButton::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  SetControlStyle(value ? ControlStyle() & ~unsigned(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  if (value == 0 && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;  // the group keeps one button down
  FDown = value;
  FState = value ? bsExclusive : bsUp;
  Invalidate();
  if (value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TWinControl* p = Parent();
  for (int i = 0; i < p->ControlCount(); ++i) {
    auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i));
    if (!b || b == this || b->FGroupIndex != FGroupIndex) continue;
    if (FDown && b->FDown) {
      b->FDown = false;
      b->FState = bsUp;
      b->Invalidate();
    }
    b->FAllowAllUp = FAllowAllUp;
  }
}

void TSpeedButton::SetGlyph(const TBitmap* value) { FGlyph->Assign(value); }

void TSpeedButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == FNumGlyphs) return;
  FNumGlyphs = value;
  BuildDisabledGlyph();
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (value < -1 || value == FMargin) return;
  FMargin = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (value < -1 || value == FSpacing) return;
  FSpacing = value;
  Invalidate();
}

// ---- glyph -------------------------------------------------------------------------------------
void TSpeedButton::GlyphChanged() {
  if (!FGlyph->Empty()) {
    int w = FGlyph->Width(), h = FGlyph->Height();
    // A strip of square images tells how many it holds.
    if (h > 0 && w % h == 0) {
      int n = w / h;
      FNumGlyphs = n >= 1 && n <= 4 ? n : 1;
    }
  }
  BuildDisabledGlyph();
  Invalidate();
}

void TSpeedButton::BuildDisabledGlyph() {
  FDisabledGlyph.reset();
  if (FGlyph->Empty() || FNumGlyphs > 1) return;
  int w = FGlyph->Width(), h = FGlyph->Height();
  TCanvas* src = FGlyph->Canvas();
  COLORREF transparent = ColorToRGB(src->Pixel(0, h - 1));
  auto d = std::make_unique<TBitmap>();
  d->SetPixelFormat(pf24bit);
  d->SetSize(w, h);
  TCanvas* c = d->Canvas();
  c->Brush()->SetColor(static_cast<TColor>(kDisabledKey));
  c->FillRect(TRect(0, 0, w, h));
  // Embossed: each dark pixel in highlight one pixel down and right, then
  // in shadow in its place.
  COLORREF highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  std::vector<bool> ink(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ink[static_cast<size_t>(y) * w + x] = IsInk(ColorToRGB(src->Pixel(x, y)), transparent);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (ink[static_cast<size_t>(y) * w + x] && x + 1 < w && y + 1 < h)
        c->SetPixel(x + 1, y + 1, static_cast<TColor>(highlight));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (ink[static_cast<size_t>(y) * w + x]) c->SetPixel(x, y, static_cast<TColor>(shadow));
  FDisabledGlyph = std::move(d);
}

void TSpeedButton::DrawGlyph(HDC dc, const TPoint& at, bool enabled, bool pressed) {
  int w = FGlyph->Width() / FNumGlyphs, h = FGlyph->Height();
  if (!enabled && FDisabledGlyph) {
    TransparentBlt(dc, at.x, at.y, w, h, FDisabledGlyph->Canvas()->Handle(), 0, 0, w, h,
                   kDisabledKey);
    return;
  }
  int index = 0;
  if (!enabled) index = 1;
  else if (FState == bsDown || (pressed && !FDown)) index = 2;
  else if (FState == bsExclusive) index = FNumGlyphs > 3 ? 3 : 2;
  if (index >= FNumGlyphs) index = 0;
  TCanvas* src = FGlyph->Canvas();
  COLORREF transparent = ColorToRGB(src->Pixel(0, h - 1));
  TransparentBlt(dc, at.x, at.y, w, h, src->Handle(), index * w, 0, w, h, transparent);
}

// ---- painting ------------------------------------------------------------------------------------
void TSpeedButton::CalcLayout(const SIZE& glyph, const SIZE& text, TPoint& glyphPos,
                              TRect& textRect) const {
  bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  int avail = across ? Width() : Height();
  int g = across ? glyph.cx : glyph.cy, t = across ? text.cx : text.cy;
  int spacing = FSpacing, margin = FMargin;
  if (g == 0 || t == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (avail - g - t) / 3;
  } else if (margin == -1) {
    margin = (avail - g - spacing - t) / 2;
  } else if (spacing == -1) {
    spacing = (avail - margin - g - t) / 2;
  }
  int gPos, tPos;
  if (FLayout == blGlyphLeft || FLayout == blGlyphTop) {
    gPos = margin;
    tPos = margin + g + spacing;
  } else {
    gPos = avail - margin - g;
    tPos = gPos - spacing - t;
  }
  if (across) {
    glyphPos = TPoint(gPos, (Height() - glyph.cy) / 2);
    textRect = Bounds(tPos, (Height() - text.cy) / 2, text.cx, text.cy);
  } else {
    glyphPos = TPoint((Width() - glyph.cx) / 2, gPos);
    textRect = Bounds((Width() - text.cx) / 2, tPos, text.cx, text.cy);
  }
}

void TSpeedButton::DrawFace(TCanvas* c, bool pressed) {
  TRect r = ClientRect();
  HDC dc = c->Handle();
  bool hot = MouseInControl() && IsEffectivelyEnabled();
  if (!FFlat) {
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0);
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
  } else {
    if (!FTransparent) {
      c->Brush()->SetColor(Color());
      c->FillRect(r);
    }
    if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else if (hot) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  }
  if (FState == bsExclusive && !(FFlat && hot)) {
    // The latched look: a checkerboard of face and highlight.
    COLORREF oldText = SetTextColor(dc, ColorToRGB(clBtnFace));
    COLORREF oldBk = SetBkColor(dc, ColorToRGB(clBtnHighlight));
    ::FillRect(dc, &r, DownPatternBrush());
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
  }
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  bool enabled = IsEffectivelyEnabled();
  bool pressed = FState == bsDown || FState == bsExclusive;
  DrawFace(c, pressed);

  SIZE glyph{0, 0};
  if (!FGlyph->Empty()) glyph = SIZE{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
  c->Font()->Assign(*Font());
  SIZE text{0, 0};
  const std::string& caption = Caption();
  if (!caption.empty()) {
    TRect m(0, 0, Width(), 0);
    c->DrawText(caption, m, DT_CALCRECT | DT_SINGLELINE);
    text = SIZE{m.Width(), m.Height()};
  }
  TPoint at;
  TRect textRect;
  CalcLayout(glyph, text, at, textRect);
  // Pressed or latched: everything moves a pixel down and right.
  int shift = pressed ? 1 : 0;
  at = TPoint(at.x + shift, at.y + shift);
  OffsetRect(&textRect, shift, shift);

  if (glyph.cx > 0) DrawGlyph(c->Handle(), at, enabled, pressed);
  if (caption.empty()) return;
  c->Brush()->SetStyle(bsClear);
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!enabled) {
    TRect raised = textRect;
    OffsetRect(&raised, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(caption, raised, flags);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(caption, textRect, flags);
}

// ---- mouse and keyboard ----------------------------------------------------------------------------
void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && IsEffectivelyEnabled()) {
    FDragging = true;
    if (!FDown) {
      FState = bsDown;
      Invalidate();
    }
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (FDragging) {
    // Held down, the button sinks while the pointer is over it.
    TButtonState s = Inside(x, y) && !FDown ? bsDown : FDown ? bsExclusive : bsUp;
    if (s != FState) {
      FState = s;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FDragging || IsDestroying()) return;
  FDragging = false;
  bool inside = Inside(x, y);
  if (inside && FGroupIndex != 0) {
    if (FDown && FAllowAllUp) SetDown(false);
    else if (!FDown) SetDown(true);
  }
  FState = FDown ? bsExclusive : bsUp;
  Invalidate();
  if (!inside) return;
  // The click may open a modal box: the parent must not keep the mouse.
  ReleaseParentCapture();
  Click();
}

void TSpeedButton::ReleaseParentCapture() {
  HWND p = Parent() ? Parent()->HandleIfAllocated() : nullptr;
  if (p && GetCapture() == p) ReleaseCapture();
}

void TSpeedButton::CaptureLost() {
  if (!FDragging) return;
  FDragging = false;
  FState = FDown ? bsExclusive : bsUp;
  Invalidate();
}

void TSpeedButton::MouseEnter() {
  if (FFlat && IsEffectivelyEnabled()) Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  if (FFlat) Invalidate();
  TGraphicControl::MouseLeave();
}

void TSpeedButton::EnabledChanged() {
  if (!Enabled()) {
    FDragging = false;
    FState = FDown ? bsExclusive : bsUp;
  }
  TGraphicControl::EnabledChanged();
}

bool TSpeedButton::DialogChar(wchar_t key) {
  if (!IsAccelerator(key, Caption()) || !IsEffectivelyEnabled() || !Showing()) return false;
  Click();
  return true;
}
