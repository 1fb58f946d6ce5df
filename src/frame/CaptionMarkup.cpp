#include "frame/CaptionMarkup.h"

#include "framework/TextRules.h"

namespace {
// Stands for an escaped backslash while the codes are removed; a caption
// cannot hold this byte otherwise (it ends C strings).
constexpr char kEscaped = '\0';
}  // namespace

std::string StripCaptionMarkup(const std::string& text) {
  std::string work;
  work.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      work += kEscaped;
      ++i;
    } else {
      work += text[i];
    }
  }
  for (const char* code : {"\\B", "\\U", "\\I", "\\LB"}) {
    const std::string c = code;
    // Positions come from an upper-cased copy of the same length, so the
    // removal keeps the letter case of everything else.
    for (;;) {
      size_t pos = UpperCaseAscii(work).find(c);
      if (pos == std::string::npos) break;
      work.erase(pos, c.size());
    }
  }
  for (char& ch : work)
    if (ch == kEscaped) ch = '\\';
  return work;
}

std::string EscapeMarkupText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    if (ch == '\\') out += '\\';
    out += ch;
  }
  return out;
}
