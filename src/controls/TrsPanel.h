// TTrsPanel: a container panel that can look transparent. Its parent paints
// the part of itself that lies behind the panel; bevels and caption go on
// top. Everything is assembled off screen, so the panel never flickers
// between background and caption.
#pragma once

#include "framework/ExtCtrls.h"

class TTrsPanel : public TCustomPanel {
 public:
  explicit TTrsPanel(TComponent* AOwner);

  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  // True: the parent's picture shows behind the panel instead of Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

 protected:
  void Paint() override;
  // Paint covers every pixel; erasing first would only flicker.
  bool WMEraseBkgnd(HDC dc) override;
  void BoundsChanged(bool sizeChanged) override;

 private:
  bool FShowCaption = true;
  bool FTransparent = true;
};
