// Character boundaries in 8-bit texts. The process's code page is UTF-8
// where the program's manifest is honoured; a rule that counts, cuts or
// steps through characters must then never split a multi-byte sequence.
// A well-formed UTF-8 sequence counts as one character; any other byte as
// one character of its own, so that legacy 8-bit texts (every byte a
// character) and damaged UTF-8 are stepped through byte by byte and never
// lost. Window-free, built natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The length of the character at pos: the length of a well-formed UTF-8
// sequence starting there (2 to 4; no overlong forms, no surrogates, nothing
// above U+10FFFF), else 1. 0 at or past the end.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos);
// True when the whole text is well-formed UTF-8 (an empty text is).
bool IsValidUtf8(std::string_view text);
// The code point of the well-formed sequence at pos, or the byte itself.
std::uint32_t Utf8CodePointAt(std::string_view text, std::size_t pos);
// The number of characters as Utf8CharLength steps through them.
std::size_t CountCharacters(std::string_view text);
// The text cut to at most maxChars characters, never inside a sequence.
std::string CutToCharacters(std::string_view text, std::size_t maxChars);
// The largest cut at or below maxBytes that splits no sequence.
std::size_t CharBoundaryAtOrBefore(std::string_view text, std::size_t maxBytes);
// The text without a leading UTF-8 byte-order mark.
std::string_view WithoutUtf8Bom(std::string_view text);
