// The type chooser's window: the looks and options, started from the last
// choice; Start writes them to OrvQuill.par beside the program and starts
// Orv Quillon.
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TTypeForm : public TForm {
 public:
  explicit TTypeForm(TComponent* owner);

  TRadioButton* Look[4] = {};
  TCheckBox* NoRegions = nullptr;
  TCheckBox* NoBitmaps = nullptr;
  TCheckBox* Remember = nullptr;
  TCheckBox* History = nullptr;

 private:
  TCheckBox* Option(const char* name, const char* caption, int top);
  void LoadChoice();
  void StartClick();
};
