// The option words of the command line and of the parameter file, and the
// precedence rules that turn them into look decisions. No window here.
#pragma once

#include <string>
#include <vector>

struct OptionSwitches {
  bool optNoMetal = false;
  bool optMetal = false;
  bool optShaded = false;
  bool optWinBorder = false;
  bool optNoRegions = false;
  bool optNoButtonBitmaps = false;
  bool optPosRestore = false;
  bool optAsk = false;
  bool optHistory = false;
};

// Sets the switch of one option word, compared whole after ASCII upper-casing;
// anything else (a slash, a trailing blank, an unknown word) sets nothing.
void ApplyOptionWord(OptionSwitches& s, const std::string& word);

// Whether the command line named an option that keeps the parameter file
// unread. SHADED and HISTORY do not count.
bool HasOptionOtherThanShaded(const OptionSwitches& s);

// What the start-up does after the precedence rules, in this order.
struct LookDecisions {
  bool StartTypeChooser = false;   // ASK, or nothing at all to go by
  bool SelectShadedLook = false;
  bool SelectWinBorder = false;
  bool FreeMetalBitmaps = false;
  bool PanelRegionsOff = false;    // TOrvRoundRectPanel
  bool ButtonRegionsOff = false;   // TOrvNewButton
  bool ButtonBitmapsOff = false;   // TOrvNewButton
  bool EnablePosRestore = false;
  bool KeepHistory = false;       // the command history is kept between runs
};

LookDecisions ResolveOptions(OptionSwitches s);

// The whole reading of the options: arguments from index 1 up to the first
// empty one, then, when no option but SHADED or HISTORY was given, the
// parameter file's lines (present == false: there is no file, which asks
// for the chooser).
OptionSwitches ReadOptionSwitches(const std::vector<std::string>& args, bool parameterFilePresent,
                                  const std::vector<std::string>& parameterFileLines);
