#include "drawing/PZMarkupFit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Utf8.h"

namespace {
// Every character 10 pixels wide, bold 12: a character, not a byte.
struct CharMeasure : MarkupMeasure {
  int TextWidth(std::string_view run, const MarkupFont& f) override {
    return static_cast<int>(CountCharacters(run)) * ((f.Style & kMarkupBold) ? 12 : 10);
  }
  int LineHeight(const MarkupFont&) override { return 16; }
};

// The internal text back in plain characters: control pairs dropped.
std::string Plain(const std::string& internal) {
  std::string out;
  for (std::size_t i = 0; i < internal.size(); ++i) {
    if (internal[i] == kMarkupPrefix) {
      ++i;
      continue;
    }
    out += internal[i];
  }
  return out;
}
}  // namespace

// A title that does not fit is cut with an ellipsis, never dropped; the cut
// never splits a character or a control pair.
TEST(PZMarkupFit, ATooWideLineIsCutWithAnEllipsis) {
  struct Case {
    const char* name;
    std::string caption;
    int width;
    std::string shown;
  } cases[] = {
      {"fits", "Batch - C:\\\\x.bat", 200, "Batch - C:\\x.bat"},
      {"a path without blanks", "Batch - C:\\\\tools\\\\build.bat", 120, "Batch - C..."},
      {"only the first line", "one\\lbtwo", 200, "one"},
      {"nothing fits but the ellipsis", "abcdef", 35, "..."},
      {"not even the ellipsis", "abcdef", 5, "..."},
      {"an empty first line, no room", "\\lbsecond", -20, ""},
      {"Japanese, never split", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt", 55,
       "\xE6\x97\xA5\xE6\x9C\xAC..."},
      {"bold counts wider", "\\Bbold\\b text", 70, "bo..."},
      {"the ellipsis in the font at the cut", "\\Bbold\\b text", 80, "bold..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CharMeasure m;
    MarkupLayout l = LayoutOneLineWithEllipsis(c.caption, c.width, MarkupFont{}, m);
    ASSERT_EQ(l.Lines.size(), 1u);
    EXPECT_EQ(Plain(l.Text), c.shown);
    EXPECT_TRUE(IsValidUtf8(l.Text));
    if (c.shown != "...") {
      EXPECT_LE(l.Width, std::max(c.width, 0));
    }
    EXPECT_EQ(l.Lines[0].DrawnWidth, l.Width);
    EXPECT_EQ(l.Height, 16);
  }
}
