// The common base of the program's skinned window frames.
#pragma once

#include <string>

#include "framework/Forms.h"

// True on the NT family from version 5.1 on (5.0 gives false).
bool IsNt51OrLater();
// The same rule on given values, for the tests.
bool IsNt51OrLaterFor(DWORD platformId, DWORD major, DWORD minor);

class TOberFormAbs : public TForm {
 public:
  explicit TOberFormAbs(TComponent* AOwner);

  // The title bar's active and inactive look; the base has none.
  virtual void ShowInactiveLook() {}
  virtual void ShowActiveLook() {}
  // Puts the text into the first, then the second caption label, each only
  // where the reference and the label are set.
  virtual void SetCaptionText(const std::string& text);

  // Switches the system's drop shadow on and gives this window's class the
  // shadow style; false when the platform or a call says no.
  bool EnableDropShadow();

 protected:
  // References to the descendant's label members: the label is looked up
  // each time the caption is set.
  TControl** FCaptionLabel1 = nullptr;
  TControl** FCaptionLabel2 = nullptr;
};
