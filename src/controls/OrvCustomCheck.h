// TOrvCustomCheck: three states (unchecked, checked, grayed), radio buttons
// in numbered groups and grayed images; TOrvCheck is the one placed on forms.
#pragma once

#include <string>

#include "controls/PCustomCheck.h"

class TOrvCustomCheck : public TPCustomCheck {
 public:
  explicit TOrvCustomCheck(TComponent* AOwner);

  // Read-only: forms store a value; loading it changes nothing.
  const std::string& Version() const;
  void SetVersion(const std::string& value);

  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value);
  // Always State() == cbChecked.
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool GrayedQuestionMark() const { return FGrayedQuestionMark; }
  void SetGrayedQuestionMark(bool value);
  bool IsRadioButton() const { return FIsRadioButton; }
  void SetIsRadioButton(bool value);
  // Radio buttons with the same number above 0 exclude each other.
  int RadioGroup() const { return FRadioGroup; }
  void SetRadioGroup(int value) { FRadioGroup = value; }

  // Fired on every change of State.
  TNotifyEvent OnStateChange;

  // What a click, the space bar and the accelerator do.
  void Toggle();
  // Unchecks the checked radio buttons of this group among the components
  // of this control's owner.
  void UncheckRadioSiblings();

  bool DialogChar(wchar_t key) override;

 protected:
  void Paint() override;
  void DrawBox() override;
  void DrawMark() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoKeyDown(WORD& key, TShiftState shift) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  bool FChecked = false;
  bool FGrayedQuestionMark = false;
  bool FIsRadioButton = false;
  int FRadioGroup = 0;
};

class TOrvCheck : public TOrvCustomCheck {
 public:
  explicit TOrvCheck(TComponent* AOwner);
};
