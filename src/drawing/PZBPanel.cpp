#include "drawing/PZBPanel.h"

#include <algorithm>

namespace {
constexpr int kFace = 100, kShadow = 60, kLight = 140;
}  // namespace

TPZBitmapPanel::TPZBitmapPanel(TComponent* AOwner)
    : TCustomPanel(AOwner),
      FBackground(std::make_unique<TPZBackground>(this, std::initializer_list<int>{kFace, kShadow, kLight},
                                                  Canvas())) {
  FBackground->OnChange = [this](TObject*) { Invalidate(); };
}

TPZBitmapPanel::~TPZBitmapPanel() = default;

bool TPZBitmapPanel::WMEraseBkgnd(HDC) { return true; }

// Rings from the outside in: the left column and the top row of each ring in
// the first kind, the bottom row and the right column (each from its second
// pixel) in the second.
void TPZBitmapPanel::DrawBevel(TRect& r, TBevelCut cut) {
  const TRect client = ClientRect();
  auto strip = [&](int l, int t, int rr, int b, bool light) {
    if (cut == bvSpace) FBackground->DrawBackground(client, TRect(l, t, rr, b), Color(), kFace);
    else if (light) FBackground->DrawBackground(client, TRect(l, t, rr, b), clBtnHighlight, kLight);
    else FBackground->DrawBackground(client, TRect(l, t, rr, b), clBtnShadow, kShadow);
  };
  // The first kind of every ring, then the second: the strips of one kind
  // share a pattern, and strips of different kinds never overlap.
  const bool firstLight = cut == bvRaised;
  const int rings = std::min(BevelWidth(), std::max(0, std::min(r.Width(), r.Height()) + 1) / 2);
  for (int i = 0; i < rings; ++i) {
    strip(r.left + i, r.top + i, r.left + i + 1, r.bottom - i, firstLight);
    strip(r.left + i, r.top + i, r.right - i, r.top + i + 1, firstLight);
  }
  for (int i = 0; i < rings; ++i) {
    strip(r.left + i + 1, r.bottom - i - 1, r.right - i, r.bottom - i, !firstLight);
    strip(r.right - i - 1, r.top + i + 1, r.right - i, r.bottom - i, !firstLight);
  }
  r = TRect(r.left + rings, r.top + rings, r.right - rings, r.bottom - rings);
}

void TPZBitmapPanel::Paint() {
  TPZBackground::PaintScope scope(*FBackground);
  const TRect client = ClientRect();
  TRect r = client;
  if (BevelOuter() != bvNone) DrawBevel(r, BevelOuter());
  const int bw = BorderWidth();
  if (bw > 0) {
    FBackground->DrawBackground(client, TRect(r.left, r.top, r.right, r.top + bw), Color(), kFace);
    FBackground->DrawBackground(client, TRect(r.right - bw, r.top, r.right, r.bottom), Color(), kFace);
    FBackground->DrawBackground(client, TRect(r.left, r.bottom - bw, r.right, r.bottom), Color(), kFace);
    FBackground->DrawBackground(client, TRect(r.left, r.top, r.left + bw, r.bottom), Color(), kFace);
    r = TRect(r.left + bw, r.top + bw, r.right - bw, r.bottom - bw);
  }
  // The inner bevel takes its width too: the face would cover it otherwise.
  if (BevelInner() != bvNone) DrawBevel(r, BevelInner());
  FBackground->DrawBackground(client, r, Color(), kFace);

  if (Caption().empty()) return;
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(*Font());
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  format |= Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
  c->DrawText(Caption(), r, format);
}
