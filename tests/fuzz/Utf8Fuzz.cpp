// The character rules of 8-bit texts: every reader that counts, cuts or
// steps through the program's texts relies on them. Checked against a
// decoder written out here the long way.
#include "FuzzInput.h"
#include "framework/Utf8.h"

namespace {
// The well-formed sequence at pos by the Unicode table of well-formed byte
// sequences, or 1.
std::size_t ReferenceLength(const std::string& s, std::size_t pos) {
  auto at = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[pos + i])); };
  const std::size_t left = s.size() - pos;
  const unsigned b0 = at(0);
  auto in = [](unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; };
  if (b0 < 0x80) return 1;
  if (in(b0, 0xC2, 0xDF) && left >= 2 && in(at(1), 0x80, 0xBF)) return 2;
  if (left >= 3) {
    const unsigned b1 = at(1), b2 = at(2);
    const bool tail = in(b2, 0x80, 0xBF);
    if (b0 == 0xE0 && in(b1, 0xA0, 0xBF) && tail) return 3;
    if ((in(b0, 0xE1, 0xEC) || in(b0, 0xEE, 0xEF)) && in(b1, 0x80, 0xBF) && tail) return 3;
    if (b0 == 0xED && in(b1, 0x80, 0x9F) && tail) return 3;
  }
  if (left >= 4) {
    const unsigned b1 = at(1);
    const bool tail = in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF);
    if (b0 == 0xF0 && in(b1, 0x90, 0xBF) && tail) return 4;
    if (in(b0, 0xF1, 0xF3) && in(b1, 0x80, 0xBF) && tail) return 4;
    if (b0 == 0xF4 && in(b1, 0x80, 0x8F) && tail) return 4;
  }
  return 1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::size_t limit = in.Byte();
  const std::string text = in.Rest();

  std::size_t chars = 0;
  bool valid = true;
  std::vector<bool> boundary(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size();) {
    boundary[i] = true;
    const std::size_t n = Utf8CharLength(text, i);
    FUZZ_CHECK(n == ReferenceLength(text, i));
    if (n == 1 && static_cast<unsigned char>(text[i]) >= 0x80) valid = false;
    const std::uint32_t cp = Utf8CodePointAt(text, i);
    FUZZ_CHECK(n == 1 || (cp >= 0x80 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)));
    i += n;
    ++chars;
  }
  boundary[text.size()] = true;
  FUZZ_CHECK(CountCharacters(text) == chars);
  FUZZ_CHECK(IsValidUtf8(text) == valid);

  // A cut lands on a boundary of the stepping, at or before the limit, and
  // no later boundary is still within it.
  const std::size_t cut = CharBoundaryAtOrBefore(text, limit);
  FUZZ_CHECK(cut <= text.size() && boundary[cut] && (cut <= limit || cut == 0));
  for (std::size_t k = cut + 1; k <= std::min(limit, text.size()); ++k) FUZZ_CHECK(!boundary[k]);
  const std::string cutText = CutToCharacters(text, limit);
  FUZZ_CHECK(CountCharacters(cutText) == std::min(limit, chars));
  FUZZ_CHECK(text.compare(0, cutText.size(), cutText) == 0 && boundary[cutText.size()]);
  if (valid) FUZZ_CHECK(IsValidUtf8(cutText));
  FUZZ_CHECK(WithoutUtf8Bom(text).size() + (text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0) == text.size());
  return 0;
}
