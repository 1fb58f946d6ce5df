#include "frame/Placement.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Placement, WithinThreePixelsOfTheScreen) {
  EXPECT_TRUE(PlacementAccepted(-3, 10, 500, 400, 1024, 768));
  EXPECT_FALSE(PlacementAccepted(-4, 10, 500, 400, 1024, 768));
  EXPECT_TRUE(PlacementAccepted(527, 10, 500, 400, 1024, 768));  // right edge at 1027
  EXPECT_FALSE(PlacementAccepted(528, 10, 500, 400, 1024, 768));
  EXPECT_TRUE(PlacementAccepted(0, 371, 500, 400, 1024, 768));  // bottom at 771
  EXPECT_FALSE(PlacementAccepted(0, 372, 500, 400, 1024, 768));
  EXPECT_FALSE(PlacementAccepted(0, -4, 500, 400, 1024, 768));
}

TEST(Placement, AbsurdStoredValuesDoNotOverflow) {
  EXPECT_FALSE(PlacementAccepted(INT_MAX, 0, INT_MAX, 10, 1024, 768));
  EXPECT_FALSE(PlacementAccepted(0, 0, 10, INT_MAX, 1024, 768));
  // No size, or a negative one, is damage: the window would be out of reach.
  EXPECT_FALSE(PlacementAccepted(10, 10, -5, 400, 1024, 768));
  EXPECT_FALSE(PlacementAccepted(10, 10, 500, 0, 1024, 768));
  EXPECT_FALSE(PlacementAccepted(INT_MIN, 0, INT_MIN, 10, 1024, 768));
}
