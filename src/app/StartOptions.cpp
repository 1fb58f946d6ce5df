#include "app/StartOptions.h"

#include "framework/TextRules.h"

void ApplyOptionWord(OptionSwitches& s, const std::string& word) {
  const std::string w = UpperCaseAscii(word);
  // The first equal word wins; the order is the documented one.
  if (w == "NOMETAL") s.optNoMetal = true;
  else if (w == "METAL") s.optMetal = true;
  else if (w == "SHADED") s.optShaded = true;
  else if (w == "WINBORDER") s.optWinBorder = true;
  else if (w == "NORGN") s.optNoRegions = true;
  else if (w == "NOBUTTBMPS") s.optNoButtonBitmaps = true;
  else if (w == "POSRESTORE") s.optPosRestore = true;
  else if (w == "ASK") s.optAsk = true;
  else if (w == "HISTORY") s.optHistory = true;
}

bool HasOptionOtherThanShaded(const OptionSwitches& s) {
  return s.optNoMetal || s.optMetal || s.optWinBorder || s.optNoRegions ||
         s.optNoButtonBitmaps || s.optPosRestore || s.optAsk;
}

OptionSwitches ReadOptionSwitches(const std::vector<std::string>& args, bool parameterFilePresent,
                                  const std::vector<std::string>& parameterFileLines) {
  OptionSwitches s;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i].empty()) break;
    ApplyOptionWord(s, args[i]);
  }
  if (!HasOptionOtherThanShaded(s)) {
    if (parameterFilePresent) {
      for (const std::string& line : parameterFileLines) ApplyOptionWord(s, line);
    } else {
      s.optAsk = true;
    }
  }
  return s;
}

LookDecisions ResolveOptions(OptionSwitches s) {
  LookDecisions d;
  d.StartTypeChooser = s.optAsk;
  if (s.optMetal && s.optNoMetal) s.optNoMetal = false;
  if (s.optShaded) {
    s.optMetal = s.optNoMetal = s.optWinBorder = false;
    d.SelectShadedLook = true;
  }
  d.SelectWinBorder = s.optWinBorder;
  d.FreeMetalBitmaps = s.optNoMetal;
  if (s.optNoRegions) {
    d.ButtonRegionsOff = true;
    d.PanelRegionsOff = true;
  }
  if (s.optNoButtonBitmaps) {
    d.ButtonBitmapsOff = true;
    d.ButtonRegionsOff = true;
  }
  d.EnablePosRestore = s.optPosRestore;
  d.KeepHistory = s.optHistory;
  return d;
}
