#include "drawing/PZMarkupFit.h"

#include <algorithm>
#include <climits>

#include "framework/Utf8.h"

namespace {
constexpr std::string_view kEllipsis = "...";

// The ends of the tokens of a piece of internal text: a control pair, or
// one character.
std::vector<std::size_t> TokenEnds(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    i += (text[i] == kMarkupPrefix && i + 1 < text.size()) ? 2 : Utf8CharLength(text, i);
    ends.push_back(i);
  }
  return ends;
}

}  // namespace

MarkupLayout LayoutOneLineWithEllipsis(std::string_view caption, int availableWidth,
                                       const MarkupFont& base, MarkupMeasure& measure) {
  // The whole caption laid out without a width limit gives its lines and
  // the line height; only the first line is kept.
  MarkupLayout full = LayoutText(caption, INT_MAX / 4, base, measure);
  MarkupLayout one;
  one.LineHeight = full.LineHeight;
  one.Height = full.LineHeight;
  if (full.Lines.empty()) return one;
  const MarkupLine& first = full.Lines.front();
  std::string_view line = std::string_view(full.Text).substr(first.Begin, first.End - first.Begin);
  MarkupFont font = base;
  // An empty line has nothing to cut, however narrow the place.
  if (!line.empty() && MarkupWidth(line, font, base, measure) > availableWidth) {
    const std::vector<std::size_t> ends = TokenEnds(line);
    auto prefix = [&](std::size_t k) { return line.substr(0, k == 0 ? 0 : ends[k - 1]); };
    // The ellipsis takes the font in force where the cut is, so the width
    // with it does not grow evenly with the prefix; the prefix's own width
    // does. The narrowest ellipsis bounds the search, and the cut then steps
    // back to where the ellipsis in its real font fits too.
    std::int64_t narrowest = INT_MAX;
    for (unsigned style = 0; style < 8; ++style) {
      MarkupFont f{style, base.Color};
      narrowest = std::min<std::int64_t>(narrowest, MarkupWidth(kEllipsis, f, base, measure));
    }
    std::size_t good = 0, bad = ends.size() + 1;  // counts of tokens kept
    while (bad - good > 1) {
      const std::size_t mid = good + (bad - good) / 2;
      MarkupFont f = base;
      if (MarkupWidth(prefix(mid), f, base, measure) + narrowest <= availableWidth) good = mid;
      else bad = mid;
    }
    for (; good > 0; --good) {
      MarkupFont f = base;
      const std::int64_t w = MarkupWidth(prefix(good), f, base, measure);
      if (w + MarkupWidth(kEllipsis, f, base, measure) <= availableWidth) break;
    }
    one.Text = std::string(prefix(good));
    one.Text += kEllipsis;
  } else {
    one.Text = std::string(line);
  }
  MarkupFont after = base;
  const int width = static_cast<int>(std::min<std::int64_t>(
      MarkupWidth(one.Text, after, base, measure), INT_MAX / 4));
  one.Lines.push_back(MarkupLine{0, one.Text.size(), base, width, width});
  one.Width = width;
  return one;
}
