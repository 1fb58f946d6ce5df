// The hint window: a small borderless note the program shows by itself at a
// point of the screen, to say what to do next, and that goes by itself after
// five seconds. It never takes the activation, so typing goes on where it
// was (Enter reaches the command line beneath it).
#pragma once

#include <string>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class THintForm : public TForm {
 public:
  explicit THintForm(TComponent* AOwner);
  ~THintForm() override;

  // ---- designed components ----
  TPanel* Panel1;
  TLabel* Label1;
  TTimer* Timer1;

  void Timer1Timer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
};

// The most recently shown hint window; cleared when that window goes.
extern THintForm* HintForm;

// Shows a new hint window with the text on one line, its top-left corner at
// the screen point, and brings the main window to the front beneath it.
THintForm* ShowHintAt(const std::string& text, const TPoint& screenPoint);
