#include "controls/OrvRoundRectGeometry.h"

#include <gtest/gtest.h>

TEST(OrvRoundRectGeometry, PenIsOddAndInsetKeepsItInside) {
  struct Case {
    int border, width, inset;
  } cases[] = {{1, 1, 0}, {2, 3, 0}, {3, 3, 1}, {4, 5, 1}, {5, 5, 2}, {0, 1, -1}};
  for (const Case& c : cases) {
    TOutlinePen p = OutlinePenFor(c.border);
    EXPECT_EQ(c.width, p.Width) << "border " << c.border;
    EXPECT_EQ(c.inset, p.Inset) << "border " << c.border;
    EXPECT_EQ(1, p.Width % 2);
  }
}

TEST(OrvRoundRectGeometry, ChildClipBoxCutsOneLessThanRightAndBottom) {
  // A child 257 wide with ClipLeft 2 and ClipRight 3 keeps x = 2 .. 254.
  TClipBox b = ChildClipBox(257, 24, 2, 2, 3, 3);
  EXPECT_EQ(2, b.Left);
  EXPECT_EQ(255, b.Right);
  EXPECT_EQ(2, b.Top);
  EXPECT_EQ(22, b.Bottom);
  // ClipRight 4 hides three columns.
  EXPECT_EQ(254, ChildClipBox(257, 24, 2, 2, 4, 4).Right);
  EXPECT_EQ(21, ChildClipBox(257, 24, 2, 2, 4, 4).Bottom);
}
