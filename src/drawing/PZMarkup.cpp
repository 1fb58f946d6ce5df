#include "drawing/PZMarkup.h"

#include <algorithm>
#include <array>
#include <limits>

#include "framework/Utf8.h"

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when text at pos starts with word (given in capitals), ignoring the
// case of ASCII letters.
bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (UpperAscii(text[pos + i]) != word[i]) return false;
  return true;
}

struct ColourName {
  std::string_view Name;  // after "\c", in capitals
  std::int32_t Value;
};
// In code order: "\cBlack" is mcFirstColour. Values are 0x00BBGGRR.
constexpr std::array<ColourName, 18> kPalette{{
    {"BLACK", 0x000000}, {"MAROON", 0x000080}, {"GREEN", 0x008000},   {"OLIVE", 0x008080},
    {"NAVY", 0x800000},  {"PURPLE", 0x800080}, {"TEAL", 0x808000},    {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF},   {"LIME", 0x00FF00},    {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000},  {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},   {"LTGRAY", 0xC0C0C0},
    {"DKGRAY", 0x808080}, {"WHITE", 0xFFFFFF},
}};
static_assert(mcLastColour - mcFirstColour + 1 == kPalette.size());

// The switch that starts at text[pos] (a backslash): its code and length,
// or length 0. "\lb" gives the code '\n'.
struct Switch {
  char Code = 0;
  std::size_t Length = 0;
};
Switch MatchSwitch(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size()) return {};
  switch (text[pos + 1]) {
    case 'B': return {mcBoldOn, 2};
    case 'b': return {mcBoldOff, 2};
    case 'I': return {mcItalicOn, 2};
    case 'i': return {mcItalicOff, 2};
    case 'U': return {mcUnderlineOn, 2};
    case 'u': return {mcUnderlineOff, 2};
    case 'N':
    case 'n': return {mcStyleBack, 2};
    case 'C':
    case 'c':
      // A colour name is tried before "\cN", so "\cNavy" is navy.
      for (std::size_t i = 0; i < kPalette.size(); ++i)
        if (StartsWithNoCase(text, pos + 2, kPalette[i].Name))
          return {static_cast<char>(mcFirstColour + i), 2 + kPalette[i].Name.size()};
      if (StartsWithNoCase(text, pos + 2, "N")) return {mcColourBack, 3};
      return {};
    case 'L':
    case 'l':
      if (StartsWithNoCase(text, pos + 2, "B")) return {'\n', 3};
      return {};
    default: return {};
  }
}

// The number of line breaks a run of CR and LF characters makes. CR LF pairs
// are joined first, LF CR pairs of what remains after that, then every
// character left is one break.
int LineBreaksOf(std::string_view run) {
  std::string joined;
  joined.reserve(run.size());
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (run[i] == '\r' && i + 1 < run.size() && run[i + 1] == '\n') {
      joined += '\n';
      ++i;
    } else {
      joined += run[i];
    }
  }
  int breaks = 0;
  for (std::size_t i = 0; i < joined.size(); ++i) {
    if (joined[i] == '\n' && i + 1 < joined.size() && joined[i + 1] == '\r') ++i;
    ++breaks;
  }
  return breaks;
}

bool IsLineEndChar(char c) { return c == '\r' || c == '\n'; }

class Converter : public MarkupVisitor {
 public:
  std::string Out;
  void Char(char c) override { Out += c; }
  void Code(char code) override {
    Out += kMarkupPrefix;
    Out += code;
  }
  void Break() override { Out += '\n'; }
  void LineEnds(std::string_view, int breaks) override { Out.append(breaks, '\n'); }
};

// Widths and positions are summed in 64 bits and handed out clamped, so that
// no measure, however large, can overflow them.
constexpr std::int64_t kLimit = std::numeric_limits<int>::max() / 2;
int Clamped(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -kLimit, kLimit)); }

// The length of the token at pos: a control pair is two characters (a
// prefix at the very end of the text is one), anything else one character,
// a whole UTF-8 sequence where one stands, so that no break and no measured
// piece ever splits a character.
std::size_t TokenLength(std::string_view text, std::size_t pos) {
  if (text[pos] == kMarkupPrefix) return pos + 1 < text.size() ? 2 : 1;
  return Utf8CharLength(text, pos);
}

// Walks a piece run by run: a run of plain characters goes to run(), a
// control pair to the font, a line feed nowhere.
template <class RunFn>
void WalkPiece(std::string_view piece, MarkupFont& font, const MarkupFont& base, RunFn&& run) {
  std::size_t i = 0;
  while (i < piece.size()) {
    std::size_t j = i;
    while (j < piece.size() && piece[j] != kMarkupPrefix && piece[j] != '\n') ++j;
    if (j > i) run(piece.substr(i, j - i), font);
    if (j >= piece.size()) break;
    if (piece[j] == '\n') {
      i = j + 1;
    } else if (j + 1 < piece.size()) {
      font = ApplyMarkupCode(font, piece[j + 1], base);
      i = j + 2;
    } else {
      i = j + 1;  // a prefix without a code: removed without effect
    }
  }
}

// The width of a line as it grows word by word, by the one measure of a
// text: the sum of the widths of its whole runs. A run does not end at a
// blank, so a word joins the line's last run, and that run is measured
// again whole; the runs before it are closed and their sum is kept.
class GrowingLine {
 public:
  GrowingLine(std::string_view text, std::size_t begin, const MarkupFont& font,
              const MarkupFont& base, MarkupMeasure& measure)
      : FText(text), FBase(base), FMeasure(measure), FEnd(begin), FOpenBegin(begin),
        FFont(font) {}

  // The line up to end (at or after its current end), not yet taken.
  struct Extent {
    std::size_t End, OpenBegin;
    std::int64_t Closed;
    MarkupFont Font;  // in force at End, and for the open run
    std::int64_t Width;
  };
  Extent To(std::size_t end) const {
    Extent e{FEnd, FOpenBegin, FClosed, FFont, 0};
    std::size_t i = FEnd;
    while (i < end) {
      if (FText[i] != kMarkupPrefix && FText[i] != '\n') {
        ++i;
        continue;
      }
      if (i > e.OpenBegin) e.Closed += RunWidth(e.OpenBegin, i, e.Font);
      if (FText[i] == '\n') {
        i += 1;
      } else if (i + 1 < end) {
        e.Font = ApplyMarkupCode(e.Font, FText[i + 1], FBase);
        i += 2;
      } else {
        i += 1;  // a prefix without a code
      }
      e.OpenBegin = i;
    }
    e.End = end;
    e.Width = e.Closed + (end > e.OpenBegin ? RunWidth(e.OpenBegin, end, e.Font) : 0);
    return e;
  }
  void Take(const Extent& e) {
    FEnd = e.End;
    FOpenBegin = e.OpenBegin;
    FClosed = e.Closed;
    FFont = e.Font;
  }

 private:
  std::int64_t RunWidth(std::size_t from, std::size_t to, const MarkupFont& font) const {
    return std::max(0, FMeasure.TextWidth(FText.substr(from, to - from), font));
  }
  std::string_view FText;
  const MarkupFont& FBase;
  MarkupMeasure& FMeasure;
  std::size_t FEnd, FOpenBegin;
  std::int64_t FClosed = 0;
  MarkupFont FFont;
};

// The end of the longest prefix of [begin, end) no wider than available,
// ending between tokens; begin when not even one token fits. The prefix is
// found by doubling its length and then halving the interval, so that a huge
// word costs about as much as the part of it that fits.
std::size_t LongestFit(std::string_view text, std::size_t begin, std::size_t end,
                       const MarkupFont& font, const MarkupFont& base, std::int64_t available,
                       MarkupMeasure& measure) {
  if (available < 0) return begin;
  std::vector<std::size_t> ends;  // ends[k - 1]: end of the first k tokens
  std::size_t scanned = begin;
  auto tokens = [&](std::size_t k) {  // makes the first k token ends known
    while (ends.size() < k && scanned < end) {
      scanned += std::min(TokenLength(text, scanned), end - scanned);
      ends.push_back(scanned);
    }
    return std::min(k, ends.size());
  };
  auto fits = [&](std::size_t k) {
    MarkupFont f = font;
    return MarkupWidth(text.substr(begin, ends[k - 1] - begin), f, base, measure) <= available;
  };
  std::size_t good = 0, bad = 0;  // bad: a count known not to fit, 0 unknown
  for (std::size_t k = 1;; k *= 2) {
    std::size_t have = tokens(k);
    if (have == 0) return begin;
    if (!fits(have)) {
      bad = have;
      break;
    }
    good = have;
    if (have < k) return ends[good - 1];  // the whole piece fits
  }
  while (bad - good > 1) {
    std::size_t mid = good + (bad - good) / 2;
    if (fits(mid)) good = mid;
    else bad = mid;
  }
  return good == 0 ? begin : ends[good - 1];
}

// A word: where it ends, and the blank or line feed it ends with (0 when
// it runs to the end of the text without one).
struct Word {
  std::size_t End;
  char Break;
};
Word WordAt(std::string_view text, std::size_t begin) {
  std::size_t i = begin;
  while (i < text.size()) {
    std::size_t n = TokenLength(text, i);
    if (n == 1 && (text[i] == ' ' || text[i] == '\n')) return {i + 1, text[i]};
    i += n;
  }
  return {text.size(), 0};
}

}  // namespace

// ---- the grammar ---------------------------------------------------------------------
std::int32_t MarkupPaletteColour(char code) {
  if (code < mcFirstColour || code > mcLastColour) return 0;
  return kPalette[static_cast<std::size_t>(code - mcFirstColour)].Value;
}

MarkupFont ApplyMarkupCode(MarkupFont font, char code, const MarkupFont& base) {
  switch (code) {
    case mcBoldOn: font.Style |= kMarkupBold; break;
    case mcBoldOff: font.Style &= ~kMarkupBold; break;
    case mcItalicOn: font.Style |= kMarkupItalic; break;
    case mcItalicOff: font.Style &= ~kMarkupItalic; break;
    case mcUnderlineOn: font.Style |= kMarkupUnderline; break;
    case mcUnderlineOff: font.Style &= ~kMarkupUnderline; break;
    case mcStyleBack: font.Style = base.Style; break;
    case mcColourBack: font.Color = base.Color; break;
    default:
      if (code >= mcFirstColour && code <= mcLastColour) font.Color = MarkupPaletteColour(code);
      break;
  }
  return font;
}

void ScanMarkup(std::string_view text, MarkupVisitor& v) {
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\\') {
      if (i + 1 < text.size() && text[i + 1] == '\\') {
        v.Char('\\');
        i += 2;
        continue;
      }
      Switch s = MatchSwitch(text, i);
      if (s.Length == 0) {
        v.Char('\\');
        ++i;
      } else {
        if (s.Code == '\n') v.Break();
        else v.Code(s.Code);
        i += s.Length;
      }
    } else if (IsLineEndChar(c)) {
      std::size_t j = i;
      while (j < text.size() && IsLineEndChar(text[j])) ++j;
      std::string_view run = text.substr(i, j - i);
      v.LineEnds(run, LineBreaksOf(run));
      i = j;
    } else {
      // The characters 0 and 1 would be taken for the internal form's
      // placeholder and control prefix: they are no text.
      if (c != '\0' && c != kMarkupPrefix) v.Char(c);
      ++i;
    }
  }
}

std::string ConvertMarkup(std::string_view caption) {
  Converter c;
  c.Out.reserve(caption.size());
  ScanMarkup(caption, c);
  return std::move(c.Out);
}

// ---- words and widths ---------------------------------------------------------------
std::size_t NextWord(std::string_view text, std::size_t begin) {
  return WordAt(text, begin).End;
}

std::int64_t MarkupWidth(std::string_view piece, MarkupFont& font, const MarkupFont& base,
                         MarkupMeasure& measure) {
  std::int64_t width = 0;
  WalkPiece(piece, font, base, [&](std::string_view run, const MarkupFont& f) {
    width += std::max(0, measure.TextWidth(run, f));
  });
  return width;
}

// ---- layout ---------------------------------------------------------------------------
MarkupLayout LayoutText(std::string_view caption, int availableWidth, const MarkupFont& base,
                        MarkupMeasure& measure) {
  MarkupLayout out;
  out.Text = ConvertMarkup(caption);
  const std::string_view text = out.Text;
  out.LineHeight = std::max(0, measure.LineHeight(base));
  const std::int64_t available = availableWidth;
  MarkupFont font = base;
  std::int64_t widest = 0, height = 0;

  std::size_t pos = 0;
  // The remainder of a word broken at the end of a line is the next line's
  // first word: its end is known already.
  Word pending{0, 0};
  while (pos < text.size()) {
    MarkupLine line;
    line.Begin = pos;
    line.Font = font;
    const Word word = pending.End > pos ? pending : WordAt(text, pos);
    std::size_t end = word.End;
    char trailing = word.Break;
    // Whether the first word fits is decided by the measure every other
    // decision uses: the width of the whole piece, run by run.
    const std::size_t fit = LongestFit(text, pos, word.End, font, base, available, measure);
    if (fit == word.End) {
      // Whole words while the line with the next one still fits, up to a
      // line feed.
      GrowingLine grow(text, pos, font, base, measure);
      grow.Take(grow.To(end));
      while (trailing != '\n' && end < text.size()) {
        const Word next = WordAt(text, end);
        const GrowingLine::Extent e = grow.To(next.End);
        if (e.Width > available) {
          pending = next;
          break;
        }
        grow.Take(e);
        end = next.End;
        trailing = next.Break;
      }
    } else if (fit != pos) {
      // Too wide alone: as much of the word as fits, the rest begins the
      // next line (a word holds no blank but its last character, so the
      // part that fits ends in none).
      end = fit;
      trailing = 0;
      pending = word;
    }
    // Otherwise not even one character fits: the word stands alone,
    // overflowing.
    MarkupFont f = font;
    std::int64_t width = MarkupWidth(text.substr(pos, end - pos), f, base, measure);
    font = f;  // styles and colours carry on into the next line
    line.End = trailing ? end - 1 : end;
    MarkupFont g = line.Font;
    std::int64_t drawn = MarkupWidth(text.substr(pos, line.End - pos), g, base, measure);
    line.Width = Clamped(width);
    line.DrawnWidth = Clamped(drawn);
    widest = std::max(widest, width);
    height += out.LineHeight;
    out.Lines.push_back(line);
    pos = end;
  }
  out.Width = Clamped(widest);
  out.Height = Clamped(height);
  return out;
}

MarkupRect PlaceMarkupBlock(const MarkupLayout& layout, int clientWidth, int clientHeight,
                            TPZHorzAlignment horz, TPZVertAlignment vert) {
  // The block's own extent starts at 0, 0; division truncates toward zero.
  int dx = 0, dy = 0;
  if (horz == haRight) dx = clientWidth - layout.Width;
  else if (horz == haCenter) dx = clientWidth / 2 - layout.Width / 2;
  if (vert == vaBottom) dy = clientHeight - layout.Height;
  else if (vert == vaCenter) dy = clientHeight / 2 - layout.Height / 2;
  return MarkupRect{dx, dy, dx + layout.Width, dy + layout.Height};
}

void DrawMarkupLayout(const MarkupLayout& layout, const MarkupRect& block, TPZHorzAlignment horz,
                      const MarkupFont& base, MarkupPainter& painter) {
  const std::string_view text = layout.Text;
  const std::int64_t available = std::int64_t(block.Right) - block.Left;
  std::int64_t y = block.Top;
  for (const MarkupLine& line : layout.Lines) {
    if (painter.LineVisible(Clamped(y), layout.LineHeight)) {
      std::int64_t x = block.Left;
      if (horz == haRight) x = std::int64_t(block.Right) - line.DrawnWidth;
      else if (horz == haCenter) x = block.Left + available / 2 - line.DrawnWidth / 2;
      MarkupFont font = line.Font;
      WalkPiece(text.substr(line.Begin, line.End - line.Begin), font, base,
                [&](std::string_view run, const MarkupFont& f) {
                  painter.DrawRun(Clamped(x), Clamped(y), run, f);
                  x += std::max(0, painter.TextWidth(run, f));
                });
    }
    y += layout.LineHeight;
  }
}
