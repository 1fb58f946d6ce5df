#include "frame/CaptionMarkup.h"

#include "drawing/PZMarkup.h"

namespace {

// Keeps what the label would show as text, and the caption's own line-end
// characters; switches and "\lb" go.
class Stripper : public MarkupVisitor {
 public:
  std::string Out;
  void Char(char c) override { Out += c; }
  void Code(char) override {}
  void Break() override {}
  void LineEnds(std::string_view raw, int) override { Out.append(raw); }
};

}  // namespace

std::string StripCaptionMarkup(const std::string& text) {
  Stripper s;
  s.Out.reserve(text.size());
  ScanMarkup(text, s);
  return std::move(s.Out);
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
