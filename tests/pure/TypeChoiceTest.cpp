#include "oqtyp/TypeChoice.h"

#include <gtest/gtest.h>

#include "app/StartOptions.h"

TEST(TypeChoice, WordsRoundTrip) {
  for (WindowLook look : {WindowLook::Metal, WindowLook::Grey, WindowLook::Shaded,
                          WindowLook::WindowsBorder}) {
    TypeChoice c;
    c.Look = look;
    c.NoRegions = true;
    c.RememberPositions = true;
    c.KeepHistory = look == WindowLook::Grey || look == WindowLook::Shaded;
    TypeChoice back = ChoiceFromWords(ParameterWords(c));
    EXPECT_EQ(back.Look, look);
    EXPECT_TRUE(back.NoRegions);
    EXPECT_FALSE(back.NoButtonBitmaps);
    EXPECT_TRUE(back.RememberPositions);
    EXPECT_EQ(back.KeepHistory, c.KeepHistory);
    // What the chooser writes, the program reads the same way.
    EXPECT_EQ(ResolveOptions(ReadOptionSwitches({"OrvQuill.exe"}, true, ParameterWords(c)))
                  .KeepHistory,
              c.KeepHistory);
  }
}

TEST(TypeChoice, TheWrittenFileNeverAsksForTheChooserAgain) {
  // Whatever the user picks, the program reads the file as a decision.
  TypeChoice c;
  LookDecisions d = ResolveOptions(ReadOptionSwitches({"OrvQuill.exe"}, true, ParameterWords(c)));
  EXPECT_FALSE(d.StartTypeChooser);
  c.Look = WindowLook::Grey;
  c.NoButtonBitmaps = true;
  d = ResolveOptions(ReadOptionSwitches({"OrvQuill.exe"}, true, ParameterWords(c)));
  EXPECT_TRUE(d.FreeMetalBitmaps);
  EXPECT_TRUE(d.ButtonBitmapsOff);
}

TEST(TypeChoice, ReadsFilesWrittenByHand) {
  TypeChoice c = ChoiceFromWords({"nometal", "", "junk", "norgn"});
  EXPECT_EQ(c.Look, WindowLook::Grey);
  EXPECT_TRUE(c.NoRegions);
  EXPECT_EQ(ChoiceFromWords({"NOMETAL", "METAL"}).Look, WindowLook::Metal);
  EXPECT_EQ(ChoiceFromWords({"WINBORDER", "SHADED"}).Look, WindowLook::Shaded);
}
