// TPZSpeedButton: the flat tool button of the toolbars and of the frame's
// title bar. Windowless; idle image while the pointer is elsewhere, a second
// image and a raised frame under the pointer, sunk while pressed, latched in
// a group, optionally opening a popup menu, with the caption placed around
// the image.
#pragma once

#include <memory>

#include "drawing/PZButtonLayout.h"
#include "drawing/PZImList.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"

enum TPZButtonState { stUp, stHot, stPressed, stDown, stPressedDown, stMenu };
enum TPZButtonLook { lkFlat, lkRaised, lkSunken, lkLatched };
using TPZNumGlyphs = int;  // 1 .. 3

class TPZSpeedButton : public TGraphicControl {
 public:
  explicit TPZSpeedButton(TComponent* AOwner);
  ~TPZSpeedButton() override;

  // NumGlyphs images side by side: active, idle, disabled. Changing the
  // bitmap (loading into it too) rebuilds the images.
  TBitmap* Glyph() { return FGlyph.get(); }
  // Copies the picture; a width that is a whole multiple of the height sets
  // NumGlyphs to the quotient (1 when it would exceed 3).
  void SetGlyph(const TBitmap* value);
  TPZNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TPZNumGlyphs value);
  // The cut images: 0 active, 1 idle, 2 disabled; nullptr without a glyph.
  // Cut when first asked for (painting asks), so that a button never shown
  // costs nothing beyond its glyph.
  TPZImageList* Images() const;
  HPALETTE GetPalette() const;

  TPZButtonState ButtonState() const { return FButtonState; }
  void SetButtonState(TPZButtonState value);
  TPZButtonLook Look() const { return FLook; }

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);

  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  TPZButtonLayout Layout() const { return FLayout; }
  void SetLayout(TPZButtonLayout value);

  // The image position and caption rectangle for the current size, images
  // and caption.
  void CalcLayout(TPoint& imagePos, TRect& captionRect);

  // Opens the popup menu just below the button's left edge; no click.
  void ShowButtonMenu();

  void Click() override;
  bool DialogChar(wchar_t key) override;
  void Loaded() override;

  // The 8 x 8 pattern of latched buttons, shared by all buttons; nullptr
  // until a button first needs it and again after the last button is gone.
  static TBitmap* DownPatternIfMade();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;

  // The glyph or the number of images changed: the images are cut anew
  // when next needed.
  void RebuildImages();
  void UpdateGroup();

 private:
  void BuildImages() const;
  bool PointerInside() const;
  void DrawFrame(TColor first, TColor second);
  void DrawImage(int index, int x, int y);

  static TBitmap* DownPattern();

  std::unique_ptr<TBitmap> FGlyph;
  mutable std::unique_ptr<TPZImageList> FImages;
  mutable bool FImagesStale = false;
  mutable int FImagesDpi = 0;  // the scale the images were cut for
  TPZNumGlyphs FNumGlyphs = 1;
  TPZButtonState FButtonState = stUp;
  TPZButtonLook FLook = lkFlat;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  int FSpacing = 4;
  int FMargin = -1;
  TPZButtonLayout FLayout = blTop;
  bool FSettingGlyph = false;
};
