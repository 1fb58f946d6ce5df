// A caption on one line of a given width, cut at its end with an ellipsis
// when it is wider: what a title shows, where a second line would never be
// seen. Window-free, like the rest of the markup (drawing/PZMarkup.h).
#pragma once

#include "drawing/PZMarkup.h"

// The caption's first line (up to its first line break), whole when it fits
// the width, else as much of it as fits with "..." after it, cut between
// characters (never inside a multi-byte character or a control pair). When
// not even the ellipsis fits, the ellipsis alone. The layout has one line
// and draws with DrawMarkupLayout.
MarkupLayout LayoutOneLineWithEllipsis(std::string_view caption, int availableWidth,
                                       const MarkupFont& base, MarkupMeasure& measure);
