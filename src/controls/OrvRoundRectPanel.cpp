#include "controls/OrvRoundRectPanel.h"

#include "controls/OrvRoundRectGeometry.h"

bool TOrvRoundRectPanel::FRegionsEnabled = true;

TOrvRoundRectPanel::TOrvRoundRectPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetColor(clWindow);
  SetHeight(21);
  SetBorderWidth(1);
}

TOrvRoundRectPanel::~TOrvRoundRectPanel() {
  // The regions belong to the windows; only the handles are forgotten.
  DiscardRegions();
}

void TOrvRoundRectPanel::DiscardRegions() {
  FPanelRegion = nullptr;
  FChildRegion = nullptr;
}

void TOrvRoundRectPanel::SetBounds(int l, int t, int w, int h) {
  bool sized = w != Width() || h != Height();
  TCustomPanel::SetBounds(l, t, w, h);
  DiscardRegions();
  // The outline follows the right and bottom edges: a resized panel must
  // repaint all of itself (and so make its regions anew), not just the strip
  // the system thinks was uncovered.
  if (sized) Invalidate();
}

void TOrvRoundRectPanel::ChangeShape(int& field, int value) {
  if (value == field) return;
  field = value;
  DiscardRegions();
  Invalidate();
}

void TOrvRoundRectPanel::SetRndRadius(int value) {
  if (value < 0) return;
  ChangeShape(FRndRadius, value);
}

void TOrvRoundRectPanel::SetClipMargins(int left, int right, int top, int bottom) {
  SetClipLeft(left);
  SetClipRight(right);
  SetClipTop(top);
  SetClipBottom(bottom);
}

void TOrvRoundRectPanel::SetClipLeft(int value) { ChangeShape(FClipLeft, value); }
void TOrvRoundRectPanel::SetClipRight(int value) { ChangeShape(FClipRight, value); }
void TOrvRoundRectPanel::SetClipTop(int value) { ChangeShape(FClipTop, value); }
void TOrvRoundRectPanel::SetClipBottom(int value) { ChangeShape(FClipBottom, value); }

void TOrvRoundRectPanel::SetClipFirstControl(bool value) {
  if (value == FClipFirstControl) return;
  FClipFirstControl = value;
  DiscardRegions();
  Invalidate();
}

void TOrvRoundRectPanel::SetClipControlNr(int value) {
  // No comparison: setting the same number again still re-cuts the child.
  if (FClipFirstControl) {
    SetClipFirstControl(false);
    FClipControlNr = value;
    SetClipFirstControl(true);
  } else {
    FClipControlNr = value;
  }
}

void TOrvRoundRectPanel::SetBorderColor(TColor value) {
  if (value == FBorderColor) return;
  FBorderColor = value;
  Invalidate();
}

void TOrvRoundRectPanel::Paint() {
  TCustomPanel::Paint();
  DrawOutline();
  ShapePanelWindow();
  CutChildWindow();
}

void TOrvRoundRectPanel::DrawOutline() {
  TCanvas* c = Canvas();
  TOutlinePen pen = OutlinePenFor(BorderWidth());
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(FBorderColor);
  c->Pen()->SetWidth(pen.Width);
  // RoundRect's right and bottom are exclusive.
  c->RoundRect(pen.Inset, pen.Inset, Width() - pen.Inset, Height() - pen.Inset, FRndRadius,
               FRndRadius);
  c->Pen()->SetWidth(1);
}

void TOrvRoundRectPanel::ShapePanelWindow() {
  if (!FRegionsEnabled || FPanelRegion) return;
  HWND wnd = HandleIfAllocated();
  if (!wnd) return;
  // One more than the size: a round-rect region leaves out its right and
  // bottom edge.
  GdiRegion region(
      CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, FRndRadius, FRndRadius));
  // On failure the window stays unshaped and the next paint tries again.
  if (!region || !SetWindowRgn(wnd, region.Get(), TRUE)) return;
  FPanelRegion = region.Release();  // the window owns it now
}

void TOrvRoundRectPanel::CutChildWindow() {
  if (!FClipFirstControl || FChildRegion) return;
  if (FClipControlNr < 0 || FClipControlNr >= ControlCount()) return;
  auto* child = dynamic_cast<TWinControl*>(Controls(FClipControlNr));
  if (!child) return;  // a windowless child cannot be cut
  HWND wnd = child->HandleIfAllocated();
  if (!wnd) return;
  TClipBox box = ChildClipBox(child->Width(), child->Height(), FClipLeft, FClipTop, FClipRight,
                              FClipBottom);
  GdiRegion region(CreateRectRgn(box.Left, box.Top, box.Right, box.Bottom));
  if (!region || !SetWindowRgn(wnd, region.Get(), TRUE)) return;
  FChildRegion = region.Release();  // the child's window owns it now
}
