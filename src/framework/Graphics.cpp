#include "framework/Graphics.h"

#include "framework/Bitmap.h"
#include "framework/WideText.h"

COLORREF ColorToRGB(TColor color) {
  if (color & 0x80000000) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

int ScreenPixelsPerInch() {
  static int ppi = [] {
    WindowDC dc(nullptr);
    int v = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont --------------------------------------------------------------------
TFont::TFont() = default;

void TFont::Assign(const TFont& s) {
  if (SameAs(s)) return;
  FName = s.FName;
  FHeight = s.FHeight;
  FStyle = s.FStyle;
  FColor = s.FColor;
  FCharset = s.FCharset;
  FPitch = s.FPitch;
  FHandle.Reset();
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset && FPitch == o.FPitch;
}

void TFont::SetName(const std::string& v) {
  if (v == FName) return;
  FName = v;
  FHandle.Reset();
  Changed();
}

void TFont::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  FHandle.Reset();
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  FHandle.Reset();
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TFont::SetCharset(BYTE v) {
  if (v == FCharset) return;
  FCharset = v;
  FHandle.Reset();
  Changed();
}

void TFont::SetPitch(TFontPitch v) {
  if (v == FPitch) return;
  FPitch = v;
  FHandle.Reset();
  Changed();
}

BYTE TFont::PitchAndFamily() const {
  switch (FPitch) {
    case fpFixed: return FIXED_PITCH | FF_MODERN;
    case fpVariable: return VARIABLE_PITCH;
    default: return DEFAULT_PITCH;
  }
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfPitchAndFamily = PitchAndFamily();
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectA(&lf));
    // Without a font the stock one draws; nothing is lost but the look.
    if (!FHandle) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return FHandle.Get();
}

// ---- TPen ---------------------------------------------------------------------
void TPen::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  FHandle.Reset();
  Changed();
}

void TPen::SetWidth(int v) {
  if (v == FWidth) return;
  FWidth = v;
  FHandle.Reset();
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  FHandle.Reset();
  Changed();
}

HPEN TPen::Handle() const {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH,  PS_DOT,        PS_DASHDOT,
                                 PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle.Reset(CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor)));
    if (!FHandle) return static_cast<HPEN>(GetStockObject(BLACK_PEN));
  }
  return FHandle.Get();
}

// ---- TBrush -------------------------------------------------------------------
void TBrush::SetColor(TColor v) {
  if (v == FColor && FStyle != bsClear) return;
  FColor = v;
  if (FStyle == bsClear) FStyle = bsSolid;
  FHandle.Reset();
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  FHandle.Reset();
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  FBitmap = bitmap;
  FHandle.Reset();
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (!FHandle) {
    HBRUSH h = nullptr;
    if (FBitmap && !FBitmap->Empty()) {
      h = CreatePatternBrush(FBitmap->Handle());
    } else if (FStyle == bsClear) {
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    } else if (FStyle == bsSolid) {
      h = CreateSolidBrush(ColorToRGB(FColor));
    } else {
      static const int hatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL,
                                  HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      h = CreateHatchBrush(hatch[FStyle], ColorToRGB(FColor));
    }
    FHandle.Reset(h);
    if (!FHandle) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  return FHandle.Get();
}

// ---- TCanvas ------------------------------------------------------------------
TCanvas::TCanvas() {
  FFont.OnChange = [this](TObject*) { ObjectChanged(stFont); };
  FPen.OnChange = [this](TObject*) { ObjectChanged(stPen); };
  FBrush.OnChange = [this](TObject*) { ObjectChanged(stBrush); };
}

TCanvas::~TCanvas() { Deselect(); }

void TCanvas::ObjectChanged(unsigned what) {
  // The old handle may already be deleted by the object; select the stock one
  // first so that the DC never holds a dead handle.
  if (!FHandle || !(FState & what)) return;
  if (what == stPen) SelectObject(FHandle, GetStockObject(BLACK_PEN));
  if (what == stBrush) SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
  if (what == stFont) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
  FState &= ~what;
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  Deselect();
  FHandle = dc;
}

void TCanvas::Deselect() {
  if (!FHandle) return;
  if (FOldPen) SelectObject(FHandle, FOldPen);
  if (FOldBrush) SelectObject(FHandle, FOldBrush);
  if (FOldFont) SelectObject(FHandle, FOldFont);
  FOldPen = FOldBrush = FOldFont = nullptr;
  FState = 0;
}

void TCanvas::Refresh() { Deselect(); }

void TCanvas::RequiredState(unsigned state) {
  if (!FHandle) CreateHandle();
  if (!FHandle) throw EOutOfResources("Canvas does not allow drawing");
  unsigned need = state & ~FState;
  if (need & stPen) {
    HGDIOBJ old = SelectObject(FHandle, FPen.Handle());
    if (!FOldPen) FOldPen = old;
    FState |= stPen;
  }
  if (need & stBrush) {
    HGDIOBJ old = SelectObject(FHandle, FBrush.Handle());
    if (!FOldBrush) FOldBrush = old;
    FState |= stBrush;
  }
  if (need & stFont) {
    HGDIOBJ old = SelectObject(FHandle, FFont.Handle());
    if (!FOldFont) FOldFont = old;
    FState |= stFont;
  }
  if (state & stBrush) {
    // Text and hatches take the brush's background; a clear brush draws none.
    if (FBrush.Style() == bsSolid && !FBrush.Bitmap()) {
      SetBkColor(FHandle, ColorToRGB(FBrush.Color()));
      SetBkMode(FHandle, OPAQUE);
    } else {
      SetBkMode(FHandle, TRANSPARENT);
    }
  }
  if (state & stFont) SetTextColor(FHandle, ColorToRGB(FFont.Color()));
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(0);
  MoveToEx(FHandle, x, y, nullptr);
  FPenPos = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y) {
  RequiredState(stPen | stBrush);
  ::LineTo(FHandle, x, y);
  FPenPos = TPoint(x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  RequiredState(stPen | stBrush);
  std::vector<POINT> p(points.begin(), points.end());
  ::Polyline(FHandle, p.data(), static_cast<int>(p.size()));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequiredState(stPen | stBrush);
  ::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  RequiredState(stPen | stBrush);
  ::RoundRect(FHandle, x1, y1, x2, y2, w, h);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  RequiredState(stPen | stBrush);
  ::Ellipse(FHandle, x1, y1, x2, y2);
}

void TCanvas::FillRect(const TRect& r) {
  RequiredState(stBrush);
  ::FillRect(FHandle, &r, FBrush.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
  RequiredState(stBrush);
  ::FrameRect(FHandle, &r, FBrush.Handle());
}

void TCanvas::DrawFocusRect(const TRect& r) {
  RequiredState(stBrush);
  ::DrawFocusRect(FHandle, &r);
}

// Texts are drawn and measured in their wide form: the system draws 8-bit
// text by the font's character set, not by the process's code page, so a
// UTF-8 name would come out as the characters of its bytes.
void TCanvas::TextOut(int x, int y, const std::string& text) {
  RequiredState(stFont | stBrush);
  const std::wstring w = AnsiToWide(text);
  ::TextOutW(FHandle, x, y, w.data(), static_cast<int>(w.size()));
  SIZE s{0, 0};
  ::GetTextExtentPoint32W(FHandle, w.data(), static_cast<int>(w.size()), &s);
  FPenPos = TPoint(x + s.cx, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  RequiredState(stFont | stBrush);
  UINT opts = ETO_CLIPPED;
  if (FBrush.Style() != bsClear) opts |= ETO_OPAQUE;
  const std::wstring w = AnsiToWide(text);
  ::ExtTextOutW(FHandle, x, y, opts, &r, w.data(), static_cast<UINT>(w.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT format) {
  RequiredState(stFont | stBrush);
  const std::wstring w = AnsiToWide(text);
  // The text is a copy: the system may not write an ellipsis into it.
  return ::DrawTextW(FHandle, w.data(), static_cast<int>(w.size()), &r, format & ~UINT(DT_MODIFYSTRING));
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RequiredState(stFont);
  SIZE s{0, 0};
  const std::wstring w = AnsiToWide(text);
  ::GetTextExtentPoint32W(FHandle, w.data(), static_cast<int>(w.size()), &s);
  return s;
}

TColor TCanvas::Pixel(int x, int y) {
  RequiredState(0);
  return static_cast<TColor>(::GetPixel(FHandle, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  RequiredState(0);
  ::SetPixelV(FHandle, x, y, ColorToRGB(c));
}

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return;
  StretchDraw(Bounds(x, y, bitmap->Width(), bitmap->Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return;
  RequiredState(0);
  bitmap->DrawTo(FHandle, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
  RequiredState(0);
  HDC sdc = source->Handle();
  ::StretchBlt(FHandle, dest.left, dest.top, dest.Width(), dest.Height(), sdc, src.left,
               src.top, src.Width(), src.Height(), SRCCOPY);
}

// ---- TWindowCanvas ------------------------------------------------------------
void TWindowCanvas::CreateHandle() {
  HWND w = FWindow ? FWindow() : nullptr;
  if (!w) return;
  FOwnDC = GetDC(w);
  FDCWindow = w;
  SetHandle(FOwnDC);
}

void TWindowCanvas::FreeHandle() {
  if (!FOwnDC) return;
  // Not Handle(): that would take a second DC when the canvas holds none now.
  if (HandleIfAllocated() == FOwnDC) SetHandle(nullptr);
  ReleaseDC(FDCWindow, FOwnDC);
  FOwnDC = nullptr;
  FDCWindow = nullptr;
}
