// The batch window: several commands, one per line, run together in one
// console session of the command interpreter, or saved as a batch file.
#pragma once

#include <string>
#include <vector>

#include "frame/UOberMetal.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "framework/WideText.h"

class TOrvNewButton;
class TOrvRoundRectPanel;

// What the batch window needs of the main window to run its commands. The
// main window implements it; the dialogs do not know the main window.
struct TCommandHost {
  // The check box "Execute command in DOS-Window".
  virtual bool DosWindowMode() const = 0;
  virtual void SetDosWindowMode(bool on) = 0;
  // The check box "Close DOS-Window after execution".
  virtual bool CloseSetting() const = 0;
  // Runs a command line directly or through the interpreter; reports its
  // own errors.
  virtual void RunCommand(const std::string& command, bool close) = 0;

 protected:
  ~TCommandHost() = default;
};

// The host of every batch window; none until the main window registers.
void SetCommandHost(TCommandHost* host);
TCommandHost* CommandHost();

class TDBatch : public tOrvFormMetal {
 public:
  explicit TDBatch(TComponent* AOwner);
  ~TDBatch() override;

  // ---- designed components, in declaration order ----
  TSaveDialog* SaveDialog1;
  TOrvNewButton* OrvNewButton1;  // execute
  TOrvNewButton* OrvNewButton2;  // cancel
  TOrvNewButton* OrvNewButton3;  // save as
  TOrvRoundRectPanel* OrvRoundRectPanel1;
  TMemo* Memo1;

  void FormCreate(TObject* Sender) override;
  void FormClose(TObject* Sender, TCloseAction& Action) override;
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);

 private:
  friend TDBatch* OpenBatchFile(const std::string& path);
  void CreateButtons();
  // The bytes of the file the window was opened from, and the lines they
  // gave: saved again unchanged, the file keeps its bytes; changed, it keeps
  // its encoding where the new text allows (a new window: the user's legacy
  // code page, else UTF-8 without a byte-order mark).
  void SaveLines(const std::string& path);
  std::string FLoadedBytes;
  std::vector<std::string> FLoadedLines;
  TTextEncoding FEncoding = TTextEncoding::Legacy;
  bool FLoaded = false;
};

// The most recently created batch window; cleared when that window goes.
extern TDBatch* DBatch;

// A new, empty, hidden batch window owned by the application, with its
// button captions from the current language texts.
TDBatch* CreateBatchWindow();
// A new batch window holding the lines of the file at path, shown. A file
// that cannot be read raises the framework's file error; the new window is
// then freed and never shown.
TDBatch* OpenBatchFile(const std::string& path);
