#include "drawing/PZMarkup.h"

#include <gtest/gtest.h>

#include <random>

#include "frame/CaptionMarkup.h"
#include "framework/Utf8.h"

namespace {

// Every character 10 pixels wide, 12 in bold; lines 16 high. Widths add up,
// as the system's text extents do.
class FakeMeasure : public MarkupPainter {
 public:
  struct Run {
    int X, Y;
    std::string Text;
    MarkupFont Font;
  };
  std::vector<Run> Runs;
  int TextWidth(std::string_view run, const MarkupFont& f) override {
    return static_cast<int>(run.size()) * ((f.Style & kMarkupBold) ? 12 : 10);
  }
  int LineHeight(const MarkupFont&) override { return 16; }
  void DrawRun(int x, int y, std::string_view run, const MarkupFont& f) override {
    Runs.push_back({x, y, std::string(run), f});
  }
};

const MarkupFont kBase{0, 0x123456};

// A pixel per character and one more per run measured, as a font whose
// italic or bold adds an overhang at each call: widths of pieces of a run
// do not add up to the run's width.
class OverhangMeasure : public MarkupMeasure {
 public:
  int TextWidth(std::string_view run, const MarkupFont&) override {
    return static_cast<int>(run.size()) + 1;
  }
  int LineHeight(const MarkupFont&) override { return 10; }
};

// Ten pixels per character, not per byte: a UTF-8 sequence is one. A byte
// that is no character of its own (a piece of a sequence cut apart) takes
// one pixel, as a system may draw it as next to nothing.
class CharacterMeasure : public MarkupMeasure {
 public:
  int TextWidth(std::string_view run, const MarkupFont&) override {
    int w = 0;
    for (std::size_t i = 0; i < run.size();) {
      const std::size_t n = Utf8CharLength(run, i);
      w += n > 1 || static_cast<unsigned char>(run[i]) < 0x80 ? 10 : 1;
      i += n;
    }
    return w;
  }
  int LineHeight(const MarkupFont&) override { return 10; }
};

std::string P(char code) { return std::string{kMarkupPrefix, code}; }

// The lines as text, the control pairs shown as "<code>".
std::vector<std::string> LineTexts(const MarkupLayout& l) {
  std::vector<std::string> out;
  for (const MarkupLine& line : l.Lines) {
    std::string s;
    for (std::size_t i = line.Begin; i < line.End; ++i) {
      if (l.Text[i] == kMarkupPrefix && i + 1 < line.End) {
        s += '<';
        s += l.Text[++i];
        s += '>';
      } else {
        s += l.Text[i];
      }
    }
    out.push_back(s);
  }
  return out;
}

}  // namespace

TEST(PZMarkup, ConvertsInTheGrammarsOrder) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"\\\\B", "\\B"},  // an escaped backslash takes part in no switch
      {"\\B\\b\\I\\i\\U\\u", P('d') + P('e') + P('f') + P('g') + P('h') + P('i')},
      {"\\N\\n", P('j') + P('j')},  // style back in any case
      {"\\cNavy\\cnavy\\CNAVY", P('o') + P('o') + P('o')},  // never "\cN" + "avy"
      {"\\cRedx\\cNy", P('t') + "x" + P('}') + "y"},
      {"\\cDkGray\\cLtGray\\cWhite\\cBlack", P('{') + P('z') + P('|') + P('k')},
      {"a\\lbb", "a\nb"},
      {"a\\LBb", "a\nb"},
      {"a\r\nb", "a\nb"},
      {"a\n\rb", "a\nb"},
      {"a\rb", "a\nb"},
      {"a\r\n\rb", "a\nb"},  // CR LF first, then the LF CR that leaves
      {"a\r\r\nb", "a\n\nb"},
      {"a\r\\Bb\n", "a\n" + P('d') + "b\n"},
      {"\\x \\c \\cFoo \\l \\", "\\x \\c \\cFoo \\l \\"},  // other sequences are text
      {"\\\\\\B", "\\" + P('d')},
      {std::string("a\x01" "b\0c", 5), "abc"},  // 0 and 1 are no text
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.out, ConvertMarkup(c.in)) << c.in;

  const char* names[] = {"Black", "Maroon", "Green", "Olive", "Navy",   "Purple",
                         "Teal",  "Gray",   "Silver", "Red",  "Lime",   "Yellow",
                         "Blue",  "Fuchsia", "Aqua",  "LtGray", "DkGray", "White"};
  const std::int32_t values[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                 0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                 0xFF0000, 0xFF00FF, 0xFFFF00, 0xC0C0C0, 0x808080, 0xFFFFFF};
  for (int i = 0; i < 18; ++i) {
    std::string conv = ConvertMarkup(std::string("\\c") + names[i]);
    ASSERT_EQ(2u, conv.size()) << names[i];
    EXPECT_EQ(values[i], ApplyMarkupCode(kBase, conv[1], kBase).Color) << names[i];
  }
}

// The frame's caption and the label read one grammar: what the label shows
// as text is what the system caption gets.
TEST(PZMarkup, StrippedCaptionIsTheLabelsText) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"\\IOrv\\iQuillon \\b-- Advanced Windows Command Line",
       "OrvQuillon -- Advanced Windows Command Line"},
      {"\\BBold\\b \\UUnder\\u", "Bold Under"},
      {"one\\lbtwo\\LBthree", "onetwothree"},
      {"\\LB", ""},
      {"No codes here", "No codes here"},
      {"\\cRedx\\cN \\Ny", "x y"},
      {"\\L\\BB", "\\LB"},  // no new switch forms where one was removed
      {"a\\\\b", "a\\b"},
      {"two\r\nlines", "two\r\nlines"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.out, StripCaptionMarkup(c.in)) << c.in;

  // A path put into a caption comes out whole, in the label and the frame;
  // raw, it would lose the "\B" of "\BUILD".
  EXPECT_EQ("OrvQuillon -- Batch Execution - C:\\TOOLS\\BUILD.BAT",
            StripCaptionMarkup("\\IOrv\\iQuillon -- Batch Execution\\b - " +
                               EscapeMarkupText("C:\\TOOLS\\BUILD.BAT")));
  std::mt19937 rng(7);
  const std::string letters = "\\\\\\BbIiUuNnLlcC RedNavy:.x";
  for (int n = 0; n < 300; ++n) {
    std::string s;
    for (int i = 0, len = int(rng() % 24); i < len; ++i) s += letters[rng() % letters.size()];
    std::string escaped = EscapeMarkupText(s);
    EXPECT_EQ(s, ConvertMarkup(escaped)) << s;
    EXPECT_EQ(s, StripCaptionMarkup("\\B" + escaped + "\\b")) << s;
  }
}

TEST(PZMarkup, WordsEndAtTheirBlankOrLineFeed) {
  std::string t = "ab cd\nef" + P(' ') + "g";
  EXPECT_EQ(3u, NextWord(t, 0));
  EXPECT_EQ(6u, NextWord(t, 3));
  EXPECT_EQ(t.size(), NextWord(t, 6));  // a blank as a code letter ends no word
  EXPECT_EQ(1u, NextWord(" x", 0));  // a blank alone is a word

  FakeMeasure m;
  MarkupFont f = kBase;
  std::string piece = "ab" + P('d') + "cd\n" + P('}');
  EXPECT_EQ(20 + 24, MarkupWidth(piece, f, kBase, m));
  EXPECT_EQ(kMarkupBold, f.Style);
}

TEST(PZMarkup, LayoutBreaksLines) {
  struct Case {
    const char* caption;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      // A word's trailing blank counts: "bbb " does not fit behind "aaa ",
      // the last word has none.
      {"aaa bbb ccc", 75, {"aaa", "bbb ccc"}},
      {"aaa bbb ccc", 80, {"aaa bbb", "ccc"}},
      {"abcdefghij", 35, {"abc", "def", "ghi", "j"}},
      // The pair goes with what fits; the rest of the word is measured bold.
      {"ab\\Bcdef", 25, {"ab<d>", "cd", "ef"}},
      // Not even one character fits: each word alone, overflowing.
      {"ab cd", 5, {"ab", "cd"}},
      {"ab cd", 0, {"ab", "cd"}},
      {"one\\lbtwo\r\nthree", 1000, {"one", "two", "three"}},
      {"a\n\nb", 1000, {"a", "", "b"}},
      {"", 100, {}},
  };
  for (const Case& c : cases) {
    FakeMeasure m;
    MarkupLayout l = LayoutText(c.caption, c.width, kBase, m);
    EXPECT_EQ(c.lines, LineTexts(l)) << c.caption << " in " << c.width;
    EXPECT_EQ(16 * int(c.lines.size()), l.Height) << c.caption;
  }
}

// Whether a word fits, whether the next word still fits behind it, and
// where a word too wide breaks, are all decided by one measure: the width of
// a piece is the sum of its whole runs. One trailing blank is left out of
// what is drawn, so right-aligned text ends at the right edge.
TEST(PZMarkup, OneMeasureDecidesEveryBreak) {
  const std::string longWord(300, 'x');
  struct Case {
    std::string Caption;
    int Width;
    std::vector<std::string> Lines;
    std::vector<int> Drawn;
  } const cases[] = {
      // "aa bb" is one run of 5 (+1), not "aa " (3+1) and "bb" (2+1).
      {"aa bb", 6, {"aa bb"}, {6}},
      {"aa bb", 5, {"aa", "bb"}, {3, 3}},
      // A word of more than 256 characters whose run with its blank just
      // fits: the blank is left out of the drawn line.
      {longWord + " y", 302, {longWord, "y"}, {301, 2}},
      {longWord + "\n" + "y", 301, {longWord, "y"}, {301, 2}},
      // Too wide with its blank: broken inside, at the last character that
      // fits; the rest of it begins the next line.
      {longWord + " y", 300, {std::string(299, 'x'), "x y"}, {300, 4}},
      // A control pair ends a run: "ab" and "cd" are measured apart.
      {"ab\\Bcd ef", 7, {"ab<d>cd", "ef"}, {6, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Caption.substr(0, 12) + " in " + std::to_string(c.Width));
    OverhangMeasure m;
    const MarkupLayout l = LayoutText(c.Caption, c.Width, kBase, m);
    ASSERT_EQ(c.Lines, LineTexts(l));
    for (std::size_t i = 0; i < l.Lines.size(); ++i) {
      EXPECT_EQ(c.Drawn[i], l.Lines[i].DrawnWidth) << i;
      EXPECT_LE(l.Lines[i].DrawnWidth, c.Width) << i;
    }
  }
}

// A word too wide for its line breaks between characters, never inside a
// UTF-8 sequence; every line is whole characters.
TEST(PZMarkup, BreaksInsideAWordKeepCharactersWhole) {
  struct Case {
    const char* Caption;
    int Width;
    std::vector<std::string> Lines;
  } const cases[] = {
      // Japanese, three bytes a character.
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87\xE5\xAD\x97\xE5\x88\x97", 35,
       {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xE3\x81\xAE\xE6\x96\x87\xE5\xAD\x97", "\xE5\x88\x97"}},
      // Emoji, four bytes a character, behind a bold switch.
      {"\\B\xF0\x9F\x98\x80\xF0\x9F\x98\x81\xF0\x9F\x98\x82 a", 25,
       {"<d>\xF0\x9F\x98\x80\xF0\x9F\x98\x81", "\xF0\x9F\x98\x82", "a"}},
      // Too narrow for one character: the word stands whole, overflowing.
      {"\xE6\x97\xA5\xE6\x9C\xAC", 5, {"\xE6\x97\xA5\xE6\x9C\xAC"}},
      // Bytes of no well-formed sequence are characters of their own.
      {"\xE6\x97xyz", 25, {"\xE6\x97xy", "z"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Caption);
    CharacterMeasure m;
    const MarkupLayout l = LayoutText(c.Caption, c.Width, kBase, m);
    EXPECT_EQ(c.Lines, LineTexts(l));
  }
}

// Bold switched on in the first line stays on in the following lines; a
// colour likewise until "\cN"; "\N" restores the style.
TEST(PZMarkup, StylesCarryIntoLaterLinesAndDrawAligned) {
  FakeMeasure m;
  const char* caption = "\\Bab \\cRedcd\\lbef\\cN\\N gh";
  MarkupLayout l = LayoutText(caption, 40, kBase, m);
  ASSERT_EQ((std::vector<std::string>{"<d>ab", "<t>cd", "ef<}><j>", "gh"}), LineTexts(l));
  EXPECT_EQ(36, l.Lines[0].Width);  // "ab " in bold
  EXPECT_EQ(24, l.Lines[0].DrawnWidth);
  EXPECT_EQ(36, l.Width);
  EXPECT_EQ(64, l.Height);

  MarkupRect block = PlaceMarkupBlock(l, 100, 80, haRight, vaBottom);
  EXPECT_EQ(64, block.Left);
  EXPECT_EQ(16, block.Top);
  DrawMarkupLayout(l, block, haRight, kBase, m);
  struct Expect {
    int x, y;
    const char* text;
    unsigned style;
    std::int32_t colour;
  } expect[] = {
      {76, 16, "ab", kMarkupBold, 0x123456},
      {76, 32, "cd", kMarkupBold, 0x0000FF},
      {76, 48, "ef", kMarkupBold, 0x0000FF},  // still bold and red
      {80, 64, "gh", 0, 0x123456},             // "\cN" and "\N" restored both
  };
  ASSERT_EQ(4u, m.Runs.size());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(expect[i].x, m.Runs[i].X) << i;
    EXPECT_EQ(expect[i].y, m.Runs[i].Y) << i;
    EXPECT_EQ(expect[i].text, m.Runs[i].Text) << i;
    EXPECT_EQ(expect[i].style, m.Runs[i].Font.Style) << i;
    EXPECT_EQ(expect[i].colour, m.Runs[i].Font.Color) << i;
  }

  m.Runs.clear();
  block = PlaceMarkupBlock(l, 101, 81, haCenter, vaCenter);
  EXPECT_EQ(50 - 18, block.Left);
  EXPECT_EQ(40 - 32, block.Top);
  DrawMarkupLayout(l, block, haCenter, kBase, m);
  EXPECT_EQ(32 + 18 - 12, m.Runs[0].X);
  EXPECT_EQ(32 + 18 - 10, m.Runs[3].X);
}

// Huge and hostile captions end, every character lands on exactly one line,
// and no line is wider than allowed where a character fits at all.
TEST(PZMarkup, HugeAndHostileCaptionsEnd) {
  std::string oneWord(1 << 20, 'x');
  std::string words;
  while (words.size() < (1u << 20)) words += "\\Bab\\b cd\\cRed ";
  std::mt19937 rng(11);
  std::string noise(1 << 20, ' ');
  const char alphabet[] = {'\\', 'B', 'b', 'l', 'c', 'N', '\r', '\n', ' ', '\0', '\x01', 'x'};
  for (char& c : noise) c = alphabet[rng() % sizeof alphabet];
  struct Case {
    const std::string* caption;
    int width;
  } cases[] = {{&oneWord, 100}, {&words, 30000}, {&words, 0}, {&noise, 50}, {&noise, -5}};
  for (const Case& c : cases) {
    FakeMeasure m;
    MarkupLayout l = LayoutText(*c.caption, c.width, kBase, m);
    ASSERT_FALSE(l.Lines.empty());
    // Each line takes up where the last ended, past the one blank or line
    // feed that was left out of it.
    std::size_t covered = 0;
    auto skipBreak = [&](std::size_t at) {
      return at < l.Text.size() && (l.Text[at] == ' ' || l.Text[at] == '\n') ? at + 1 : at;
    };
    for (const MarkupLine& line : l.Lines) {
      EXPECT_TRUE(line.Begin == covered || line.Begin == skipBreak(covered));
      covered = line.End;
      // Wide enough for any one character: no line overflows.
      if (c.width >= 12) {
        EXPECT_LE(line.DrawnWidth, c.width);
      }
    }
    EXPECT_TRUE(covered == l.Text.size() || skipBreak(covered) == l.Text.size());
  }
}
