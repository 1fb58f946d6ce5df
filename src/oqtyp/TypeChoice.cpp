#include "oqtyp/TypeChoice.h"

#include "framework/TextRules.h"

std::vector<std::string> ParameterWords(const TypeChoice& c) {
  std::vector<std::string> w;
  switch (c.Look) {
    case WindowLook::Metal: w.push_back("METAL"); break;
    case WindowLook::Grey: w.push_back("NOMETAL"); break;
    case WindowLook::Shaded: w.push_back("SHADED"); break;
    case WindowLook::WindowsBorder: w.push_back("WINBORDER"); break;
  }
  if (c.NoRegions) w.push_back("NORGN");
  if (c.NoButtonBitmaps) w.push_back("NOBUTTBMPS");
  if (c.RememberPositions) w.push_back("POSRESTORE");
  if (c.KeepHistory) w.push_back("HISTORY");
  return w;
}

TypeChoice ChoiceFromWords(const std::vector<std::string>& lines) {
  TypeChoice c;
  bool metal = false, noMetal = false, shaded = false, border = false;
  for (const std::string& line : lines) {
    const std::string w = UpperCaseAscii(line);
    if (w == "METAL") metal = true;
    else if (w == "NOMETAL") noMetal = true;
    else if (w == "SHADED") shaded = true;
    else if (w == "WINBORDER") border = true;
    else if (w == "NORGN") c.NoRegions = true;
    else if (w == "NOBUTTBMPS") c.NoButtonBitmaps = true;
    else if (w == "POSRESTORE") c.RememberPositions = true;
    else if (w == "HISTORY") c.KeepHistory = true;
  }
  // The same precedence the program applies: SHADED first, METAL over NOMETAL.
  if (shaded) c.Look = WindowLook::Shaded;
  else if (border) c.Look = WindowLook::WindowsBorder;
  else if (noMetal && !metal) c.Look = WindowLook::Grey;
  else c.Look = WindowLook::Metal;
  return c;
}
