#include "app/StartOptions.h"

#include <gtest/gtest.h>

#include "framework/TextRules.h"

namespace {
using Args = std::vector<std::string>;

LookDecisions Decide(const Args& args, bool parFile = false, const std::string& par = "") {
  return ResolveOptions(ReadOptionSwitches(args, parFile, SplitLines(par)));
}
}  // namespace

TEST(StartOptions, WordsMatchWholeInAnyCaseAndNothingElse) {
  OptionSwitches s;
  ApplyOptionWord(s, "nometal");
  EXPECT_TRUE(s.optNoMetal);
  ApplyOptionWord(s, "PosRestore");
  EXPECT_TRUE(s.optPosRestore);
  OptionSwitches t;
  for (const char* w : {"/NOMETAL", "-metal", "metal ", " METAL", "METALS", "NOBUTTONBITMAPS",
                        "NOBUTTONSHAPES", "", "ASK\t"})
    ApplyOptionWord(t, w);
  EXPECT_FALSE(HasOptionOtherThanShaded(t));
  EXPECT_FALSE(t.optShaded);
}

TEST(StartOptions, NothingGivenAndNoParameterFileStartsTheChooser) {
  EXPECT_TRUE(Decide({"OrvQuill.exe"}).StartTypeChooser);
}

TEST(StartOptions, ParameterFileLinesInLowerCase) {
  LookDecisions d = Decide({"prog"}, true, "metal\r\nnorgn\r\n");
  EXPECT_FALSE(d.StartTypeChooser);
  EXPECT_FALSE(d.FreeMetalBitmaps);
  EXPECT_TRUE(d.PanelRegionsOff);
  EXPECT_TRUE(d.ButtonRegionsOff);
  EXPECT_FALSE(d.ButtonBitmapsOff);
}

TEST(StartOptions, ParameterFileToleratesBlankLinesMixedEndsAndTrailingBlanks) {
  // A trailing blank makes a word match nothing; blank lines are ignored.
  LookDecisions d = Decide({"prog"}, true, "\n\nNoMetal\nPOSRESTORE \r\nnobuttbmps\rWinBorder");
  EXPECT_TRUE(d.FreeMetalBitmaps);
  EXPECT_FALSE(d.EnablePosRestore);
  EXPECT_TRUE(d.ButtonBitmapsOff);
  EXPECT_TRUE(d.SelectWinBorder);
  EXPECT_FALSE(d.StartTypeChooser);
}

TEST(StartOptions, AMegabyteOfGarbageSetsNothing) {
  std::string garbage;
  unsigned x = 12345;
  for (int i = 0; i < 1 << 20; ++i) {
    x = x * 1103515245u + 12345u;
    garbage += static_cast<char>(x >> 24);
  }
  LookDecisions d = Decide({"prog"}, true, garbage);
  EXPECT_FALSE(d.StartTypeChooser);  // the file exists, so no chooser
  EXPECT_FALSE(d.FreeMetalBitmaps || d.SelectWinBorder || d.PanelRegionsOff ||
               d.ButtonBitmapsOff || d.EnablePosRestore);
}

TEST(StartOptions, MetalBeatsNoMetal) {
  LookDecisions d = Decide({"prog", "NOMETAL", "METAL"});
  EXPECT_FALSE(d.FreeMetalBitmaps);
  EXPECT_FALSE(d.StartTypeChooser);
}

TEST(StartOptions, ShadedAloneStillReadsTheParameterFile) {
  LookDecisions withFile = Decide({"prog", "SHADED"}, true, "POSRESTORE");
  EXPECT_TRUE(withFile.SelectShadedLook);
  EXPECT_TRUE(withFile.EnablePosRestore);
  EXPECT_FALSE(withFile.StartTypeChooser);
  LookDecisions noFile = Decide({"prog", "SHADED"});
  EXPECT_TRUE(noFile.StartTypeChooser);
}

// HISTORY, like SHADED, leaves the parameter file to be read; in the file
// it counts as any word does.
TEST(StartOptions, HistoryAloneStillReadsTheParameterFile) {
  struct Case {
    Args args;
    bool parFile;
    const char* par;
    bool history, chooser, posRestore;
  } cases[] = {
      {{"prog", "history"}, true, "POSRESTORE", true, false, true},
      {{"prog", "HISTORY"}, false, "", true, true, false},
      {{"prog", "METAL"}, true, "HISTORY", false, false, false},
      {{"prog"}, true, "metal\r\nHistory\r\n", true, false, false},
      {{"prog", "HISTORY "}, true, "", false, false, false},
  };
  for (const Case& c : cases) {
    LookDecisions d = Decide(c.args, c.parFile, c.par);
    EXPECT_EQ(d.KeepHistory, c.history) << c.args.back() << " / " << c.par;
    EXPECT_EQ(d.StartTypeChooser, c.chooser) << c.args.back() << " / " << c.par;
    EXPECT_EQ(d.EnablePosRestore, c.posRestore) << c.args.back() << " / " << c.par;
  }
}

TEST(StartOptions, ShadedWinsOverWinBorderAndMetalWords) {
  LookDecisions d = Decide({"prog", "SHADED", "WINBORDER", "NOMETAL"});
  EXPECT_TRUE(d.SelectShadedLook);
  EXPECT_FALSE(d.SelectWinBorder);
  EXPECT_FALSE(d.FreeMetalBitmaps);
}

TEST(StartOptions, SlashedWordIsIgnoredAndTheFileIsRead) {
  LookDecisions d = Decide({"prog", "/NOMETAL"}, true, "norgn");
  EXPECT_FALSE(d.FreeMetalBitmaps);
  EXPECT_TRUE(d.PanelRegionsOff);
}

TEST(StartOptions, AskInLowerCaseWinsEvenWithAParameterFile) {
  EXPECT_TRUE(Decide({"prog", "ask"}, true, "METAL").StartTypeChooser);
}

TEST(StartOptions, ArgumentsStopAtTheFirstEmptyOne) {
  LookDecisions d = Decide({"prog", "NORGN", "", "NOMETAL"});
  EXPECT_TRUE(d.PanelRegionsOff);
  EXPECT_FALSE(d.FreeMetalBitmaps);
}

TEST(StartOptions, NoButtonBitmapsAlsoDropsButtonRegionsButNotPanelRegions) {
  LookDecisions d = Decide({"prog", "NOBUTTBMPS"});
  EXPECT_TRUE(d.ButtonBitmapsOff);
  EXPECT_TRUE(d.ButtonRegionsOff);
  EXPECT_FALSE(d.PanelRegionsOff);
}
