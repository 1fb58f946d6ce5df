#include "frame/OrvWindowSizeHook.h"

#include "framework/Forms.h"

TOrvWindowSizeHook::TOrvWindowSizeHook(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetVisible(false);
  SetBounds(Left(), Top(), 16, 16);
}

TForm* TOrvWindowSizeHook::TargetForm() const {
  TWinControl* p = Parent();
  if (!p) return nullptr;
  if (auto* f = dynamic_cast<TForm*>(p)) return f;
  // In a frame window the grip sits in the client panel, which lies on the form.
  return dynamic_cast<TForm*>(p->Parent());
}

void TOrvWindowSizeHook::Apply() {
  if (ComponentState() & csDesigning) return;
  TForm* form = TargetForm();
  if (!form) return;
  if (BeforeApply) BeforeApply(this);
  TPoint corner = form->ScreenToClient(ClientToScreen(TPoint(Width(), Height())));
  form->SetClientSize(corner.x + FPlusX, corner.y + FPlusY);
  if (AfterApply) AfterApply(this);
}

void TOrvWindowSizeHook::SetActive(bool value) {
  if (value && Owner()) {
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
      auto* other = dynamic_cast<TOrvWindowSizeHook*>(Owner()->Components(i));
      if (other && other != this) other->FActive = false;
    }
  }
  FActive = value;
  // A form still being built from its design is not visible yet; its grip is
  // applied when the form is shown.
  if (value && Parent() && Parent()->Visible() && !IsLoading()) Apply();
}

void TOrvWindowSizeHook::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->SetWidth(2);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(FActive ? clMaroon : clGray);
  c->Polyline({TPoint(1, 15), TPoint(15, 15), TPoint(15, 1)});
  c->Polyline({TPoint(15, 15), TPoint(3, 3)});
}

bool ApplySizeHooks(TForm* form) {
  if (!form) return false;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* hook = dynamic_cast<TOrvWindowSizeHook*>(form->Components(i));
    if (hook && hook->Active()) {
      hook->Apply();
      return true;
    }
  }
  return false;
}
