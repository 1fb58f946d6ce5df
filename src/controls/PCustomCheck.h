// TPCustomCheck: the base of the program's check boxes. It paints its box,
// mark and caption itself from small resource bitmaps, with an optional
// frame, hot tracking, a hand cursor, a click sound and a transparent mode
// in which the parent's picture shows behind it. This level has a single
// on/off value; TOrvCustomCheck adds three states and radio groups.
#pragma once

#include <memory>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Controls.h"

enum TImageType {
  igCrossRed, igHookBlue, igCirce, igCrossBlue, igCrossGreen, igHookLime, igHookRed
};
enum TMargine { bmNone, bmLowered, bmRaised, bmSimple };
// The framework's alignment values: taRightJustify puts the box on the left
// and the caption to its right; taLeftJustify the caption on the left and
// the box at the right edge. taCenter is taken as taRightJustify.
using TLeft = TAlignment;

// The resource name of the mark an enabled, checked box shows.
const char* CheckMarkImage(TImageType type);

using TOnMouseOverEvent = TNotifyEvent;
using TOnMouseOutEvent = TNotifyEvent;

class TPCustomCheck : public TCustomControl {
 public:
  explicit TPCustomCheck(TComponent* AOwner);
  ~TPCustomCheck() override;

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool ShowFocused() const { return FShowFocused; }
  void SetShowFocused(bool value) { FShowFocused = value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // The pointer is over the box and HotTrack is on.
  bool Hot() const { return FHot; }
  bool ShowHandCursor() const { return FShowHandCursor; }
  void SetShowHandCursor(bool value) { FShowHandCursor = value; }
  bool PlayMusic() const { return FPlayMusic; }
  void SetPlayMusic(bool value) { FPlayMusic = value; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value) { FHotTrack = value; }
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType value);
  TMargine Style() const { return FStyle; }
  void SetStyle(TMargine value);
  TColor ColorSipleMargine() const { return FColorSipleMargine; }
  void SetColorSipleMargine(TColor value);
  const std::string& HintSecondLine() const { return FHintSecondLine; }
  // Stores the text and, when it and the hint are both non-empty, appends a
  // carriage return and the text to the hint (again on every call).
  void SetHintSecondLine(const std::string& value);
  TLeft Alignment() const { return FAlignment; }
  void SetAlignment(TLeft value);

  // Pointer entered / left; only while enabled.
  TOnMouseOutEvent OnMouseExit;

  // Client rectangle after the frame, as of the last paint.
  TRect BoxRect() const { return FBoxRect; }
  // Where the caption was drawn at the last paint.
  TRect TextRect() const { return FTextRect; }

  bool DialogChar(wchar_t key) override;

  // The 8 x 8 pattern behind a hot box, shared by all check boxes; nullptr
  // until needed and again after any check box was destroyed.
  static TBitmap* HotPatternIfMade();

 protected:
  void Paint() override;
  // Draws the box and the mark images; TOrvCustomCheck chooses others.
  virtual void DrawBox();
  virtual void DrawMark();
  // Loads the named image and draws it at the box's place; a missing image
  // draws nothing.
  void DrawImage(const std::string& name);

  bool IsOn() const { return FOn; }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void FocusReceived() override;
  void FocusLost() override;
  bool WMEraseBkgnd(HDC dc) override;

 private:
  static TBitmap* HotPattern(TColor face);

  bool FTransparent = false;
  bool FShowFocused = true;
  bool FFlat = false;
  bool FHot = false;
  bool FOn = false;
  bool FShowHandCursor = true;
  bool FPlayMusic = true;
  bool FHotTrack = true;
  TImageType FImageType = igCrossRed;
  TMargine FStyle = bmNone;
  TColor FColorSipleMargine = clBlue;
  std::string FHintSecondLine;
  TLeft FAlignment = taRightJustify;
  std::unique_ptr<TBitmap> FImage;
  TRect FBoxRect;
  TRect FTextRect;
};
