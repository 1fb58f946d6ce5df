// TPZBitmapPanel: a panel whose face and border show a texture at full
// brightness and whose bevels show the same texture darker (shadow side, 60 %)
// and brighter (light side, 140 %), as if carved into it. Without a picture
// it looks like a plain panel in the system's colours.
#pragma once

#include <memory>

#include "drawing/PZBgnd.h"
#include "framework/ExtCtrls.h"

class TPZBitmapPanel : public TCustomPanel {
 public:
  explicit TPZBitmapPanel(TComponent* AOwner);
  ~TPZBitmapPanel() override;

  // The texture: its Bitmap, Transparent and Style.
  TPZBackground* Background() { return FBackground.get(); }

 protected:
  void Paint() override;
  // Paint covers every pixel; erasing first would only flicker.
  bool WMEraseBkgnd(HDC dc) override;

 private:
  void DrawBevel(TRect& r, TBevelCut cut);
  std::unique_ptr<TPZBackground> FBackground;
};
