#include "controls/PCustomCheck.h"

#include "controls/CheckResources.h"
#include "controls/ParentPaint.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"

namespace {

std::unique_ptr<TBitmap> g_HotPattern;

// The caption starts this far right of the box's left edge (box on the left)
// or of the control's left edge (box on the right).
constexpr int kCaptionAfterBox = 22;
constexpr int kCaptionBeforeBox = 2;

}  // namespace

const char* CheckMarkImage(TImageType t) {
  switch (t) {
    case igCrossRed: return "CheckIks";
    case igHookBlue: return "CheckOk";
    case igCirce: return "CHECKELLI";
    case igCrossBlue: return "CHECKEIKSB";
    case igCrossGreen: return "CHECKIKSG";
    case igHookLime: return "CHECKOKG";
    case igHookRed: return "CheckOkR";
  }
  return "CheckIks";
}

TPCustomCheck::TPCustomCheck(TComponent* AOwner)
    : TCustomControl(AOwner), FImage(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 97, 19);
  SetTabStop(true);
  SetControlStyle(ControlStyle() | csReplicatable);
  SetParentColor(true);
}

TPCustomCheck::~TPCustomCheck() {
  // Made again, in the colour of whichever box needs it next.
  g_HotPattern.reset();
}

TBitmap* TPCustomCheck::HotPatternIfMade() { return g_HotPattern.get(); }

TBitmap* TPCustomCheck::HotPattern(TColor face) {
  if (!g_HotPattern) {
    auto p = std::make_unique<TBitmap>();
    p->SetPixelFormat(pf24bit);
    p->SetSize(8, 8);
    TCanvas* c = p->Canvas();
    c->Brush()->SetColor(face);
    c->FillRect(TRect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if ((x + y) % 2 == 0) c->SetPixel(x, y, clBtnHighlight);
    g_HotPattern = std::move(p);
  }
  return g_HotPattern.get();
}

// ---- properties -------------------------------------------------------------------
void TPCustomCheck::SetTransparent(bool value) {
  FTransparent = value;
  Repaint();
}

void TPCustomCheck::SetFlat(bool value) {
  FFlat = value;
  Repaint();
}

void TPCustomCheck::SetStyle(TMargine value) {
  if (value == FStyle) return;
  FStyle = value;
  Invalidate();
}

void TPCustomCheck::SetImageType(TImageType value) {
  if (value == FImageType) return;
  FImageType = value;
  RecreateWnd();  // repaints; without a window the first paint shows it
}

void TPCustomCheck::SetAlignment(TLeft value) {
  if (value == FAlignment) return;
  FAlignment = value;
  RecreateWnd();
}

void TPCustomCheck::SetColorSipleMargine(TColor value) {
  if (value == FColorSipleMargine) return;
  FColorSipleMargine = value;
  RecreateWnd();
}

void TPCustomCheck::SetHintSecondLine(const std::string& value) {
  FHintSecondLine = value;
  if (!value.empty() && !Hint().empty()) SetHint(Hint() + '\r' + value);
}

// ---- painting --------------------------------------------------------------------
bool TPCustomCheck::WMEraseBkgnd(HDC) { return true; }  // Paint covers every pixel

void TPCustomCheck::Paint() {
  TCanvas* c = Canvas();
  FBoxRect = ClientRect();
  c->Brush()->SetBitmap(nullptr);
  c->Brush()->SetColor(Color());
  switch (FStyle) {
    case bmLowered: Frame3D(c, FBoxRect, clBtnShadow, clBtnHighlight, 1); break;
    case bmRaised: Frame3D(c, FBoxRect, clBtnHighlight, clBtnShadow, 1); break;
    case bmSimple: Frame3D(c, FBoxRect, FColorSipleMargine, FColorSipleMargine, 1); break;
    case bmNone: break;
  }
  if (FHot) c->Brush()->SetBitmap(HotPattern(Color()));
  c->FillRect(FBoxRect);
  c->Brush()->SetBitmap(nullptr);

  if (FTransparent && Parent()) PaintParentInto(this, c->Handle());

  const std::string& caption = Caption();
  c->Font()->Assign(*Font());
  const int h = c->TextHeight(caption);
  const int top = FBoxRect.top + (FBoxRect.Height() - h) / 2;
  const int amp = caption.find('&') != std::string::npos ? c->TextWidth("&") : 0;
  const int tw = c->TextWidth(caption);
  const int left =
      FBoxRect.left + (FAlignment == taLeftJustify ? kCaptionBeforeBox : kCaptionAfterBox);
  if (FShowFocused && Focused()) {
    c->Brush()->SetColor(Color());
    c->DrawFocusRect(TRect(left - 1, top - 1, left + tw - amp + 3 + 1, top + h + 1));
  }

  if (FHotTrack && FHot) c->Font()->SetColor(clBlue);
  c->Brush()->SetStyle(bsClear);
  FTextRect = TRect(left, top, left + tw, top + h);
  TRect r = FTextRect;
  if (!Enabled()) {
    c->DrawText(caption, r, 0);
    TRect light(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(caption, light, 0);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(caption, r, 0);

  DrawBox();
  if (FOn) DrawMark();
}

void TPCustomCheck::DrawImage(const std::string& name) {
  if (!LoadCheckImage(*FImage, name)) return;
  // The bottom-left pixel's colour is left undrawn.
  FImage->SetTransparentMode(tmAuto);
  const TBitmap& image = FImage->AtDpi(Dpi(), true);
  const int x = FAlignment == taLeftJustify ? FBoxRect.right - 18 : FBoxRect.left + 2;
  const int y = FBoxRect.top + (FBoxRect.Height() - image.Height()) / 2;
  image.DrawTo(Canvas()->Handle(), Bounds(x, y, image.Width(), image.Height()), true);
}

void TPCustomCheck::DrawBox() {
  if (Enabled()) DrawImage(FFlat ? "BlankFlat" : "Blank");
  else DrawImage(FFlat ? "EnabledFlat" : "Enabled");
}

void TPCustomCheck::DrawMark() {
  if (Enabled()) DrawImage(CheckMarkImage(FImageType));
  else DrawImage(FFlat ? "EnabledFlat" : "Enabled");
}

// ---- input -----------------------------------------------------------------------
void TPCustomCheck::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    FOn = !FOn;
    Invalidate();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TPCustomCheck::DialogChar(wchar_t key) {
  if (!IsAccelerator(key, Caption()) || !CanFocus()) return false;
  FOn = !FOn;
  Invalidate();
  Click();
  SetFocus();
  return true;
}

void TPCustomCheck::MouseEnter() {
  if (!Enabled()) return;
  if (FHotTrack) {
    FHot = true;
    Repaint();
  }
  if (FShowHandCursor && HandCursor() && Screen) {
    Screen->SetCursors(1, HandCursor());
    SetCursor(1);
  }
  TCustomControl::MouseEnter();
}

void TPCustomCheck::MouseLeave() {
  if (!Enabled()) return;
  if (FHot) {
    FHot = false;
    Repaint();
  }
  if (FShowHandCursor && Screen) {
    Screen->SetCursor(crDefault);
    SetCursor(crDefault);
  }
  if (OnMouseExit) OnMouseExit(this);
  TCustomControl::MouseLeave();
}

void TPCustomCheck::FocusReceived() {
  TCustomControl::FocusReceived();
  Repaint();
}

void TPCustomCheck::FocusLost() {
  TCustomControl::FocusLost();
  Repaint();
}
