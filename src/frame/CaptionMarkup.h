// The frame's view of caption markup: the caption as the system draws it,
// and plain text made safe to put into a caption. No window here. The
// grammar is the markup label's (drawing/PZMarkup.h).
#pragma once

#include <string>

// The caption without its markup, in one pass: every switch of the grammar
// (style, colour, "\lb") removed in any letter case where the grammar allows
// it, "\\" as one "\", every other character as it stands.
std::string StripCaptionMarkup(const std::string& text);

// Escapes every backslash of plain text (a path) so that it shows literally
// inside a markup caption.
std::string EscapeMarkupText(const std::string& text);
