#include "frame/FrameGeometry.h"

#include <gtest/gtest.h>

TEST(FrameGeometry, ResizeRulesKeepTheOppositeEdgeAndTheirMinima) {
  const FrameLimits none;
  const FrameLimits min{300, 200, 0, 0};
  const FrameLimits max{0, 0, 500, 400};
  struct Case {
    ResizeRule Rule;
    FrameBounds From;
    int Delta;
    FrameLimits Limits;
    FrameBounds To;
  } const cases[] = {
      {ResizeRule::Bottom, {10, 10, 400, 300}, 25, none, {10, 10, 400, 325}},
      {ResizeRule::Bottom, {10, 10, 400, 60}, -20, none, {10, 10, 400, 40}},
      {ResizeRule::Bottom, {10, 10, 400, 40}, -5, none, {10, 10, 400, 50}},
      {ResizeRule::Bottom, {10, 10, 400, 40}, 3, none, {10, 10, 400, 43}},
      {ResizeRule::Top, {10, 10, 400, 300}, -30, none, {10, -20, 400, 330}},
      {ResizeRule::Top, {10, 10, 400, 50}, 10, none, {10, 10, 400, 50}},
      // Below the minimum and dragged inward: the minimum, Top kept, so the
      // opposite (bottom) edge moves.
      {ResizeRule::Top, {10, 10, 400, 40}, 10, none, {10, 10, 400, 50}},
      {ResizeRule::Top, {10, 10, 400, 300}, 150, min, {10, 110, 400, 200}},
      {ResizeRule::Top, {10, 10, 400, 350}, -100, max, {10, -40, 400, 400}},
      {ResizeRule::Right, {10, 10, 110, 300}, -20, none, {10, 10, 90, 300}},
      {ResizeRule::Right, {10, 10, 90, 300}, -1, none, {10, 10, 100, 300}},
      {ResizeRule::Right, {10, 10, 400, 300}, 200, max, {10, 10, 500, 300}},
      {ResizeRule::Left, {10, 10, 400, 300}, 150, min, {110, 10, 300, 300}},
      {ResizeRule::Left, {10, 10, 100, 300}, 5, none, {10, 10, 100, 300}},
      {ResizeRule::Left, {10, 10, 80, 300}, 5, none, {10, 10, 100, 300}},
      {ResizeRule::Left, {10, 10, 400, 300}, -15, none, {-5, 10, 415, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    EXPECT_EQ(ApplyResizeRule(c.From, c.Rule, c.Delta, c.Limits), c.To);
  }
}

TEST(FrameGeometry, ScalingFollowsTheAnchors) {
  const ScaleAnchors topLeft, all{true, true, true, true}, bottomRight{false, false, true, true};
  // (8 - 1) x 1.2 + 1 = 9.4, (20 - 1) x 1.2 + 1 = 23.8; sizes x 1.2.
  EXPECT_EQ(ScaleControlRect({8, 20, 100, 21}, topLeft, true, 600, 400, 1.2),
            (FrameBounds{9, 24, 120, 25}));
  // Anchored all round, 8 pixels from each edge of a parent that grew from
  // 500 x 300 to 600 x 360 (the anchors have stretched it): the margins
  // grow to 9.
  EXPECT_EQ(ScaleControlRect({8, 8, 584, 344}, all, true, 600, 360, 1.2),
            (FrameBounds{9, 9, 582, 342}));
  // Anchored bottom-right 20 and 10 pixels from the edges: margins of 24
  // and 12, and the control grows towards the top left.
  EXPECT_EQ(ScaleControlRect({530, 330, 50, 20}, bottomRight, true, 600, 360, 1.2),
            (FrameBounds{516, 324, 60, 24}));
  // Without a parent it just grows; halves round to even.
  EXPECT_EQ(ScaleControlRect({5, 5, 445, 302}, topLeft, false, 0, 0, 1.2),
            (FrameBounds{5, 5, 534, 362}));
  EXPECT_EQ(ScaleLength(-13, 1.2), -16);
  EXPECT_EQ(ScaleLength(540, 0.833), 450);
  EXPECT_EQ(ScaleLength(0, 1.2), 0);
}
