#include "main/PaneTexts.h"

#include <gtest/gtest.h>

TEST(PaneTexts, AttributeSummary) {
  EXPECT_EQ(AttributeSummaryText(0x40), "r h s a - d - N");
  EXPECT_EQ(AttributeSummaryText(0x01 | 0x10 | 0x40), "R h s a - D - N");
  EXPECT_EQ(AttributeSummaryText(0), "r h s a - d - n");
  EXPECT_EQ(AttributeSummaryText(0x7F), "R H S A - D - N");
  // The volume-label flag has no letter.
  EXPECT_EQ(AttributeSummaryText(0x08), "r h s a - d - n");
}

TEST(PaneTexts, FileCount) {
  EXPECT_EQ(FileCountText(123, "Object(s)"), "123 Object(s)");
  EXPECT_EQ(FileCountText(0, "Objekt(e)"), "0 Objekt(e)");
}
