#include "controls/EnterExitButtonRules.h"

#include <gtest/gtest.h>

TEST(EnterExitButtonRules, KindPresets) {
  auto ok = KindPreset(ibkOK, 80, true);
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->ResBmpActive, "OKGREEN");
  EXPECT_EQ(ok->ResBmpNormal, "OKSILVER");
  EXPECT_EQ(ok->ResBmpDisabled, "");
  EXPECT_EQ(ok->ColorActive, 0xB3FFB3);
  EXPECT_TRUE(ok->Default);
  EXPECT_FALSE(ok->Cancel);
  EXPECT_EQ(ok->Width, 100);
  EXPECT_EQ(ok->Caption, "OK");
  EXPECT_EQ(ok->FontColor, 0x008000);
  EXPECT_EQ(ok->CaptionLeft, 50);
  EXPECT_EQ(ok->ModalResult, 1);

  auto cancel = KindPreset(ibkCancel, 100, true);
  EXPECT_EQ(cancel->ResBmpActive, "CANCELRED");
  EXPECT_FALSE(cancel->Default);
  EXPECT_TRUE(cancel->Cancel);
  EXPECT_EQ(cancel->Caption, "Abbruch");
  EXPECT_EQ(cancel->FontColor, 0x000080);
  EXPECT_EQ(cancel->ColorActive, 0xCDCDF6);
  EXPECT_EQ(cancel->ModalResult, 2);

  // The "..." stands in for the picture only when there are no pictures.
  auto ppp = KindPreset(ibkPPP, 100, true);
  EXPECT_EQ(ppp->Caption, "");
  EXPECT_EQ(ppp->ResBmpDisabled, "PPPDISABLED");
  EXPECT_EQ(ppp->Width, 35);
  EXPECT_FALSE(ppp->FontColor);  // left as it is
  EXPECT_EQ(KindPreset(ibkPPP, 100, false)->Caption, "...");

  auto help = KindPreset(ibkHelp, 100, true);
  EXPECT_EQ(help->Caption, "Hilfe");
  EXPECT_EQ(help->FontColor, 0x808000);
  EXPECT_EQ(help->CaptionLeft, 43);
  EXPECT_EQ(help->ModalResult, 0);

  auto plus = KindPreset(ibkPlus, 100, true);
  EXPECT_EQ(plus->Width, 200);
  EXPECT_FALSE(plus->Caption);
  EXPECT_EQ(plus->ResBmpActive, "PLUSGREEN200");

  auto info = KindPreset(ibkInfo, 100, true);
  EXPECT_EQ(info->Caption, "Info");
  EXPECT_EQ(info->CaptionLeft, 44);
  EXPECT_EQ(info->FontColor, 0x800000);

  EXPECT_FALSE(KindPreset(ibkOther, 100, true));
}

TEST(EnterExitButtonRules, BlueFacesTakeTheNearestWidthStep) {
  EXPECT_EQ(BlueFaceWidth(0), 35);
  EXPECT_EQ(BlueFaceWidth(39), 35);
  EXPECT_EQ(BlueFaceWidth(40), 100);
  EXPECT_EQ(BlueFaceWidth(125), 100);
  EXPECT_EQ(BlueFaceWidth(126), 150);
  EXPECT_EQ(BlueFaceWidth(175), 150);
  EXPECT_EQ(BlueFaceWidth(176), 200);
  auto blue = KindPreset(ibkBlue, 130, true);
  EXPECT_EQ(blue->Width, 150);
  EXPECT_EQ(blue->ResBmpActive, "BLUE150");
  EXPECT_EQ(blue->ResBmpNormal, "SILVER150");
  EXPECT_FALSE(blue->Caption);
  EXPECT_FALSE(blue->CaptionLeft);
  EXPECT_EQ(KindPreset(ibkBlue, 20, true)->ResBmpNormal, "SILVER35");
  EXPECT_EQ(KindPreset(ibkBlue, 500, true)->ResBmpActive, "BLUE200");
}

TEST(EnterExitButtonRules, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
  EXPECT_EQ(RoundHalfEven(14.4), 14);
}

TEST(EnterExitButtonRules, AcceleratorMarker) {
  EXPECT_EQ(AccelMarkerPos("&Apply"), 0u);
  EXPECT_EQ(AccelMarkerPos("E&xecute"), 1u);
  EXPECT_EQ(AccelMarkerPos("trailing&"), 8u);
  EXPECT_EQ(AccelMarkerPos("Apply"), std::string::npos);
  // A caption whose first '&' begins "&&" has no marker at all, even when a
  // single '&' follows later.
  EXPECT_EQ(AccelMarkerPos("A&&B"), std::string::npos);
  EXPECT_EQ(AccelMarkerPos("A&&B&C"), std::string::npos);
  EXPECT_EQ(AccelMarkerPos("&A&B"), 0u);
}

TEST(EnterExitButtonRules, FaceNamesAndFolders) {
  EXPECT_EQ(FaceBitmapName(asActive, "A", "N", "D"), "A");
  EXPECT_EQ(FaceBitmapName(asNormal, "A", "N", "D"), "N");
  EXPECT_EQ(FaceBitmapName(asDisabled, "A", "N", "D"), "D");
  EXPECT_EQ(FaceBitmapName(asDisabled, "A", "N", ""), "N");
  EXPECT_EQ(WithTrailingBackslash(""), "");
  EXPECT_EQ(WithTrailingBackslash("C:\\Skins"), "C:\\Skins\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Skins\\"), "C:\\Skins\\");
  // The program's folder is everything up to its last backslash, whatever
  // the length of the program's name.
  EXPECT_EQ(FolderOfFile("C:\\Tools\\OrvQuill.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderOfFile("C:\\Tools\\oq.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderOfFile("Z:\\a\\b\\oq_program_tests.exe"), "Z:\\a\\b\\");
  EXPECT_EQ(FolderOfFile("plain.exe"), "");
}

TEST(EnterExitButtonRules, CaptionFitDropsBoldThenShrinksDownToSix) {
  // A width model: 10 units per point, 20 more when bold.
  auto measure = [](int size, bool bold) { return size * 10 + (bold ? 20 : 0); };
  TCaptionFit fits = FitCaption(200, 10, true, measure);
  EXPECT_EQ(fits.Size, 10);
  EXPECT_TRUE(fits.Bold);

  // Too wide bold, fits plain: the size stays.
  TCaptionFit plain = FitCaption(105, 10, true, measure);
  EXPECT_EQ(plain.Size, 10);
  EXPECT_FALSE(plain.Bold);
  EXPECT_EQ(plain.Width, 100);

  TCaptionFit smaller = FitCaption(85, 10, true, measure);
  EXPECT_EQ(smaller.Size, 8);
  EXPECT_FALSE(smaller.Bold);
  EXPECT_EQ(smaller.Width, 80);

  TCaptionFit floor = FitCaption(5, 10, true, measure);
  EXPECT_EQ(floor.Size, kMinCaptionSize);
  EXPECT_EQ(floor.Width, 60);

  // A font already below the floor is not touched.
  TCaptionFit tiny = FitCaption(5, 4, false, measure);
  EXPECT_EQ(tiny.Size, 4);
}

TEST(EnterExitButtonRules, ModuleWordsInAnyCase) {
  TButtonModuleSwitches none = ButtonSwitchesFromParams({"METAL", "NORGN"});
  EXPECT_TRUE(none.BitmapsEnabled);
  EXPECT_TRUE(none.RegionsEnabled);
  TButtonModuleSwitches shapes = ButtonSwitchesFromParams({"noButtonShapes"});
  EXPECT_TRUE(shapes.BitmapsEnabled);
  EXPECT_FALSE(shapes.RegionsEnabled);
  TButtonModuleSwitches bitmaps = ButtonSwitchesFromParams({"x", "NoButtonBitmaps"});
  EXPECT_FALSE(bitmaps.BitmapsEnabled);
  EXPECT_FALSE(bitmaps.RegionsEnabled);
  // Whole words only.
  TButtonModuleSwitches partial = ButtonSwitchesFromParams({"NOBUTTONBITMAPS2", " NOBUTTONSHAPES"});
  EXPECT_TRUE(partial.BitmapsEnabled);
  EXPECT_TRUE(partial.RegionsEnabled);
}
