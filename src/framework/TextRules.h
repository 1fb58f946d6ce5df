// Text rules that need no window: accelerators, line splitting, ASCII case,
// wildcard masks. Built natively too.
#pragma once

#include <string>
#include <vector>

#include "framework/NameRules.h"

// The accelerator letter of a caption ("&Save" gives 'S'), or 0. "&&" is a
// literal ampersand, not a marker.
char AcceleratorOf(const std::string& caption);
// The caption without its accelerator marker, "&&" becoming "&".
std::string StripAccelerator(const std::string& caption);

// Splits at CR LF, LF or a lone CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

// ASCII-only case conversion: other bytes stay as they are, length is kept.
std::string UpperCaseAscii(std::string s);
std::string LowerCaseAscii(std::string s);
bool SameTextAscii(const std::string& a, const std::string& b);

// Wildcard match of an 8-bit file name against one pattern, without regard
// to case as the fold gives it (ASCII letters only by default): '*' any run,
// '?' any one character, a multi-byte sequence included (in the name both
// are plain characters). As with the system's search, "*.*" matches names
// without a dot, a pattern ending in ".*" also matches the name without
// that extension, and "x." matches the name "x". Linear in the name's
// length for every pattern; see TNameMask, which this is.
bool MatchesMask(const std::string& name, const std::string& pattern,
                 const TCaseFold& fold = TCaseFold());
// A mask list split at ';' ("*.txt;*.doc"); empty parts are dropped.
std::vector<std::string> SplitMask(const std::string& mask);
