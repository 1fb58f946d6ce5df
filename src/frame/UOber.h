// The common base of the program's skinned window frames.
#pragma once

#include <string>

#include "drawing/PZLabel.h"
#include "framework/Forms.h"

// True on the NT family from version 5.1 on (5.0 gives false), by the
// version values the framework read at start-up.
bool IsNt51OrLater();

class TOberFormAbs : public TForm {
 public:
  explicit TOberFormAbs(TComponent* AOwner);

  // The title bar's active and inactive look; the base has none.
  virtual void ShowInactiveLook() {}
  virtual void ShowActiveLook() {}
  // Puts the text into the first, then the second caption label, each only
  // where the reference and the label are set.
  virtual void SetCaptionText(const std::string& text);

  // Switches the system's drop shadow on (for this session, not in the
  // user's profile) and gives this window's class the shadow style; false
  // before NT 5.1, changing nothing, or when a call says no.
  bool EnableDropShadow();

 protected:
  // References to the descendant's label members (set in its FormCreate):
  // the label is looked up each time the caption is set, so a label made
  // anew later still receives it.
  TPZLabel** FCaptionLabel1 = nullptr;
  TPZLabel** FCaptionLabel2 = nullptr;
};
