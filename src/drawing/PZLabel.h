// TPZLabel: a windowless label whose caption carries markup (drawing/
// PZMarkup.h): style and colour switches and line breaks. The text wraps at
// blanks to the label's width, and the block of lines is aligned
// horizontally and vertically; each line is aligned inside the block too.
#pragma once

#include "drawing/PZMarkup.h"
#include "framework/Controls.h"

class TPZLabel : public TGraphicControl {
 public:
  explicit TPZLabel(TComponent* AOwner);

  TPZHorzAlignment HorzAlignment() const { return FHorzAlignment; }
  void SetHorzAlignment(TPZHorzAlignment value);
  TPZVertAlignment VertAlignment() const { return FVertAlignment; }
  void SetVertAlignment(TPZVertAlignment value);
  // True (the default): nothing behind the text is painted. False: the
  // label's area is filled with Color first.
  bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
  void SetTransparent(bool value);
  // True: the caption's first line alone, cut with "..." where it does not
  // fit the width (a title, whose second line would never show). False (the
  // default): the text wraps.
  bool EndEllipsis() const { return FEndEllipsis; }
  void SetEndEllipsis(bool value);

  // The caption laid out at the label's width in its font, as Paint draws
  // it: the lines, and the extent of the block.
  MarkupLayout Layout();

 protected:
  void Paint() override;

 private:
  TPZHorzAlignment FHorzAlignment = haLeft;
  TPZVertAlignment FVertAlignment = vaTop;
  bool FEndEllipsis = false;
  MarkupLayout LayoutFor(int width, MarkupMeasure& measure);
};
