#include "framework/Utf8.h"

std::size_t Utf8CharLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  std::size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;  // no overlong forms
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  if (text.size() - pos < n) return 1;
  if (b(1) < lo || b(1) > hi) return 1;
  for (std::size_t i = 2; i < n; ++i)
    if (b(i) < 0x80 || b(i) > 0xBF) return 1;
  return n;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8CharLength(text, i);
    if (n == 1 && static_cast<unsigned char>(text[i]) >= 0x80) return false;
    i += n;
  }
  return true;
}

std::uint32_t Utf8CodePointAt(std::string_view text, std::size_t pos) {
  const std::size_t n = Utf8CharLength(text, pos);
  if (n == 0) return 0;
  const auto c = static_cast<unsigned char>(text[pos]);
  if (n == 1) return c;
  std::uint32_t cp = c & (0xFF >> (n + 1));
  for (std::size_t i = 1; i < n; ++i) cp = (cp << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  return cp;
}

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += Utf8CharLength(text, i)) ++count;
  return count;
}

std::string CutToCharacters(std::string_view text, std::size_t maxChars) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < maxChars && i < text.size(); ++k) i += Utf8CharLength(text, i);
  return std::string(text.substr(0, i));
}

std::size_t CharBoundaryAtOrBefore(std::string_view text, std::size_t maxBytes) {
  if (maxBytes >= text.size()) return text.size();
  // A sequence is at most four bytes: look back no further than that.
  const std::size_t from = maxBytes >= 3 ? maxBytes - 3 : 0;
  for (std::size_t start = from; start < maxBytes; ++start) {
    const std::size_t n = Utf8CharLength(text, start);
    if (n > 1 && start + n > maxBytes) {
      // Only a real lead byte counts: one that the stepping from the text's
      // start would reach is what matters, and a well-formed sequence cannot
      // begin on a continuation byte, so a lead byte here is reached.
      return start;
    }
  }
  return maxBytes;
}

std::string_view WithoutUtf8Bom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}
