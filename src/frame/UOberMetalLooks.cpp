// The frame's looks (brushed metal, grey with a gradient, shaded pictures)
// and how the title follows activation.
#include <vector>

#include "controls/TrsPanel.h"
#include "drawing/PZBPanel.h"
#include "drawing/PZLabel.h"
#include "drawing/PZShaded.h"
#include "frame/UOberMetal.h"

namespace {
TOberFormMetal* FirstActiveFrame() {
  if (!Application) return nullptr;
  for (int i = 0; i < Application->ComponentCount(); ++i) {
    auto* f = dynamic_cast<TOberFormMetal*>(Application->Components(i));
    if (f && !f->IsDestroying() && f->IsActiveFrame()) return f;
  }
  return nullptr;
}

// Takes a window of the program out of the topmost windows, onto the top of
// the others.
void LeaveTopmost(HWND h) {
  const UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  if (!(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
  // Wine keeps an owned window right above its owner by turning "not
  // topmost" into "after the window just above the owner": that is this
  // window, or another topmost one, and the window stays topmost. Without
  // its owner for that one call the window goes where it was asked to, on
  // top of the windows that are not topmost, so still above its owner; the
  // owner comes back at once, which moves nothing.
  const HWND owner = GetWindow(h, GW_OWNER);
  if (!owner) return;
  SetWindowLongPtrW(h, GWLP_HWNDPARENT, 0);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetWindowLongPtrW(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

// The windows of this thread that a window owns, directly or through others.
struct OwnedWalk {
  HWND Owner;
  std::vector<HWND> Owned;
};
BOOL CALLBACK CollectOwned(HWND w, LPARAM p) {
  auto* walk = reinterpret_cast<OwnedWalk*>(p);
  for (HWND o = GetWindow(w, GW_OWNER); o; o = GetWindow(o, GW_OWNER))
    if (o == walk->Owner) {
      walk->Owned.push_back(w);
      break;
    }
  return TRUE;
}

void ShowPicture(TImage* image, const TBitmap* picture) {
  if (picture) image->Picture()->Assign(picture);
  else image->Picture()->Clear();
}
}  // namespace

void LightActiveFrame() {
  if (TOberFormMetal* f = FirstActiveFrame()) f->ShowActiveLook();
}

void DimActiveFrame() {
  if (TOberFormMetal* f = FirstActiveFrame()) f->ShowInactiveLook();
}

void TOberFormMetal::SetHeadBitmap(const TBitmap* bitmap) {
  // The skin's pictures stay until the program ends; should one be gone,
  // the title keeps the picture it has.
  if (bitmap) PanelHead->Background()->SetBitmap(bitmap);
}

void TOberFormMetal::SetMetalLook(bool on) {
  const FrameSkin& skin = Skin();
  FMetal = on && skin.Metal && skin.MetalBlue;
  if (FMetal) {
    SetHeadBitmap(skin.MetalBlue.get());
    PanelClient->Background()->SetBitmap(IsDialogFrame() ? skin.MetalLight.get()
                                                          : skin.Metal.get());
    if (HeadShade) {
      // The gradient has no place in the metal title; Notification forgets it.
      TComponent::Free(HeadShade);
    }
    PanelGraySpace->SetVisible(false);
    FShadowColorActive = TColor(0xFFE0DD);
    FCaptionColorActive = clNavy;
    FShadowColorInactive = TColor(0xF0F0F0);
    FCaptionColorInactive = clBlack;
    LabelWh->Font()->SetColor(TColor(0xFFE0DD));
    LabelBl->Font()->SetColor(clNavy);
  } else if (WinBorderMode) {
    PanelClient->SetColor(Color());
  } else {
    FShadowColorActive = clBlack;
    FCaptionColorActive = clWhite;
    FCaptionColorInactive = clSilver;
    FShadowColorInactive = clBlack;
    LabelWh->Font()->SetColor(clBlack);
    LabelBl->Font()->SetColor(clSilver);
  }
}

void TOberFormMetal::ApplyShadedLook() {
  const FrameSkin& skin = Skin();
  SetMetalLook(false);
  FShaded = true;
  PanelHead->SetBorderStyle(bsNone);
  PanelClient->SetBevelOuter(bvNone);
  PanelClient->SetBorderStyle(bsNone);

  ShowPicture(HeadShadeImage, skin.TitleBar.get());
  ShowPicture(HeadShadeActiveImage, skin.TitleBarActive.get());
  HeadShadeActiveImage->SetVisible(true);
  if (HeadShade) HeadShade->SetVisible(false);
  for (TPZLabel* l : {LabelBl, LabelWh}) l->SetTop(l->Top() + 1);

  PanelClient->SetColor(IsDialogFrame() ? TColor(0xE0DDDD) : TColor(0xD2D2D2));
  FCaptionColorActive = clNavy;
  FShadowColorActive = clSilver;
  FCaptionColorInactive = clBlack;
  FShadowColorInactive = clSilver;

  ShowPicture(ImgBorderN, skin.TitleShadow.get());
  ImgBorderN->SetVisible(true);
  ImgBorderN->BringToFront();
  FTitleShadowPlaced = false;
  const std::pair<TImage*, const TBitmap*> borders[] = {{ImgBorderW, skin.BorderW.get()},
                                                        {ImgBorderSW, skin.BorderSW.get()},
                                                        {ImgBorderS, skin.BorderS.get()},
                                                        {ImgBorderE, skin.BorderE.get()}};
  for (const auto& [image, picture] : borders) {
    ShowPicture(image, picture);
    image->SetVisible(true);
    image->SendToBack();
  }
  // They still mark a dialog frame, without pictures of their own.
  for (TImage* i : {RundLO, RundRO}) {
    i->SetAutoSize(false);
    i->Picture()->Clear();
  }
  RundLU->SetVisible(false);
  RundRU->SetVisible(false);
  EnableDropShadow();
}

void TOberFormMetal::ShowActiveLook() { ShowLook(true); }

void TOberFormMetal::ShowInactiveLook() { ShowLook(false); }

void TOberFormMetal::ShowLook(bool active) {
  if (FMetal) {
    if (FActiveLookShown != active) {
      SetHeadBitmap(active ? Skin().MetalBlue.get() : Skin().Metal.get());
      PanelHeadShade->Repaint();
      PanelX->Repaint();
      FActiveLookShown = active;
    }
  } else if (FShaded) {
    if (ImgBorderN) ImgBorderN->SetVisible(active);
    (active ? HeadShadeActiveImage : HeadShadeImage)->SetVisible(true);
    (active ? HeadShadeImage : HeadShadeActiveImage)->SetVisible(false);
    PanelHeadShade->Repaint();
    PanelGraySpace->Repaint();
    PanelX->Repaint();
  } else if (HeadShade) {
    HeadShade->SetStartColor(active ? clBlue : clBlack);
  }
  LabelBl->Font()->SetColor(active ? FCaptionColorActive : FCaptionColorInactive);
  LabelWh->Font()->SetColor(active ? FShadowColorActive : FShadowColorInactive);
}

// ---- activation --------------------------------------------------------------------------
void TOberFormMetal::FormActivate(TObject*) {
  FIsActive = true;
  // The metal title changes a moment later, so that a window that loses
  // and regains activation within 100 ms never shows its inactive title.
  // An inactive title still to come has nothing to show any more.
  TimerDeActivateVerzoegerung->SetEnabled(false);
  if (FMetal) TimerActivateVerzoegerung->SetEnabled(true);
  else ShowActiveLook();
  if (FShaded && HandleAllocated()) RaiseAboveOtherPrograms();
}

void TOberFormMetal::RaiseAboveOtherPrograms() {
  const HWND h = HandleIfAllocated();
  SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  if (FormStyle() == fsStayOnTop) return;
  // On top of every window that is not topmost, without staying there.
  LeaveTopmost(h);
  // Making a window topmost makes the windows it owns topmost too; Wine does
  // not take them back with it (the batch window and the attribute dialog,
  // owned by the main window, stayed above every other program).
  OwnedWalk walk{h, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&walk));
  for (HWND w : walk.Owned) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(w));
    if (form && form->FormStyle() != fsStayOnTop && (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
      LeaveTopmost(w);
  }
}


void TOberFormMetal::FormDeactivate(TObject*) {
  FIsActive = false;
  TimerActivateVerzoegerung->SetEnabled(false);
  if (FMetal) TimerDeActivateVerzoegerung->SetEnabled(true);
  else ShowInactiveLook();
}

void TOberFormMetal::TimerActivateVerzoegerungTimer(TObject*) {
  TimerActivateVerzoegerung->SetEnabled(false);
  if (FIsActive) ShowActiveLook();
}

void TOberFormMetal::TimerDeActivateVerzoegerungTimer(TObject*) {
  TimerDeActivateVerzoegerung->SetEnabled(false);
  if (!FIsActive) ShowInactiveLook();
}
