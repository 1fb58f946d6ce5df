#include "dialogs/DialogRules.h"

#include "framework/TextRules.h"

bool IsRichTextName(const std::string& name) {
  return name.size() >= 4 && UpperCaseAscii(name.substr(name.size() - 4)) == ".RTF";
}

std::string JoinBatchLines(const std::vector<std::string>& lines) {
  if (lines.empty()) return {};
  std::string cmd = lines[0];
  for (size_t i = 1; i < lines.size(); ++i)
    if (!lines[i].empty()) cmd += "&&" + lines[i];
  return cmd;
}
