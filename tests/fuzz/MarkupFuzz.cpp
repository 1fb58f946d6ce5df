// The markup label's conversion of a caption and the layout of its lines,
// measured by a stand-in whose widths depend on the character and the font.
#include "FuzzInput.h"
#include "drawing/PZMarkup.h"
#include "drawing/PZMarkupFit.h"
#include "framework/Utf8.h"

namespace {

class Measure : public MarkupPainter {
 public:
  int TextWidth(std::string_view run, const MarkupFont& font) override {
    int w = 0;
    for (char c : run) w += 1 + (static_cast<unsigned char>(c) & 7) + (font.Style & kMarkupBold ? 1 : 0);
    return w;
  }
  int LineHeight(const MarkupFont& font) override { return 10 + (font.Style & 1); }
  void DrawRun(int, int, std::string_view run, const MarkupFont&) override {
    Drawn += run.size();
  }
  std::size_t Drawn = 0;
};

// Characters of a piece of internal text that are drawn.
std::size_t PlainChars(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == kMarkupPrefix) ++i;
    else if (s[i] != '\n') ++n;
  }
  return n;
}

// The width of the first drawn character of a piece, in the font in force
// there.
int FirstCharWidth(std::string_view s, MarkupFont font, const MarkupFont& base, Measure& m) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == kMarkupPrefix) {
      if (i + 1 < s.size()) font = ApplyMarkupCode(font, s[i + 1], base);
      ++i;
    } else if (s[i] != '\n') {
      // A character: a whole UTF-8 sequence where one stands.
      return m.TextWidth(s.substr(i, Utf8CharLength(s, i)), font);
    }
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int available = (in.Byte() | (in.Byte() << 8)) % 1200 - 20;
  const auto horz = static_cast<TPZHorzAlignment>(in.Byte() % 3);
  const MarkupFont base{in.Byte() & 7u, 0};
  const std::string caption = in.Rest();

  const std::string text = ConvertMarkup(caption);
  FUZZ_CHECK(text.size() <= caption.size());
  Measure m;
  const MarkupLayout layout = LayoutText(caption, available, base, m);
  FUZZ_CHECK(layout.Text == text);
  std::size_t shown = 0, dropped = 0;
  for (std::size_t i = 0; i < layout.Lines.size(); ++i) {
    const MarkupLine& line = layout.Lines[i];
    const std::size_t next = i + 1 < layout.Lines.size() ? layout.Lines[i + 1].Begin : text.size();
    FUZZ_CHECK(line.Begin <= line.End && line.End <= next && next <= text.size());
    FUZZ_CHECK(line.DrawnWidth <= line.Width && line.Width <= layout.Width);
    const std::size_t chars =
        PlainChars(std::string_view(text).substr(line.Begin, line.End - line.Begin));
    // A line overflows only with one word whose first character alone is
    // too wide.
    if (line.DrawnWidth > available) {
      const std::string_view piece = std::string_view(text).substr(line.Begin, line.End - line.Begin);
      FUZZ_CHECK(piece.find(' ') == std::string_view::npos);
      FUZZ_CHECK(FirstCharWidth(piece, line.Font, base, m) > available);
    }
    // Between lines at most the blank or line feed the line broke at.
    FUZZ_CHECK(next - line.End <= 1);
    if (next > line.End) {
      FUZZ_CHECK(text[line.End] == ' ' || text[line.End] == '\n');
      if (text[line.End] == ' ') ++dropped;
    }
    shown += chars;
  }
  if (!layout.Lines.empty()) FUZZ_CHECK(layout.Lines[0].Begin == 0);
  // Every character is on some line: none lost at a break.
  FUZZ_CHECK(shown + dropped == PlainChars(text));

  const MarkupRect block = PlaceMarkupBlock(layout, 300, 200, horz, vaCenter);
  DrawMarkupLayout(layout, block, horz, base, m);
  FUZZ_CHECK(m.Drawn == shown);

  // One line with an ellipsis: within the width (unless the ellipsis alone
  // is wider), and a prefix of the caption's first line.
  Measure m2;
  const MarkupLayout one = LayoutOneLineWithEllipsis(caption, available, base, m2);
  if (!one.Lines.empty()) {
    FUZZ_CHECK(one.Lines.size() == 1 && one.Text.find('\n') == std::string::npos);
    const std::string firstLine = text.substr(0, text.find('\n'));
    // A line is drawn without one trailing blank.
    if (one.Text == firstLine || one.Text + ' ' == firstLine) {
      // Whole; or the ellipsis alone, where the line itself reads "...".
      FUZZ_CHECK(one.Text.empty() || one.Width <= available || one.Text == "...");
    } else {
      FUZZ_CHECK(one.Text.size() >= 3 && one.Text.compare(one.Text.size() - 3, 3, "...") == 0);
      const std::string kept = one.Text.substr(0, one.Text.size() - 3);
      FUZZ_CHECK(kept.size() < firstLine.size() && firstLine.compare(0, kept.size(), kept) == 0);
      if (!kept.empty()) FUZZ_CHECK(one.Width <= available);
    }
  }
  return 0;
}
