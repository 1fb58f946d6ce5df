// The language of the interface: the chooser window TDLng, the choice kept
// in the pointer file beside the program, and the loading of the chosen
// language file at start-up.
#pragma once

#include <string>

#include "frame/UOberMetal.h"
#include "framework/StdCtrls.h"
#include "program/LanguageFile.h"

class TOrvNewButton;
class TOrvRoundRectPanel;
class TOrvWindowSizeHook;
class TPZLabel;

class TDLng : public tOrvFormMetal {
 public:
  explicit TDLng(TComponent* AOwner);
  ~TDLng() override;

  // ---- designed components ----
  TPZLabel* PZLabel1;
  TOrvRoundRectPanel* OrvRoundRectPanel1;
  TListBox* ListBox1;
  TOrvNewButton* OrvNewButton1;  // English help
  TOrvNewButton* OrvNewButton2;  // German help
  TOrvNewButton* OrvNewButton3;  // OK
  TOrvNewButton* OrvNewButton4;  // cancel
  TOrvWindowSizeHook* OrvWindowSizeHook1;

  void Loaded() override;
  void ListBox1Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 private:
  void CreateButtons();
};

// The chooser while it is open.
extern TDLng* DLng;

// Shows the chooser modally with the language files of the program folder;
// on OK with a language selected, the pointer file at pointerPath names it
// from then on (written whole or not at all).
void ChooseLanguage(const std::string& pointerPath);

// Reads the pointer file beside the program (asking with the chooser when
// there is none, or when it names no language file) and the language file
// it names. The program-wide texts and the attribute dialog take the file's
// texts at once; the result holds them for the main window. Nothing is in
// force when no language could be found: the texts stay English.
LanguageTexts LoadLanguage();
