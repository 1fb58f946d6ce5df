// Moving the window by its title bar, resizing it by the edge strips, the
// corner pieces and the grip, laying the frame's parts out after every size
// change, and zoom.
#include "controls/TrsPanel.h"
#include "drawing/PZBPanel.h"
#include "drawing/PZLabel.h"
#include "drawing/PZShaded.h"
#include "drawing/PZSpButt.h"
#include "frame/FrameGeometry.h"
#include "frame/UOberMetal.h"
#include "framework/StdCtrls.h"

namespace {
FrameLimits LimitsOf(TControl* c) {
  const TSizeConstraints& k = c->Constraints();
  return FrameLimits{k.MinWidth, k.MinHeight, k.MaxWidth, k.MaxHeight};
}
}  // namespace

// ---- moving --------------------------------------------------------------------------------
void TOberFormMetal::PanelHeadMouseDown(TObject* Sender, TMouseButton, TShiftState, int X,
                                        int Y) {
  // A second button pressed during a drag changes nothing: the caption
  // sinks once and rises once.
  if (WindowState() == wsMaximized || FrameDragging) return;
  FrameDragging = true;
  // Sinking moves both caption labels a pixel right and down: a pointer
  // that pressed one of them then lies a pixel up and left in it, and the
  // window must not follow that.
  const int sink = Sender == LabelBl || Sender == LabelWh ? 1 : 0;
  DragStartX = X - sink;
  DragStartY = Y - sink;
  if (!IsDialogFrame()) PanelHead->SetBevelOuter(bvLowered);
  // The caption sinks by a pixel: the caption takes its under-copy's place.
  const int l = LabelWh->Left(), t = LabelWh->Top();
  LabelWh->SetBounds(l + 1, t + 1, LabelWh->Width(), LabelWh->Height());
  LabelBl->SetBounds(l, t, LabelBl->Width(), LabelBl->Height());
  FCaptionSunk = true;
  if (Tag() < 0)
    for (TShape* s : {ShapeO, ShapeLOL, ShapeLOO, ShapeROO, ShapeROR}) s->SetVisible(false);
}

void TOberFormMetal::PanelHeadMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!FrameDragging || !FCaptionSunk) return;
  // The pressed control moves with the window, so the pointer keeps its
  // place in it and the window follows the pointer.
  SetBounds(Left() + X - DragStartX, Top() + Y - DragStartY, Width(), Height());
}

void TOberFormMetal::PanelHeadMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  EndTitleDrag();
}

void TOberFormMetal::EndTitleDrag() {
  if (FCaptionSunk) {
    const int l = LabelBl->Left(), t = LabelBl->Top();
    LabelWh->SetBounds(l, t, LabelWh->Width(), LabelWh->Height());
    LabelBl->SetBounds(l - 1, t - 1, LabelBl->Width(), LabelBl->Height());
    FCaptionSunk = false;
  }
  FrameDragging = false;
  PanelHead->SetBevelOuter(bvRaised);
  if (Tag() < 0)
    for (TShape* s : {ShapeO, ShapeLOL, ShapeLOO, ShapeROO, ShapeROR}) s->SetVisible(true);
}

// ---- resizing ------------------------------------------------------------------------------
void TOberFormMetal::ImgEckeMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  if (WindowState() == wsMaximized || FRolledUp || FrameDragging) return;
  FrameDragging = true;
  DragStartX = X;
  DragStartY = Y;
}

void TOberFormMetal::ImgEckeMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  FrameDragging = false;
}

bool TOberFormMetal::Resizing() const { return FrameDragging && !FCaptionSunk; }

void TOberFormMetal::ResizeBy(ResizeRule rule, int delta) {
  const FrameBounds n = ApplyResizeRule(FrameBounds{Left(), Top(), Width(), Height()}, rule, delta,
                                      LimitsOf(this));
  SetBounds(n.Left, n.Top, n.Width, n.Height);
}

// Strips take the pointer's place in them as the change (they are two
// pixels thick); corners take its offset from where they were grabbed, and
// change the height first, then the width, as two separate changes.
void TOberFormMetal::ShapeUMouseMove(TObject*, TShiftState, int, int Y) {
  if (Resizing()) ResizeBy(ResizeRule::Bottom, Y);
}

void TOberFormMetal::ShapeOMouseMove(TObject*, TShiftState, int, int Y) {
  if (Resizing()) ResizeBy(ResizeRule::Top, Y);
}

void TOberFormMetal::ShapeRMouseMove(TObject*, TShiftState, int X, int) {
  if (Resizing()) ResizeBy(ResizeRule::Right, X);
}

void TOberFormMetal::ShapeLMouseMove(TObject*, TShiftState, int X, int) {
  if (Resizing()) ResizeBy(ResizeRule::Left, X);
}

void TOberFormMetal::ImgEckeMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!Resizing()) return;
  ResizeBy(ResizeRule::Bottom, Y - DragStartY);
  ResizeBy(ResizeRule::Right, X - DragStartX);
}

void TOberFormMetal::ShapeLUMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!Resizing()) return;
  ResizeBy(ResizeRule::Bottom, Y - DragStartY);
  ResizeBy(ResizeRule::Left, X - DragStartX);
}

void TOberFormMetal::ShapeLOMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!Resizing()) return;
  ResizeBy(ResizeRule::Top, Y - DragStartY);
  ResizeBy(ResizeRule::Left, X - DragStartX);
}

void TOberFormMetal::ShapeROMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!Resizing()) return;
  ResizeBy(ResizeRule::Top, Y - DragStartY);
  ResizeBy(ResizeRule::Right, X - DragStartX);
}

// ---- relayout ------------------------------------------------------------------------------
void TOberFormMetal::FormResize(TObject*) {
  const int pw = PanelClient->Width(), ph = PanelClient->Height(), hw = PanelHead->Width();
  if (PanelClient->BevelOuter() != bvNone) {
    // Over the client panel's bevel, inside its border line.
    ShapeU->SetTop(ph - ShapeU->Height() - 2);
    ShapeR->SetLeft(pw - ShapeR->Width() - 2);
    ShapeU->SetWidth(pw - 32);
    ShapeR->SetHeight(ph - 24);
    ShapeL->SetHeight(ShapeR->Height());
  } else if (ShapeU->Align() != alBottom) {
    ShapeU->SetAlign(alBottom);
    ShapeL->SetAlign(alLeft);
    ShapeR->SetAlign(alRight);
  }
  ShapeRUU->SetBounds(pw - ShapeRUU->Width(), ShapeU->Top(), ShapeRUU->Width(), ShapeRUU->Height());
  ShapeRUR->SetBounds(ShapeR->Left(), ShapeU->Top() - ShapeRUR->Height(), ShapeRUR->Width(),
                      ShapeRUR->Height());
  ShapeLUL->SetTop(ShapeRUR->Top());
  ShapeLUU->SetTop(ShapeU->Top());
  ShapeO->SetWidth(hw - 32);
  ShapeROO->SetLeft(hw - 16);
  // Over the last two columns inside the title bar's border line: without
  // the line (the shaded look) that is the window's outer edge.
  ShapeROR->SetLeft(PanelHead->ClientWidth() - ShapeROR->Width());
  // The grip's lower-right corner at the inner corner of the right and
  // bottom strips; where the system's border resizes the window (there are
  // no strips to go by), at the client panel's lower-right corner.
  if (ImgEcke->Visible()) {
    const bool strips = ShapeR->Visible();
    ImgEcke->SetBounds((strips ? ShapeR->Left() : PanelClient->ClientWidth()) - ImgEcke->Width(),
                       (strips ? ShapeU->Top() : PanelClient->ClientHeight()) - ImgEcke->Height(),
                       ImgEcke->Width(), ImgEcke->Height());
  }
  if (RundLU->Visible()) {
    RundLU->SetBounds(1, ph - 6, RundLU->Width(), RundLU->Height());
    RundRU->SetBounds(pw - 7, RundLU->Top(), RundRU->Width(), RundRU->Height());
  }
  if (HeadShadeImage->Visible() || HeadShadeActiveImage->Visible()) {
    HeadShadeImage->SetWidth(hw);
    HeadShadeActiveImage->SetWidth(hw);
  }
  if (ImgBorderW->Visible()) {
    ImgBorderW->SetBounds(0, 0, ImgBorderW->Width(), ph - 10);
    ImgBorderE->SetBounds(pw - 10, 0, ImgBorderE->Width(), ph);
    ImgBorderSW->SetBounds(0, ph - 10, ImgBorderSW->Width(), ImgBorderSW->Height());
    ImgBorderS->SetBounds(10, ph - 10, pw - 10, ImgBorderS->Height());
    if (ImgBorderN) ImgBorderN->SetBounds(0, 0, pw, ImgBorderN->Height());
  }
  if (HeadShade) HeadShade->SetWidth(PanelHeadShade->Width() * 85 / 100);
  LabelWh->SetWidth(PanelHeadShade->Width() - 5);
  LabelBl->SetWidth(LabelWh->Width());
  if (FRoundRegion) UpdateRoundRegion();
}

// ---- zoom ----------------------------------------------------------------------------------
void TOberFormMetal::WinZoomButtClick(TObject*) { SetZoomed(!FZoomed); }

void TOberFormMetal::SetZoomed(bool on) {
  if (on == FZoomed) return;
  // 0.833, not 1/1.2: zooming out after zooming in need not give back the
  // exact pixels.
  ScaleFrame(on ? 1.2 : 0.833);
  FZoomed = on;
  SetButtonGlyph(WinZoomButt, on ? Skin().ZOOMOUT_M.get() : Skin().ZOOMIN_M.get());
}

namespace {
bool HasScaledFont(TControl* c) {
  return dynamic_cast<TPZLabel*>(c) || dynamic_cast<TLabel*>(c) || dynamic_cast<TButton*>(c) ||
         dynamic_cast<TEdit*>(c) || dynamic_cast<TComboBox*>(c);
}
}  // namespace

void TOberFormMetal::ScaleControlTree(TControl* c, double f) {
  const TAnchors a = c->Anchors();
  TWinControl* parent = c->Parent();
  const FrameBounds n = ScaleControlRect(
      FrameBounds{c->Left(), c->Top(), c->Width(), c->Height()},
      ScaleAnchors{(a & akLeft) != 0, (a & akTop) != 0, (a & akRight) != 0, (a & akBottom) != 0},
      parent != nullptr, parent ? parent->ClientWidth() : 0, parent ? parent->ClientHeight() : 0,
      f);
  c->SetBounds(n.Left, n.Top, n.Width, n.Height);
  if (HasScaledFont(c)) c->Font()->SetHeight(ScaleLength(c->Font()->Height(), f));
  if (auto* w = dynamic_cast<TWinControl*>(c))
    for (int i = 0; i < w->ControlCount(); ++i) ScaleControlTree(w->Controls(i), f);
}

void TOberFormMetal::ScaleFrame(double f) {
  // The constraints are lifted while the window scales and come back scaled:
  // kept, the old minimum would stop a window zooming out from shrinking,
  // and zooming in and out again would not give the old size back.
  TSizeConstraints& k = Constraints();
  const TSizeConstraints old = k;
  k = TSizeConstraints{};
  // A parent is scaled before its children: its anchored children follow
  // its new size first, and their own scaling then makes their margins
  // grow by the factor too.
  ScaleControlTree(this, f);
  FormResize(this);
  k = old;
  if (FRolledUp) {
    FUnrolledHeight = ScaleLength(FUnrolledHeight, f);
    FUnrolledMinHeight = ScaleLength(FUnrolledMinHeight, f);
  } else {
    k.MinHeight = ScaleLength(k.MinHeight, f);
  }
  k.MinWidth = ScaleLength(k.MinWidth, f);
  k.MaxHeight = ScaleLength(k.MaxHeight, f);
  k.MaxWidth = ScaleLength(k.MaxWidth, f);
}
