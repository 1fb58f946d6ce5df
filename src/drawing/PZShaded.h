// TPZShaded: a windowless control that fills its area with a colour
// gradient of solid bands (drawing/PZShadeBands.h) and draws its caption
// centred on top: the shaded strip behind the frame's title.
#pragma once

#include "drawing/PZShadeBands.h"
#include "framework/Controls.h"

// Bands per 100 pixels, 0 to 100; 0 is one band over the whole extent.
using TPZGraduation = unsigned char;

class TPZShaded : public TGraphicControl {
 public:
  explicit TPZShaded(TComponent* AOwner);

  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor value);
  TPZGraduation Graduation() const { return FGraduation; }
  // Values above 100 count as 100.
  void SetGraduation(int value);
  TPZDirection Direction() const { return FDirection; }
  void SetDirection(TPZDirection value);

 protected:
  void Paint() override;

 private:
  // The gradient rendered once into a pattern brush, repainted with one
  // fill until a property, the size or a system colour changes: a row for
  // horizontal bands, a column strip for vertical ones, the whole area for
  // the diagonals (when it is not huge; then the bands are filled one by
  // one where they meet the clip).
  struct Pattern {
    TPZDirection Direction = drVertical;
    int Width = -1, Height = -1, Graduation = -1;
    std::uint32_t Start = 0, End = 0;
    int PatternWidth = 0, PatternHeight = 0;
    GdiBrush Brush;
  };
  HBRUSH PatternBrush(std::uint32_t start, std::uint32_t end);

  TColor FStartColor = 0xFF0000;
  TColor FEndColor = 0x000000;
  TPZGraduation FGraduation = 25;
  TPZDirection FDirection = drVertical;
  Pattern FPattern;
};
