#include "drawing/PZButtonLayout.h"

#include <gtest/gtest.h>

namespace {
TPZLayoutInput Input(TPZButtonLayout layout, int margin = -1) {
  TPZLayoutInput in;
  in.ClientWidth = 73;
  in.ClientHeight = 45;
  in.ImageWidth = 24;
  in.ImageHeight = 20;
  in.CaptionWidth = 40;
  in.CaptionHeight = 13;
  in.HasCaption = in.HasImages = true;
  in.Spacing = 4;
  in.Margin = margin;
  in.Layout = layout;
  return in;
}
}  // namespace

// Centred blocks: total = spacing + image + caption along the layout's axis.
TEST(PZButtonLayout, CentredBlocksForEachLayout) {
  TPZLayout top = CalcButtonLayout(Input(blTop));  // total 37
  EXPECT_EQ(73 / 2 - 12, top.ImageX);
  EXPECT_EQ(22 - 18, top.ImageY);
  EXPECT_EQ(2, top.CaptionLeft);
  EXPECT_EQ(71, top.CaptionRight);
  EXPECT_EQ(4 + 20 + 4, top.CaptionTop);
  EXPECT_EQ(4 + 20 + 4 + 13, top.CaptionBottom);

  TPZLayout bottom = CalcButtonLayout(Input(blBottom));
  EXPECT_EQ(22 + 18 - 20, bottom.ImageY);
  EXPECT_EQ(20 - 4 - 13, bottom.CaptionTop);
  EXPECT_EQ(20 - 4, bottom.CaptionBottom);

  TPZLayout left = CalcButtonLayout(Input(blLeft));  // total 68
  EXPECT_EQ(36 - 34, left.ImageX);
  EXPECT_EQ(22 - 10, left.ImageY);
  EXPECT_EQ(2 + 24 + 4, left.CaptionLeft);
  EXPECT_EQ(2 + 24 + 4 + 40, left.CaptionRight);
  EXPECT_EQ(22 - 6, left.CaptionTop);
  EXPECT_EQ(22 + 6, left.CaptionBottom);

  TPZLayout right = CalcButtonLayout(Input(blRight));
  EXPECT_EQ(36 + 34 - 24, right.ImageX);
  EXPECT_EQ(46 - 4 - 40, right.CaptionLeft);
  EXPECT_EQ(46 - 4, right.CaptionRight);
}

// An empty caption (or no image) takes no spacing: the image alone is centred.
TEST(PZButtonLayout, EmptyCaptionCentresImageAlone) {
  TPZLayoutInput in = Input(blTop);
  in.HasCaption = false;
  in.CaptionWidth = in.CaptionHeight = 0;
  TPZLayout r = CalcButtonLayout(in);
  EXPECT_EQ(73 / 2 - 12, r.ImageX);
  EXPECT_EQ(22 - 10, r.ImageY);
  in.Layout = blLeft;
  EXPECT_EQ(36 - 12, CalcButtonLayout(in).ImageX);
}

// A margin moves the image to that distance from its edge; the caption follows
// at Spacing.
TEST(PZButtonLayout, MarginMovesImageAndCaptionTogether) {
  TPZLayout left = CalcButtonLayout(Input(blLeft, 3));
  EXPECT_EQ(3, left.ImageX);
  EXPECT_EQ(3 + 24 + 4, left.CaptionLeft);
  EXPECT_EQ(3 + 24 + 4 + 40, left.CaptionRight);

  TPZLayout top = CalcButtonLayout(Input(blTop, 3));
  EXPECT_EQ(3, top.ImageY);
  EXPECT_EQ(3 + 20 + 4, top.CaptionTop);
  EXPECT_EQ(2, top.CaptionLeft);

  EXPECT_EQ(73 - 3 - 24, CalcButtonLayout(Input(blRight, 3)).ImageX);
  EXPECT_EQ(45 - 3 - 20, CalcButtonLayout(Input(blBottom, 3)).ImageY);
  EXPECT_EQ(45 - 3 - 20 - 4 - 13, CalcButtonLayout(Input(blBottom, 3)).CaptionTop);
}

