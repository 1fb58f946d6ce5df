// The title buttons and the system menu, and what they do to the window:
// close, maximise and restore, roll up to the title bar, minimise the
// application; the rounded region of dialog frames.
#include "controls/TrsPanel.h"
#include "drawing/PZBPanel.h"
#include "drawing/PZSpButt.h"
#include "frame/FrameGeometry.h"
#include "frame/UOberMetal.h"

void TOberFormMetal::LayoutTitleButtons() {
  const TitleButtonPlaces p = PlaceTitleButtons(WinZoomButt->Visible(), WinDownButt->Visible(),
                                                WinUpButt->Visible(), WinBigButt->Visible());
  PanelX->SetWidth(p.PanelWidth);
  TPZSpeedButton* const buttons[] = {WinZoomButt, WinDownButt, WinUpButt, WinBigButt, WinXButt};
  for (int i = 0; i < 5; ++i) buttons[i]->SetLeft(p.Left[i]);
}

void TOberFormMetal::ImgSysMClick(TObject*) {
  // Just below the system image, at the title bar's left edge.
  SysMen->Popup(Left() + PanelHead->Left() + 1, Top() + PanelHead->Height() + 1);
}

void TOberFormMetal::WinXButtClick(TObject*) {
  // A dialog shown modally ends with "cancel"; every other window closes
  // through the close query, so it may refuse.
  if (Tag() == 0 && IsModal()) SetModalResult(mrCancel);
  else Close();
}

void TOberFormMetal::WinBigButtClick(TObject*) {
  if (WindowState() != wsNormal) {
    SetWindowState(wsNormal);
    SetButtonGlyph(WinBigButt, Skin().BIG_M.get());
  } else {
    SetRolledUp(false);
    SetWindowState(wsMaximized);
    SetButtonGlyph(WinBigButt, Skin().RESTORE_M.get());
  }
  MenMaximieren->SetChecked(WindowState() == wsMaximized);
}

void TOberFormMetal::PanelHeadDblClick(TObject* Sender) {
  if (WinBigButt->Visible()) WinBigButtClick(Sender);
}

void TOberFormMetal::WinUpButtClick(TObject*) { SetRolledUp(!FRolledUp); }

void TOberFormMetal::WinDownButtClick(TObject*) {
  // All the program's windows go to the task bar with the main window.
  if (Application) Application->Minimize();
}

void TOberFormMetal::SetRolledUp(bool on) {
  if (on == FRolledUp) return;
  FRolledUp = on;
  if (on) {
    if (WindowState() == wsMaximized) WinBigButtClick(this);
    FUnrolledHeight = Height();
    FUnrolledMinHeight = Constraints().MinHeight;
    Constraints().MinHeight = 0;
    SetHeight(PanelHead->Height());
    SetButtonGlyph(WinUpButt, Skin().RESTORE_M.get());
  } else {
    SetHeight(FUnrolledHeight);
    Constraints().MinHeight = FUnrolledMinHeight;
    SetButtonGlyph(WinUpButt, Skin().UP_M.get());
  }
  MenMinimieren->SetChecked(FRolledUp);
}

void TOberFormMetal::SetRoundRegion(bool on) {
  FRoundRegion = on;
  // Without a window yet the region comes with the window (HandleCreated);
  // asking for the handle here would make every dialog's window at start-up.
  if (!on || !HandleAllocated()) return;
  GdiRegion region(CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, 11, 11));
  if (!region) return;
  // The system owns the region from here on and frees it when another one
  // replaces it or the window goes.
  if (SetWindowRgn(HandleIfAllocated(), region.Get(), TRUE)) region.Release();
}

void TOberFormMetal::UpdateRoundRegion() { SetRoundRegion(FRoundRegion); }

void TOberFormMetal::HandleCreated() {
  TOberFormAbs::HandleCreated();
  if (FRoundRegion) UpdateRoundRegion();
}
