// The framework's speed button: a windowless tool button, optionally flat,
// with a caption, a glyph, and a down state shared within a group.
#pragma once

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Controls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// bsDown: held down by the mouse; bsExclusive: latched down (Down).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // A flat button shows its raised frame only while the pointer is over it.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // A flat, transparent button lets its parent's background show.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Buttons of one parent with the same non-zero GroupIndex: at most one is
  // Down; AllowAllUp lets the down one be released so that none is.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);

  // Up to four images side by side: up, disabled, pressed, latched down.
  // Pixels of the bottom-left pixel's colour are transparent. Changing the
  // bitmap (loading into it, too) updates the button.
  TBitmap* Glyph() { return FGlyph.get(); }
  void SetGlyph(const TBitmap* value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  // Distance of the glyph from the edge given by Layout; -1 centres glyph
  // and caption as a block.
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  // Pixels between glyph and caption; -1 spreads them evenly.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);

  TButtonState State() const { return FState; }

  bool DialogChar(wchar_t key) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void CaptureLost() override;
  void EnabledChanged() override;

 private:
  void GlyphChanged();
  void BuildDisabledGlyph();
  void UpdateExclusive();
  void ReleaseParentCapture();
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
  // Where the glyph and the caption go inside the client area.
  void CalcLayout(const SIZE& glyph, const SIZE& text, TPoint& glyphPos, TRect& textRect) const;
  void DrawGlyph(HDC dc, const TPoint& at, bool enabled, bool pressed);
  void DrawFace(TCanvas* c, bool pressed);

  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FDisabledGlyph;  // made when the glyph has no disabled image
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FFlat = false;
  bool FTransparent = true;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FDragging = false;
  TButtonState FState = bsUp;
};
