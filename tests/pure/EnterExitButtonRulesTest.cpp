#include "controls/EnterExitButtonRules.h"

#include <gtest/gtest.h>

TEST(EnterExitButtonRules, BlueFacesTakeTheNearestWidthStep) {
  const std::pair<int, int> steps[] = {{0, 35},    {39, 35},   {40, 100}, {125, 100},
                                       {126, 150}, {175, 150}, {176, 200}};
  for (auto [width, face] : steps) EXPECT_EQ(BlueFaceWidth(width), face) << width;
  auto blue = KindPreset(ibkBlue, 130, true);
  EXPECT_EQ(blue->Width, 150);
  EXPECT_EQ(blue->ResBmpActive, "BLUE150");
  EXPECT_EQ(blue->ResBmpNormal, "SILVER150");
  EXPECT_FALSE(blue->Caption);  // the caption stays
  // The "..." stands in for the picture only when there are no pictures.
  EXPECT_EQ(KindPreset(ibkPPP, 100, true)->Caption, "");
  EXPECT_EQ(KindPreset(ibkPPP, 100, false)->Caption, "...");
  EXPECT_FALSE(KindPreset(ibkOther, 100, true));
}

TEST(EnterExitButtonRules, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
  EXPECT_EQ(RoundHalfEven(14.4), 14);
}

TEST(EnterExitButtonRules, AcceleratorMarkerAndNames) {
  EXPECT_EQ(AccelMarkerPos("&Apply"), 0u);
  EXPECT_EQ(AccelMarkerPos("trailing&"), 8u);
  EXPECT_EQ(AccelMarkerPos("Apply"), std::string::npos);
  // A first '&' that begins "&&" means no marker at all, even with a single
  // '&' later on.
  EXPECT_EQ(AccelMarkerPos("A&&B&C"), std::string::npos);
  EXPECT_EQ(FaceBitmapName(asDisabled, "A", "N", "D"), "D");
  EXPECT_EQ(FaceBitmapName(asDisabled, "A", "N", ""), "N");
  EXPECT_EQ(WithTrailingBackslash("C:\\Skins"), "C:\\Skins\\");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(EnterExitButtonRules, CaptionFitDropsBoldThenShrinksDownToSix) {
  // A width model: 10 per point, 20 more when bold.
  auto measure = [](int size, bool bold) { return size * 10 + (bold ? 20 : 0); };
  TCaptionFit f = FitCaption(200, 10, true, measure);
  EXPECT_TRUE(f.Size == 10 && f.Bold);
  f = FitCaption(105, 10, true, measure);  // fits once plain: the size stays
  EXPECT_TRUE(f.Size == 10 && !f.Bold && f.Width == 100);
  f = FitCaption(85, 10, true, measure);
  EXPECT_TRUE(f.Size == 8 && !f.Bold && f.Width == 80);
  f = FitCaption(5, 10, true, measure);
  EXPECT_EQ(f.Size, kMinCaptionSize);
  EXPECT_EQ(FitCaption(5, 4, false, measure).Size, 4);  // below the floor already
}

TEST(EnterExitButtonRules, ModuleWordsInAnyCaseAndWhole) {
  TButtonModuleSwitches s = ButtonSwitchesFromParams({"METAL", "noButtonShapes"});
  EXPECT_TRUE(s.BitmapsEnabled);
  EXPECT_FALSE(s.RegionsEnabled);
  s = ButtonSwitchesFromParams({"NoButtonBitmaps"});
  EXPECT_FALSE(s.BitmapsEnabled);
  EXPECT_FALSE(s.RegionsEnabled);
  s = ButtonSwitchesFromParams({"NOBUTTONBITMAPS2", " NOBUTTONSHAPES", "NORGN"});
  EXPECT_TRUE(s.BitmapsEnabled && s.RegionsEnabled);
}
