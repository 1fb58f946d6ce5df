#include "framework/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, SequencesAreOneCharacterAndAnythingElseOneByte) {
  struct Case {
    std::string text;
    std::size_t chars;
    bool valid;
  } cases[] = {
      {"", 0, true},
      {"plain", 5, true},
      {"\xC5\x81\xC3\xB3\x64\xC5\xBA", 4, true},              // Łódź
      {"\xE6\x97\xA5\xE6\x9C\xAC", 2, true},                  // 日本
      {"\xF0\x9F\x98\x80!", 2, true},                         // an emoji and !
      {"Verf\xFCgbare", 10, false},                            // legacy ü
      {"\xC0\xAF", 2, false},                                  // overlong /
      {"\xED\xA0\x80", 3, false},                              // a surrogate
      {"\xF4\x90\x80\x80", 4, false},                          // above U+10FFFF
      {"\xE6\x97", 2, false},                                  // cut sequence
      {"\xEF\xBB\xBF" "a", 2, true},                           // BOM and a
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountCharacters(c.text), c.chars) << c.text;
    EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
  }
  EXPECT_EQ(Utf8CodePointAt("\xF0\x9F\x98\x80", 0), 0x1F600u);
  EXPECT_EQ(Utf8CodePointAt("\xC5\x81", 0), 0x141u);
  EXPECT_EQ(Utf8CodePointAt("\xFC", 0), 0xFCu);
  EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB\xBFx"), "x");
}

TEST(Utf8, CutsNeverSplitASequence) {
  const std::string text = "a\xE6\x97\xA5\xF0\x9F\x98\x80z";  // a 日 😀 z
  const std::size_t boundaries[] = {0, 1, 1, 1, 4, 4, 4, 4, 8, 9, 9};
  for (std::size_t n = 0; n <= text.size() + 1; ++n)
    EXPECT_EQ(CharBoundaryAtOrBefore(text, n), boundaries[n]) << n;
  EXPECT_EQ(CutToCharacters(text, 2), "a\xE6\x97\xA5");
  EXPECT_EQ(CutToCharacters(text, 3), "a\xE6\x97\xA5\xF0\x9F\x98\x80");
  EXPECT_EQ(CutToCharacters("Verf\xFCgbar", 5), "Verf\xFC");
}
