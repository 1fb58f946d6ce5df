// The frame's title bar and client panel. Their single border line is the
// window's outermost pixel: on a resizable frame a press on it goes to the
// resize piece next to it, as a press on that piece would, and the pointer
// shows that piece's cursor there.
#pragma once

#include <functional>

#include "drawing/PZBPanel.h"

class TFramePanel : public TPZBitmapPanel {
 public:
  using TPZBitmapPanel::TPZBitmapPanel;

  // The resize piece for a point of the border line (client coordinates,
  // outside the client area), or none: unset, the line is no edge.
  std::function<TControl*(int x, int y)> BorderPiece;

  void WndProc(TMessage& Message) override;

 private:
  // The piece on the border at a point in client coordinates, if the point
  // lies outside the client area.
  TControl* PieceAt(int x, int y) const;
  // The piece a press on the border went to; it gets every mouse message
  // until the release, as a pressed windowless control does.
  TControl* FPressed = nullptr;
};
