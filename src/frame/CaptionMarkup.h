// The frame's own view of caption markup: the codes it removes when the
// system draws a caption. No window here.
#pragma once

#include <string>

// Removes "\B", "\U", "\I" and "\LB" in any letter case, each occurrence,
// codes in that order; every other character stays. "\\" is the markup's
// escaped backslash: it takes part in no code and comes out as one "\".
std::string StripCaptionMarkup(const std::string& text);

// Escapes every backslash of plain text (a path) so that it shows literally
// inside a markup caption.
std::string EscapeMarkupText(const std::string& text);
