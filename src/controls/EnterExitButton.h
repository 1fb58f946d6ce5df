// The image button of every dialog.
//
// TEnterExitButton is a push button that knows whether it is "active":
// focused or under the pointer. TOrvNewButton paints its whole face itself,
// from a bitmap file chosen by that state or as a coloured rectangle, writes
// its caption embossed (shadow, light, text), and cuts its window to a
// rounded rectangle.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/EnterExitButtonRules.h"
#include "framework/StdCtrls.h"

class TBitmap;

class TEnterExitButton : public TButton {
 public:
  explicit TEnterExitButton(TComponent* AOwner);
  ~TEnterExitButton() override;

  bool MouseInside() const { return FMouseInside; }
  bool WasFocused() const { return FWasFocused; }
  TActiveState ActiveState() const { return FActiveState; }

  // Events (sender first). OnMouseEnter is the control's own, and
  // OnMouseExit takes the place of its OnMouseLeave. OnEnter and OnExit keep
  // their names but mean "became active" and "stopped being active" here:
  // OnEnter fires when focus or pointer makes the button active, OnExit only
  // when it loses the last of the two.
  TNotifyEvent OnMouseExit;

  // Focus changes of the form do not raise OnEnter/OnExit for this button;
  // its own focus and pointer tracking does.
  void DoEnter() override {}
  void DoExit() override {}

 protected:
  void MouseEnter() override;
  void MouseLeave() override;
  void FocusReceived() override;
  void FocusLost() override;
  void EnabledChanged() override;
  // Called after ActiveState took a new value.
  virtual void ActiveStateChanged() {}
  void SetActiveState(TActiveState value);

  // A handler may free the button (a click that closes its form and frees
  // it at once); code that runs after a callback checks this token first.
  std::shared_ptr<bool> AliveToken() const { return FAlive; }
  // Raises an event; false when the handler freed the button.
  bool Fire(const TNotifyEvent& event);

 private:
  void FocusChange(bool focusedNow);

  bool FMouseInside = false;
  bool FWasFocused = false;
  TActiveState FActiveState = asNormal;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TOrvNewButton : public TEnterExitButton {
 public:
  explicit TOrvNewButton(TComponent* AOwner);
  ~TOrvNewButton() override;

  // ---- class-wide settings, fixed at start-up ----
  static const std::string& DefaultBitmapPath() { return FDefaultBitmapPath; }
  static void SetDefaultBitmapPath(const std::string& folder);
  static bool BitmapsEnabled() { return FBitmapsEnabled; }
  static bool RegionsEnabled() { return FRegionsEnabled; }
  static void SetBitmapsEnabled(bool value) { FBitmapsEnabled = value; }
  static void SetRegionsEnabled(bool value) { FRegionsEnabled = value; }

  // ---- published ----
  // When a form is built, Kind goes after the caption and before the bitmap
  // names, colours and caption position stored for the button, so that those
  // win over the preset while a preset caption replaces the stored one.
  TOrvButtonKind Kind() const { return FKind; }
  void SetKind(TOrvButtonKind value);
  const std::string& ResBmpActive() const { return FResBmpActive; }
  void SetResBmpActive(const std::string& value);
  const std::string& ResBmpNormal() const { return FResBmpNormal; }
  void SetResBmpNormal(const std::string& value);
  const std::string& ResBmpDisabled() const { return FResBmpDisabled; }
  void SetResBmpDisabled(const std::string& value);
  const std::string& BitmapPath() const { return FBitmapPath; }
  void SetBitmapPath(const std::string& value);
  // The folder the faces are loaded from: BitmapPath, or the default.
  std::string BitmapFolder() const;
  // Color (the control's own colour) is the face in state asNormal without
  // bitmaps, the pressed edge and a disabled caption. Its setter is the
  // control's; the repaint follows from ColorChanged.
  TColor ColorActive() const { return FColorActive; }
  void SetColorActive(TColor value);
  TColor ColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor value);
  TColor FontShadowColor() const { return FFontShadowColor; }
  void SetFontShadowColor(TColor value);
  TColor FontLightColor() const { return FFontLightColor; }
  void SetFontLightColor(TColor value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  int CaptionLeft() const { return FCaptionLeft; }
  void SetCaptionLeft(int value);
  bool CaptionHCenter() const { return FCaptionHCenter; }
  void SetCaptionHCenter(bool value);
  bool UseOrvRegion() const { return FUseOrvRegion; }
  void SetUseOrvRegion(bool value);
  // Whether a region given through SetButtonRegion and later replaced or
  // dropped, without having been handed to the window, is deleted. Regions
  // the button makes itself are always deleted in that case; a region handed
  // to the window never is.
  bool DelOldRgn() const { return FDelOldRgn; }
  void SetDelOldRgn(bool value) { FDelOldRgn = value; }

  // ---- state ----
  TActiveState LoadedState() const { return FLoadedState; }
  bool Pressed() const { return FPressed; }
  bool PressedOutside() const { return FPressedOutside; }
  bool HasPainted() const { return FHasPainted; }
  HRGN ButtonRegion() const { return FButtonRegion; }
  bool RegionApplied() const { return FRegionApplied; }
  // The face bitmap now loaded, or nullptr.
  const TBitmap* FaceBitmap() const { return FBitmap.get(); }
  // The drawing surface of Paint; its font keeps the fitted caption font
  // between paints.
  TCanvas* Canvas() { return FCanvas.get(); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void MakeButtonRegion();
  void SetButtonRegion(HRGN region);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void PaintWindow(HDC dc) override;
  virtual void Paint();
  void MouseEnter() override;
  void MouseLeave() override;
  void CaptureLost() override;
  void ActiveStateChanged() override;
  void HandleDestroying() override;

 private:
  void ForceReload();
  void InvalidateIfPainted();
  // Gives up the current region: deleted when it is still ours.
  void DropRegion();
  void ApplyRegionToWindow();
  // Paint steps.
  void UpdateFaceBitmap();
  void PaintFace();
  void PaintCaption();
  void LeftButtonDown(TMessage& m);

  static std::string FDefaultBitmapPath;
  static bool FBitmapsEnabled;
  static bool FRegionsEnabled;

  TActiveState FLoadedState = asNormal;
  std::unique_ptr<TBitmap> FBitmap;
  bool FPressed = false;
  bool FPressedOutside = false;
  std::unique_ptr<TCanvas> FCanvas;
  TColor FFontShadowColor = 0xC0C0C0;
  bool FCaptionHCenter = true;
  int FCaptionLeft = 0;
  bool FHasPainted = false;
  TColor FFontLightColor = 0xE1E1E1;
  HRGN FButtonRegion = nullptr;
  bool FRegionApplied = false;
  GdiRegion FOwnRegion;  // made by MakeButtonRegion and not yet the window's
  bool FDelOldRgn = true;
  TOrvButtonKind FKind = ibkOther;
  std::string FResBmpDisabled;
  std::string FResBmpActive = "BLUE100";
  std::string FResBmpNormal = "SILVER100";
  std::string FBitmapPath;
  TColor FColorActive = 0xF9D8CF;
  TColor FColorDisabled = 0xF5F5F5;
  bool FShowAccelChar = true;
  bool FUseOrvRegion = true;
};

// The caption's width as drawn by DrawAccelText: the accelerator marker
// takes no room.
int AccelTextWidth(TCanvas* canvas, const std::string& text, bool show);
// Writes the caption at (x, y) in the canvas font's colour; with show set,
// the accelerator marker is left out and the letter after it underlined.
void DrawAccelText(TCanvas* canvas, int x, int y, const std::string& text, bool show);

// Module start-up, run by the program body before it reads its own options:
// the default bitmap folder becomes programDir + "Skins\Buttons\" (programDir
// with its trailing backslash; when empty, the folder of the running program
// file), and the parameters (without the program name) are searched for
// NOBUTTONSHAPES and NOBUTTONBITMAPS in any letter case.
void InitEnterExitButtonModule(const std::vector<std::string>& params,
                               const std::string& programDir);
