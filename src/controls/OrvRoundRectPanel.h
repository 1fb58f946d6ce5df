// TOrvRoundRectPanel: the frame around every text or list control. A panel
// with a rounded outline in BorderColor whose own window is cut to that
// rounded shape, and which can cut one windowed child to an inner rectangle
// so that the child's sunken edge is hidden inside the frame.
#pragma once

#include "framework/ExtCtrls.h"

class TOrvRoundRectPanel : public TCustomPanel {
 public:
  explicit TOrvRoundRectPanel(TComponent* AOwner);
  ~TOrvRoundRectPanel() override;

  // Width and height of the ellipse that rounds each corner, in pixels.
  int RndRadius() const { return FRndRadius; }
  void SetRndRadius(int value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  bool ClipFirstControl() const { return FClipFirstControl; }
  void SetClipFirstControl(bool value);
  // Index of the cut child among the panel's children, windowless ones first.
  int ClipControlNr() const { return FClipControlNr; }
  void SetClipControlNr(int value);
  int ClipLeft() const { return FClipLeft; }
  void SetClipLeft(int value);
  // One more than the pixels cut from the child's right side.
  int ClipRight() const { return FClipRight; }
  void SetClipRight(int value);
  int ClipTop() const { return FClipTop; }
  void SetClipTop(int value);
  // One more than the pixels cut from the child's bottom.
  int ClipBottom() const { return FClipBottom; }
  void SetClipBottom(int value);
  // The four clip values in the order the designs give them.
  void SetClipMargins(int left, int right, int top, int bottom);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Forgets both regions so that the next paint makes them anew. The windows
  // keep what they have until then.
  void DiscardRegions();
  // The regions last handed to the panel's and the child's window; null
  // until made. They belong to those windows, never to the panel.
  HRGN PanelRegion() const { return FPanelRegion; }
  HRGN ChildRegion() const { return FChildRegion; }

  // Class-wide look switch: false keeps every panel window rectangular. It
  // does not govern the cutting of the child.
  static bool RegionsEnabled() { return FRegionsEnabled; }
  static void SetRegionsEnabled(bool value) { FRegionsEnabled = value; }

 protected:
  void Paint() override;

 private:
  void DrawOutline();
  void ShapePanelWindow();
  void CutChildWindow();
  // Stores a changed value, forgets the regions and repaints.
  void ChangeShape(int& field, int value);

  static bool FRegionsEnabled;

  HRGN FPanelRegion = nullptr;
  HRGN FChildRegion = nullptr;
  int FRndRadius = 20;
  TColor FBorderColor = clGray;
  bool FClipFirstControl = false;
  int FClipControlNr = 0;
  int FClipLeft = 2;
  int FClipRight = 3;
  int FClipTop = 2;
  int FClipBottom = 3;
};
