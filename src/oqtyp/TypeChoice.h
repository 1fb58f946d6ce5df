// What the type chooser offers and the parameter file it writes. No window.
#pragma once

#include <string>
#include <vector>

enum class WindowLook { Metal, Grey, Shaded, WindowsBorder };

struct TypeChoice {
  WindowLook Look = WindowLook::Metal;
  bool NoRegions = false;
  bool NoButtonBitmaps = false;
  bool RememberPositions = false;
  bool KeepHistory = false;
};

// The option words of a choice, one per line of the parameter file. There is
// always at least the look's word, so the file never reads as "no options".
std::vector<std::string> ParameterWords(const TypeChoice& c);
// The choice a parameter file stands for (unknown lines are ignored), so the
// chooser can start from what was chosen last time.
TypeChoice ChoiceFromWords(const std::vector<std::string>& lines);
