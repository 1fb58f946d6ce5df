// The intro box: the borderless picture window shown above everything while
// the program starts. It refuses to close until the main window has been
// shown and started its timer; then a click, a key or the timer closes it.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TPZLabel;

class TIntrobox : public TForm {
 public:
  explicit TIntrobox(TComponent* AOwner);
  ~TIntrobox() override;

  // ---- designed components ----
  TPanel* Panel;
  TImage* Image1;
  TBevel* Bevel1;
  TPZLabel* PZLabel1;  // the black shadow of the name
  TPZLabel* PZLabel2;  // the name in yellow
  TImage* Image2;
  TLabel* LabelVer;
  TTimer* Timer1;

  void PanelClick(TObject* Sender);
  void FormKeyPress(TObject* Sender, wchar_t& Key);
  void Timer1Timer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void CreatePictures();
  void CreateLabels();
  // Something modal is about to open: the box, which stays on top, must not
  // hide it, so it goes at once.
  void ModalBegins();
  // A key was pressed in any window of the program: once the main window is
  // up (the timer runs), the box goes, whichever window has the focus.
  void KeyPressed();

  bool FGoing = false;  // freed from the message loop soon
  // The box's handlers in the application's notification lists.
  int FModalBeginKey = 0;
  int FKeyPressedKey = 0;
};

// The intro box while it exists.
extern TIntrobox* Introbox;
