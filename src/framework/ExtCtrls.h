// Panels, shapes, bevels, images and timers.
#pragma once

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Controls.h"

// Draws a 3-D frame of the given width inside r and shrinks r by it.
void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width);

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool v) { FFullRepaint = v; }

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;
  void CreateParams(TCreateParams& Params) override;

 private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
  bool FCtl3D = true;
  bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

// A timer driven by the message loop: OnTimer runs on the GUI thread.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned value);
  TNotifyEvent OnTimer;
  void Loaded() override;

  // Runs OnTimer now as if the interval had elapsed (tests use it).
  void Fire();

 private:
  void UpdateTimer();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType v);

 protected:
  void Paint() override;

 private:
  TPen FPen;
  TBrush FBrush;
  TShapeType FShape = stRectangle;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// Shows a bitmap; with AutoSize it takes the picture's size.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TBitmap* Picture() { return FPicture.get(); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  // The picture at the image's scale.
  const TBitmap& Shown() const;
  std::unique_ptr<TBitmap> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FAutoSize = false;
  bool FTransparent = false;
};
