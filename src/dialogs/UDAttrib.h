// The attribute dialog: which kinds of directory entries the main window's
// file list shows. It edits the list's attribute set directly; "Close" only
// hides it, and it lives for the whole run.
#pragma once

#include "frame/UOberMetal.h"
#include "framework/FileCtrl.h"
#include "framework/StdCtrls.h"
#include "program/LanguageFile.h"

class TOrvCheck;
class TOrvNewButton;
class TOrvWindowSizeHook;

class TDAttribs : public tOrvFormMetal {
 public:
  explicit TDAttribs(TComponent* AOwner);
  ~TDAttribs() override;

  // ---- designed components, in declaration order ----
  TLabel* Label1;
  TOrvCheck* OrvCheck1;  // ReadOnly
  TOrvCheck* OrvCheck2;  // Hidden
  TOrvCheck* OrvCheck3;  // System
  TOrvCheck* OrvCheck4;  // Archive
  TOrvCheck* OrvCheck5;  // Directory
  TOrvCheck* OrvCheck6;  // Normal (files without attributes)
  TOrvNewButton* ButtApply;
  TOrvNewButton* ButtClose;
  TOrvWindowSizeHook* OrvWindowSizeHook1;

  // The file list whose attribute set the dialog edits (the main window's).
  TFileListBox* FileList() const { return FFileList; }
  void SetFileList(TFileListBox* list);

  void FormCreate(TObject* Sender) override;
  void FormShow(TObject* Sender) override;
  void ApplyClick(TObject* Sender);
  void ButtCloseClick(TObject* Sender);
  // The texts a language file gives the label and the two buttons.
  void ApplyLanguage(const LanguageTexts& texts);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

 private:
  void CreateButtons();

  TFileListBox* FFileList = nullptr;
};

extern TDAttribs* DAttribs;
