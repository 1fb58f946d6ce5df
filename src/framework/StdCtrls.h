// Standard controls: label, edit, combo box, list box, memo, push button.
// The windowed ones are the system's controls, superclassed so that their
// messages pass through the framework's window procedure.
#pragma once

#include <memory>
#include <string>

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/TextRules.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A windowless text.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  // The control that gets the focus when the label's accelerator is typed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value) { FFocusControl = value; }
  // Sizes the label to its text (one line unless WordWrap).
  void AdjustBounds();
  bool DialogChar(char key) override;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  UINT DrawFlags() const;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

// A one-line edit field.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);
  const std::string& GetText() const override;
  void SetText(const std::string& value) override;
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  void SelectAll();
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Characters typed are converted to the OEM set and back.
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool Modified() const;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  bool WMCommandNotify(TMessage& Message) override;
  virtual void Change();

 private:
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  bool FOEMConvert = false;
  int FMaxLength = 0;
  int FSelStart = 0, FSelLength = 0;
  bool FSettingText = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// An editable drop-down combo box. Its key events are those of its edit field.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  const std::string& GetText() const override;
  void SetText(const std::string& value) override;
  TStrings* Items() { return &FItems; }
  int ItemIndex() const;
  void SetItemIndex(int value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  // Selection of the edit field, in characters.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  void SelectAll();
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  // The system's edit field inside the combo box.
  HWND EditHandle() const { return FEditHandle; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

  bool WantsKey(WORD key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WMCommandNotify(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void Change();

 private:
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
  void SyncItems();

  TStrings FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  HWND FEditHandle = nullptr;
  WNDPROC FEditProc = nullptr;
  int FSelStart = 0, FSelLength = 0;
  int FItemIndex = -1;
  bool FSyncing = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// A list of strings, optionally owner-drawn.
class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  TStrings* Items() { return &FItems; }
  int ItemIndex() const;
  void SetItemIndex(int value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  int TopIndex() const;
  void SetTopIndex(int value);
  int ItemAtPos(const TPoint& p, bool existing) const;
  TRect ItemRect(int index) const;
  TCanvas* Canvas() { return &FCanvas; }

  TNotifyEvent OnChange;  // the selection changed (by the user or the program)
  std::function<void(TObject*, int index, TRect rect, UINT state)> OnDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  bool WMCommandNotify(TMessage& Message) override;
  // Owner-drawn lists paint each row here.
  virtual void DrawItem(int index, const TRect& rect, UINT state);
  virtual void SelectionChanged();
  // Pushes the items into the window; called after every change of them.
  virtual void ItemsChanged();

  TStrings FItems;
  TWindowCanvas FCanvas;

 private:
  int FItemHeight = 16;
  int FItemIndex = -1;
  TListBoxStyle FStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
  bool FSorted = false;
  bool FUpdatingItems = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit; its Lines are the text.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  // Copies the window's text into Lines and returns them.
  TStrings* Lines();
  const std::string& GetText() const override;
  void SetText(const std::string& value) override;
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }

  TNotifyEvent OnChange;
  bool WantsKey(WORD key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  bool WMCommandNotify(TMessage& Message) override;

 private:
  void PushLines();

  TStrings FLines;
  bool FPushing = false;
  TScrollStyle FScrollBars = ssNone;
  TBorderStyle FBorderStyle = bsSingle;
  bool FReadOnly = false;
  bool FWordWrap = true;
  bool FWantReturns = true;
};

// A push button: Default answers Enter, Cancel answers Escape, and a click
// sets the form's modal result.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return FDefault; }
  virtual void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  void Click() override;
  bool DialogChar(char key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  bool WMCommandNotify(TMessage& Message) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};
