// The manual viewer: a file shown read-only in a window of its own, as rich
// text or as plain text in a fixed-pitch font. Every request opens a new
// viewer, which frees itself when closed.
#pragma once

#include <string>

#include "frame/UOberMetal.h"
#include "framework/ComCtrls.h"

class TOrvRoundRectPanel;

class TWHelp : public tOrvFormMetal {
 public:
  explicit TWHelp(TComponent* AOwner);
  ~TWHelp() override;

  // ---- designed components ----
  TOrvRoundRectPanel* OrvRoundRectPanel1;
  TRichEdit* RichEdit1;

  void FormCreate(TObject* Sender) override;
  void FormClose(TObject* Sender, TCloseAction& Action) override;
};

// The most recently opened viewer; closing any viewer clears it.
extern TWHelp* WHelp;

// Opens a new viewer on the file at path, as rich text when rich is set,
// with the given (markup) caption, and shows it. A file that cannot be read
// raises the framework's file error; the new viewer is then freed unseen.
TWHelp* OpenViewer(const std::string& path, bool rich, const std::string& caption);
// The file of that name in the program folder.
TWHelp* ShowManual(const std::string& fileName, bool rich);
// The file at path, absolute or relative to the current directory.
TWHelp* ViewFile(const std::string& path, bool rich);
