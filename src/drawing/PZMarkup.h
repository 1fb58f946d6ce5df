// The caption markup of the markup label: the grammar, the conversion into
// the label's internal text form, words, and the layout of wrapped lines.
// Text is measured and drawn through an interface, so none of this needs a
// window; the label binds it to a device context.
//
// The grammar, read left to right in one pass:
//   "\\"                         a backslash
//   "\B" "\b" "\I" "\i" "\U" "\u"  bold, italic, underline on and off
//                                  (letter case matters)
//   "\N"                          style back to the label's font (any case)
//   "\cBlack" ... "\cWhite"       a colour of the palette (any case)
//   "\cN"                         colour back to the label's font (any case)
//   "\lb"                         a line break (any case)
//   CR LF, LF CR, a lone CR, LF   line breaks
// Any other backslash is a plain character. The characters 0 and 1 are not
// text: they are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TPZHorzAlignment { haLeft, haRight, haCenter };
enum TPZVertAlignment { vaTop, vaBottom, vaCenter };

// The internal text form holds plain characters, line feeds and control
// pairs: this prefix followed by a code letter.
constexpr char kMarkupPrefix = '\x01';

// Code letters of the control pairs.
enum TPZMarkupCode : char {
  mcBoldOn = 'd',
  mcBoldOff = 'e',
  mcItalicOn = 'f',
  mcItalicOff = 'g',
  mcUnderlineOn = 'h',
  mcUnderlineOff = 'i',
  mcStyleBack = 'j',
  mcFirstColour = 'k',  // "\cBlack"; the palette runs on to mcLastColour
  mcLastColour = '|',   // "\cWhite"
  mcColourBack = '}',
};

// The style bits are the framework's font styles; the colour is a colour
// value of the framework (0x00BBGGRR, or a system colour).
constexpr unsigned kMarkupBold = 1, kMarkupItalic = 2, kMarkupUnderline = 4;
struct MarkupFont {
  unsigned Style = 0;
  std::int32_t Color = 0;
  bool operator==(const MarkupFont&) const = default;
};

// The palette colour of a colour code (mcFirstColour .. mcLastColour).
std::int32_t MarkupPaletteColour(char code);
// A control pair's effect: the font after applying the code, with base the
// label's own font. Unknown codes change nothing.
MarkupFont ApplyMarkupCode(MarkupFont font, char code, const MarkupFont& base);

// ---- the grammar ------------------------------------------------------------------
// What the scanner finds, in order.
class MarkupVisitor {
 public:
  virtual ~MarkupVisitor() = default;
  // A character to show (an escaped backslash arrives as '\\').
  virtual void Char(char c) = 0;
  // A switch, by its code letter.
  virtual void Code(char code) = 0;
  // "\lb".
  virtual void Break() = 0;
  // A run of CR and LF characters as it stood, and the number of line
  // breaks it makes: CR LF and LF CR are one break each, any other CR or LF
  // one. (A run is read as if CR LF pairs were joined first and LF CR pairs
  // after that, so CR LF CR is one break.)
  virtual void LineEnds(std::string_view raw, int breaks) = 0;
};
// Reads a caption once, left to right.
void ScanMarkup(std::string_view caption, MarkupVisitor& visitor);

// The caption in the internal text form.
std::string ConvertMarkup(std::string_view caption);

// ---- words and widths -------------------------------------------------------------
// Measures (and draws) runs of plain characters in a given font.
class MarkupMeasure {
 public:
  virtual ~MarkupMeasure() = default;
  virtual int TextWidth(std::string_view run, const MarkupFont& font) = 0;
  // The height of one line: the text height of "A" in the font.
  virtual int LineHeight(const MarkupFont& font) = 0;
};
class MarkupPainter : public MarkupMeasure {
 public:
  virtual void DrawRun(int x, int y, std::string_view run, const MarkupFont& font) = 0;
  // False for a line that lies wholly outside what is painted.
  virtual bool LineVisible(int top, int height) { (void)top; (void)height; return true; }
};

// The end of the word starting at begin in internal text: up to and
// including the first blank or line feed (control pairs are skipped over),
// else the end of the text.
std::size_t NextWord(std::string_view text, std::size_t begin);
// The width of a piece of internal text, starting in font; font receives the
// font in force after the piece.
std::int64_t MarkupWidth(std::string_view piece, MarkupFont& font, const MarkupFont& base,
                         MarkupMeasure& measure);

// ---- layout -----------------------------------------------------------------------
struct MarkupLine {
  std::size_t Begin = 0, End = 0;  // in the internal text, one trailing blank
                                   // or line feed left out
  MarkupFont Font;                 // in force where the line begins
  int Width = 0;                   // with the trailing blank
  int DrawnWidth = 0;              // without it: what alignment uses
};
struct MarkupLayout {
  std::string Text;  // internal form
  std::vector<MarkupLine> Lines;
  int LineHeight = 0;
  int Width = 0;   // the widest line
  int Height = 0;  // lines times line height
};
// Breaks the caption into lines no wider than availableWidth, every width
// measured the one way (a piece is as wide as its whole runs together): at
// blanks and line breaks, inside a word too wide for a line alone (between
// characters, never inside a control pair or a UTF-8 sequence), and a word
// of which not even one character fits stands alone on its line,
// overflowing. Styles and colours carry on from line to
// line, starting from base.
MarkupLayout LayoutText(std::string_view caption, int availableWidth, const MarkupFont& base,
                        MarkupMeasure& measure);

struct MarkupRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// Where the block of lines goes in a client area of the given size.
MarkupRect PlaceMarkupBlock(const MarkupLayout& layout, int clientWidth, int clientHeight,
                            TPZHorzAlignment horz, TPZVertAlignment vert);
// Draws the lines into the block, each aligned inside it.
void DrawMarkupLayout(const MarkupLayout& layout, const MarkupRect& block, TPZHorzAlignment horz,
                      const MarkupFont& base, MarkupPainter& painter);
