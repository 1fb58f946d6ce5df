#include "main/PaneTexts.h"

std::string AttributeSummaryText(unsigned t) {
  std::string s;
  s += (t & 0x01) ? "R " : "r ";
  s += (t & 0x02) ? "H " : "h ";
  s += (t & 0x04) ? "S " : "s ";
  s += (t & 0x20) ? "A " : "a ";
  s += "- ";
  s += (t & 0x10) ? "D " : "d ";
  s += "- ";
  s += (t & 0x40) ? "N" : "n";
  return s;
}

std::string FileCountText(int count, const std::string& word) {
  return std::to_string(count) + " " + word;
}
