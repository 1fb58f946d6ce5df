// The rich-text edit of the framework.
#pragma once

#include <string>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

class TRichEdit;

// The text of a rich edit seen as lines, the way a viewer loads it.
class TRichEditLines {
 public:
  explicit TRichEditLines(TRichEdit* owner) : FOwner(owner) {}
  // Reads the file whole and streams it in: as rich text, or as it stands
  // in plain-text mode. EFOpenError when it cannot be read.
  void LoadFromFile(const std::string& path);
  std::string Text() const;
  void SetText(const std::string& text);
  int Count() const;
  std::string Strings(int index) const;

 private:
  TRichEdit* FOwner;
};

// A rich edit over the system's "RichEdit20A" class.
class TRichEdit : public TWinControl {
 public:
  explicit TRichEdit(TComponent* AOwner);
  ~TRichEdit() override;

  TRichEditLines* Lines() { return &FLines; }
  // The text with CR LF line ends. Setting it streams it in like a file.
  const std::string& GetText() const override;
  void SetText(const std::string& value) override;
  void LoadFromFile(const std::string& path);
  // Empties the control.
  void Clear();

  // Plain-text mode: text is taken as it stands (no rich-text parsing), and
  // the whole text takes the control's Font.
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

  bool WantsKey(WORD key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  void FontChanged() override;
  void ColorChanged() override;
  // The system's rich edit paints with its own BeginPaint and ignores a DC
  // handed in WM_PAINT: painting for it would validate the window first and
  // leave it blank.
  bool WMPaint(TMessage& Message) override {
    (void)Message;
    return false;
  }

 private:
  void StreamIn(std::string data, bool rich);
  void InsertPlain(const std::string& data);
  void ApplyFont();
  void ApplyTextMode();

  TRichEditLines FLines{this};
  bool FPlainText = false;
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FWordWrap = true;
  bool FDiscarding = false;  // the window goes without keeping its text
};
