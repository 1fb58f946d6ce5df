// TOrvWindowSizeHook: an invisible marker placed where a window's lower-right
// inner corner is to be. Applying it sizes the form so that its client area
// ends just beyond the grip's lower-right corner, plus PlusX and PlusY.
#pragma once

#include "framework/Controls.h"

class TForm;

class TOrvWindowSizeHook : public TGraphicControl {
 public:
  explicit TOrvWindowSizeHook(TComponent* AOwner);

  // The grip that is applied. Setting it true clears the flag on the owner's
  // other grips (without running their setters) and, when the parent is
  // visible, applies this one.
  bool Active() const { return FActive; }
  void SetActive(bool value);
  int PlusX() const { return FPlusX; }
  void SetPlusX(int value) { FPlusX = value; }
  int PlusY() const { return FPlusY; }
  void SetPlusY(int value) { FPlusY = value; }

  TNotifyEvent BeforeApply;
  TNotifyEvent AfterApply;

  // Sizes the form that holds the grip directly or through one panel; a grip
  // nested deeper, or not on a form at all, does nothing.
  void Apply();

 protected:
  // Only a designer ever sees it; at run time the grip stays invisible.
  void Paint() override;

 private:
  TForm* TargetForm() const;

  bool FActive = true;
  int FPlusX = 0;
  int FPlusY = 0;
};

// Applies the first active grip among the components the form owns; true
// when there was one.
bool ApplySizeHooks(TForm* form);
