// Standard controls: label, edit, combo box, list box, memo, push button.
// The windowed ones are the system's controls, superclassed so that their
// messages pass through the framework's window procedure.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

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
  // Forgotten when that control is freed.
  void SetFocusControl(TWinControl* value);
  // Sizes the label to its text (one line unless WordWrap).
  void AdjustBounds();
  bool DialogChar(wchar_t key) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

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

// An editable drop-down combo box. Its key events are those of its edit
// field, which the combo box subclasses while its window exists.
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
  // Rows the drop-down list shows before it scrolls.
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value);
  // Height of a row of the drop-down list, in pixels.
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
  // The system's edit field inside the combo box (none for csDropDownList).
  HWND EditHandle() const { return FEditHandle; }
  // The system's drop-down list window.
  HWND ListHandle() const { return FListHandle; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

  bool WantsKey(WORD key) override;
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WMCommandNotify(TMessage& Message) override;
  bool WMKey(TMessage& Message) override;
  void FontChanged() override;
  virtual void Change();

 private:
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT EditKey(HWND edit, WNDPROC original, UINT msg, WPARAM w, LPARAM l);
  void HookEdit();
  void UnhookEdit();
  void SyncItems();
  void ApplyDropDownHeight();
  void ApplyItemHeight();
  void GetEditSel(int& start, int& end) const;
  void SetEditSel(int start, int end);

  TStrings FItems;
  std::vector<std::string> FShown;  // what the window's list holds
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  HWND FEditHandle = nullptr;
  HWND FListHandle = nullptr;
  int FSelStart = 0, FSelLength = 0;
  int FItemIndex = -1;
};

struct ListEdit;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TDrawItemEvent =
    std::function<void(TObject* Sender, int Index, TRect Rect, UINT State)>;

// A list of strings with one selected entry, optionally owner-drawn.
class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  TStrings* Items() { return &FItems; }
  const TStrings* Items() const { return &FItems; }
  int ItemIndex() const;
  void SetItemIndex(int value);
  // Row height in pixels; 0 lets the font decide.
  int ItemHeight() const;
  void SetItemHeight(int value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Keeps Items sorted without regard to case.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  int TopIndex() const;
  void SetTopIndex(int value);
  // The entry at a client point; -1 when none. Below the last entry,
  // Existing false answers Count instead.
  int ItemAtPos(const TPoint& p, bool existing) const;
  TRect ItemRect(int index) const;
  // Just below the selected row, scrolled into view first.
  TPoint KeyboardMenuPoint() override;
  // The canvas an owner-drawn row paints on while DrawItem runs.
  TCanvas* Canvas() { return &FCanvas; }

  TNotifyEvent OnChange;  // the selection changed (by the user or the program)
  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WMCommandNotify(TMessage& Message) override;
  bool WMKey(TMessage& Message) override;
  void FontChanged() override;
  // Owner-drawn lists paint each row here, with Canvas bound to the row's DC
  // and its brush and font already set for the row's state.
  virtual void DrawItem(int index, const TRect& rect, UINT state);
  virtual void SelectionChanged();
  // Pushes the items into the window; called after every change of them.
  virtual void ItemsChanged();

  TStrings FItems;
  TWindowCanvas FCanvas;

 private:
  void PushItems();
  void PushCount(const ListEdit& e);
  void ApplyItemHeight();
  void DrawItemStruct(DRAWITEMSTRUCT& d);
  int FontRowHeight() const;

  std::vector<std::string> FShown;  // what the window holds
  int FItemHeight = 0;
  int FItemIndex = -1;
  int FNotifiedIndex = -1;  // the selection OnChange last reported
  int FTopIndex = 0;
  TListBoxStyle FStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
  bool FSorted = false;
  bool FSorting = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit. The window's text is the truth: Lines reads it, and a
// change of Lines writes it back.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
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
  // Enter makes a new line instead of pressing the form's default button.
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value);

  TNotifyEvent OnChange;
  bool WantsKey(WORD key) override;
  bool DoKeyPress(wchar_t& key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WMCommandNotify(TMessage& Message) override;
  virtual void Change();

 private:
  void PushLines();
  void PullLines();

  TStrings FLines;
  std::string FPushed;  // the window text as Lines last wrote or read it
  bool FPulling = false;
  TScrollStyle FScrollBars = ssNone;
  TBorderStyle FBorderStyle = bsSingle;
  bool FReadOnly = false;
  bool FWordWrap = true;
  bool FWantReturns = true;
};

// The system's check box and radio button (BS_AUTOCHECKBOX / BS_AUTORADIOBUTTON).
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const;
  void SetChecked(bool value);
  bool DialogChar(wchar_t key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  bool WMCommandNotify(TMessage& Message) override;
  virtual bool IsRadio() const { return false; }

 private:
  bool FChecked = false;
};

class TRadioButton : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;

 protected:
  bool IsRadio() const override { return true; }
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
  bool DialogChar(wchar_t key) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  bool WMCommandNotify(TMessage& Message) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};
