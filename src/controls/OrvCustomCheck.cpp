#include "controls/OrvCustomCheck.h"

#include "controls/CheckResources.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"

namespace {

const std::string kVersion = "TOrvCheck 1.0";

const char* BoxImage(bool radio, bool enabled, bool flat) {
  if (radio) {
    if (enabled) return flat ? "BlankFlatRnd" : "BlankRnd";
    return flat ? "EnabledFlatRnd" : "EnabledRnd";
  }
  if (enabled) return flat ? "BlankFlat" : "Blank";
  return flat ? "EnabledFlat" : "Enabled";
}

const char* GrayedImage(TImageType t, bool questionMark) {
  if (!questionMark) {
    bool hook = t == igHookBlue || t == igHookLime || t == igHookRed;
    return hook ? "CHECKGRAY" : "IKSGRAY";
  }
  switch (t) {
    case igCrossRed:
    case igHookRed: return "QMR";
    case igCrossGreen:
    case igHookLime: return "QMG";
    default: return "QMB";
  }
}

}  // namespace

TOrvCustomCheck::TOrvCustomCheck(TComponent* AOwner) : TPCustomCheck(AOwner) {
  SetFlat(true);
  SetPlayMusic(false);
  SetHotTrack(false);
  SetImageType(igHookRed);
  SetShowHandCursor(false);
}

const std::string& TOrvCustomCheck::Version() const { return kVersion; }

void TOrvCustomCheck::SetVersion(const std::string&) {}

// ---- state -----------------------------------------------------------------------
void TOrvCustomCheck::SetState(TCheckBoxState value) {
  if (value == FState || (value == cbGrayed && !FAllowGrayed)) return;
  FState = value;
  FChecked = value == cbChecked;
  if (OnStateChange) OnStateChange(this);
  Invalidate();
  if (FIsRadioButton && FChecked && FRadioGroup > 0) UncheckRadioSiblings();
}

void TOrvCustomCheck::SetChecked(bool value) {
  if (value == FChecked) return;
  SetState(value ? cbChecked : cbUnchecked);
}

void TOrvCustomCheck::SetAllowGrayed(bool value) {
  if (value == FAllowGrayed) return;
  FAllowGrayed = value;
  if (!value && FState == cbGrayed) SetState(cbUnchecked);
  else Invalidate();
}

void TOrvCustomCheck::SetGrayedQuestionMark(bool value) {
  if (value == FGrayedQuestionMark) return;
  FGrayedQuestionMark = value;
  if (FState == cbGrayed) Invalidate();
}

void TOrvCustomCheck::SetIsRadioButton(bool value) {
  if (value == FIsRadioButton) return;
  FIsRadioButton = value;
  if (value) {
    SetImageType(igCirce);
    SetAllowGrayed(false);
  }
  Invalidate();
}

void TOrvCustomCheck::UncheckRadioSiblings() {
  TComponent* owner = Owner();
  if (!owner) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* other = dynamic_cast<TOrvCustomCheck*>(owner->Components(i));
    if (!other || other == this) continue;
    if (other->FIsRadioButton && other->FRadioGroup == FRadioGroup && other->FChecked)
      other->SetChecked(false);
  }
}

void TOrvCustomCheck::Toggle() {
  if (CanFocus()) SetFocus();
  if (FIsRadioButton) {
    SetChecked(true);  // a checked radio button stays checked
  } else {
    switch (FState) {
      case cbUnchecked: SetState(cbChecked); break;
      case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
      case cbGrayed: SetState(cbUnchecked); break;
    }
  }
  // After the state change and its events; blocks for the sound's length.
  if (PlayMusic()) PlayClickSound();
}

// ---- input -----------------------------------------------------------------------
void TOrvCustomCheck::MouseDown(TMouseButton Button, TShiftState, int, int) {
  // Neither this level nor the framework reports the press itself.
  if (Button == mbLeft && Enabled()) Toggle();
}

bool TOrvCustomCheck::DoKeyDown(WORD& key, TShiftState shift) {
  // Enter reaching the box (no default button took it) clicks without
  // toggling, before the key-down event.
  if (key == VK_RETURN) Click();
  bool swallowed = TPCustomCheck::DoKeyDown(key, shift);
  if (!swallowed && key == VK_SPACE) Toggle();
  return swallowed;
}

bool TOrvCustomCheck::DialogChar(wchar_t key) {
  if (IsAccelerator(key, Caption()) && CanFocus()) Toggle();
  // Not marked as handled: the form goes on looking for the letter.
  return false;
}

// ---- painting --------------------------------------------------------------------
void TOrvCustomCheck::Paint() {
  TPCustomCheck::Paint();
  if (FState != cbUnchecked) DrawMark();
}

void TOrvCustomCheck::DrawBox() { DrawImage(BoxImage(FIsRadioButton, Enabled(), Flat())); }

void TOrvCustomCheck::DrawMark() {
  if (!Enabled()) {
    // No mark when disabled: the disabled box again, round for a radio
    // button so that no square shows around its circle.
    DrawImage(BoxImage(FIsRadioButton, false, Flat()));
  } else if (FState == cbGrayed) {
    DrawImage(GrayedImage(ImageType(), FGrayedQuestionMark));
  } else {
    DrawImage(CheckMarkImage(ImageType()));
  }
}

TOrvCheck::TOrvCheck(TComponent* AOwner) : TOrvCustomCheck(AOwner) {}
