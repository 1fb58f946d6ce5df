#include <algorithm>

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

int TSizeConstraints::ClampWidth(int w) const {
  if (MaxWidth > 0 && w > MaxWidth) w = MaxWidth;
  if (MinWidth > 0 && w < MinWidth) w = MinWidth;
  return w;
}

int TSizeConstraints::ClampHeight(int h) const {
  if (MaxHeight > 0 && h > MaxHeight) h = MaxHeight;
  if (MinHeight > 0 && h < MinHeight) h = MinHeight;
  return h;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this](TObject*) {
    if (!FSettingParentFont) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (Application) Application->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (Application) Application->ControlDestroyed(this);
}

// ---- parent -------------------------------------------------------------------
void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw Exception("A control cannot be its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
  if (FParent) {
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
  }
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c) {
    if (auto* f = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(f);
    c = c->FParent;
  }
  return nullptr;
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

bool TControl::IsEffectivelyEnabled() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FEnabled) return false;
  return true;
}

// ---- geometry -------------------------------------------------------------------
void TControl::SetBounds(int l, int t, int w, int h) {
  w = FConstraints.ClampWidth(w);
  h = FConstraints.ClampHeight(h);
  ConstrainedResize(w, h);
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (l == FLeft && t == FTop && w == FWidth && h == FHeight) return;
  bool sized = w != FWidth || h != FHeight;
  if (FParent && !dynamic_cast<TWinControl*>(this)) Invalidate();  // the old area
  FLeft = l;
  FTop = t;
  FWidth = w;
  FHeight = h;
  if (!FAnchoring) UpdateAnchorRules();
  BoundsChanged(sized);
  if (FAlign != alNone && !FAnchoring) RequestAlign();
}

void TControl::BoundsChanged(bool sizeChanged) {
  if (FParent) Invalidate();  // the new area of a windowless control
  if (sizeChanged) Resize();
}

void TControl::LoseCapture() {
  CaptureLost();
  if (OnCaptureLost && !IsDestroying()) OnCaptureLost(this);
}

void TControl::Resize() {
  if (OnResize && !IsLoading() && !IsDestroying()) OnResize(this);
}

void TControl::SetClientSize(int w, int h) {
  SetBounds(FLeft, FTop, FWidth + (w - ClientWidth()), FHeight + (h - ClientHeight()));
}

TPoint TControl::ClientOrigin() const {
  // A windowless control's client area lies inside its parent's.
  if (!FParent) return TPoint(FLeft, FTop);
  TPoint p = FParent->ClientOrigin();
  return TPoint(p.x + FLeft, p.y + FTop);
}

int TControl::Dpi() const {
  // Every window of the program is laid out for the system's DPI when it is
  // made.
  return SystemDpi();
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
  TPoint o = ClientOrigin();
  return TPoint(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
  TPoint o = ClientOrigin();
  return TPoint(p.x - o.x, p.y - o.y);
}

void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (value != alNone) {
    // Aligned edges follow the parent; the VCL resets the anchors likewise.
    FAnchors = akLeft | akTop;
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
  FAnchors = value;
  UpdateAnchorRules();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
  FConstraints = c;
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::UpdateAnchorRules() {
  if (!FParent || IsLoading()) return;
  FAnchorRules = BoundsRect();
  FOriginalParentW = FParent->ClientWidth();
  FOriginalParentH = FParent->ClientHeight();
}

void TControl::AnchorToParent(int pw, int ph) {
  if (FAlign != alNone || FAnchors == (akLeft | akTop)) return;
  if (FOriginalParentW == 0 && FOriginalParentH == 0) return;
  int dx = pw - FOriginalParentW, dy = ph - FOriginalParentH;
  int l = FAnchorRules.left, t = FAnchorRules.top;
  int w = FAnchorRules.Width(), h = FAnchorRules.Height();
  if ((FAnchors & akRight) && (FAnchors & akLeft)) w += dx;
  else if (FAnchors & akRight) l += dx;
  else if (!(FAnchors & akLeft)) l += dx / 2;  // neither: keep the centre
  if ((FAnchors & akBottom) && (FAnchors & akTop)) h += dy;
  else if (FAnchors & akBottom) t += dy;
  else if (!(FAnchors & akTop)) t += dy / 2;
  FAnchoring = true;
  SetBounds(l, t, w, h);
  FAnchoring = false;
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

// ---- state ---------------------------------------------------------------------
void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  if (!value && FParent && !dynamic_cast<TWinControl*>(this)) Invalidate();
  FVisible = value;
  VisibleChanged();
  if (FAlign != alNone) RequestAlign();
}

void TControl::VisibleChanged() {
  if (FParent) Invalidate();
}

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::SetText(const std::string& value) {
  if (value == FText) return;
  FText = value;
  TextChanged();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  FParentFont = value;
  if (value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FSettingParentFont = true;
  FFont.Assign(*FParent->Font());
  FSettingParentFont = false;
}

void TControl::FontChanged() {
  Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentFontChanged();
  }
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  FParentColor = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (value == FParentColor) return;
  FParentColor = value;
  if (value && FParent) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  if (FColor == FParent->Color()) return;
  FColor = FParent->Color();
  ColorChanged();
}

void TControl::ColorChanged() {
  Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentColorChanged();
  }
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---- painting -------------------------------------------------------------------
void TControl::Invalidate() {
  if (!FParent || !FVisible) return;
  HWND pw = FParent->HandleIfAllocated();
  if (!pw) return;
  RECT r = BoundsRect();
  // A see-through control needs its parent's background repainted below it.
  InvalidateRect(pw, &r, (FControlStyle & csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  // Removing the control forgets its parent: keep it for the insertion.
  TWinControl* p = FParent;
  p->RemoveControl(this);
  p->InsertControl(this);
}

void TControl::SendToBack() {
  if (!FParent) return;
  TWinControl* p = FParent;
  p->RemoveControl(this);
  p->InsertControl(this);
  // InsertControl appends; move to the front of the same group.
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    auto& v = p->FWinControls;
    std::rotate(v.begin(), v.end() - 1, v.end());
    if (w->HandleAllocated())
      SetWindowPos(w->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    auto& v = p->FControls;
    std::rotate(v.begin(), v.end() - 1, v.end());
  }
  Invalidate();
}

// ---- input ----------------------------------------------------------------------
void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}

void TControl::MouseMove(TShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}

void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DialogChar(wchar_t) { return false; }

void TControl::DispatchMouse(UINT msg, WPARAM keys, int x, int y) {
  TShiftState shift = KeysToShiftState(keys);
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      if (FControlStyle & csDoubleClicks) {
        DblClick();
        if (IsDestroying()) return;
        shift |= ssDouble;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (FControlStyle & csClickEvents) FClicking = true;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONUP:
      if (FClicking) {
        FClicking = false;
        // A click happens on release inside the control.
        if (x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight()) {
          Click();
          if (IsDestroying()) return;
        }
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

// ---- TGraphicControl -----------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() { FCanvas.SetHandle(nullptr); }

void TGraphicControl::PaintTo(HDC dc) {
  if (!dc) throw Exception("A control was asked to paint without a device context: " + Name());
  CanvasBinding bound(FCanvas, dc);
  FCanvas.Font()->Assign(*Font());
  Paint();
}
