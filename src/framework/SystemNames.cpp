#include "framework/SystemNames.h"

#include <vector>

#include "framework/WideText.h"

namespace {
TCaseFold MakeSystemCaseFold() {
  // One call maps the whole plane; surrogates and U+0000 are left out of
  // the request (the function takes neither alone) and stay themselves.
  std::u16string table(0x10000, u'\0');
  std::wstring in, out;
  in.reserve(0x10000);
  for (unsigned u = 1; u < 0x10000; ++u)
    if (u < 0xD800 || u > 0xDFFF) in += static_cast<wchar_t>(u);
  out.resize(in.size());
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, in.data(),
                              static_cast<int>(in.size()), out.data(),
                              static_cast<int>(out.size()), nullptr, nullptr, 0);
  // Upper case here maps one unit to one unit; anything else is not a
  // table to go by.
  if (n != static_cast<int>(in.size())) return TCaseFold();
  for (unsigned u = 0; u < 0x10000; ++u) table[u] = static_cast<char16_t>(u);
  for (size_t i = 0; i < in.size(); ++i)
    table[static_cast<unsigned>(in[i])] = static_cast<char16_t>(out[i]);
  return TCaseFold(std::move(table));
}
}  // namespace

const TCaseFold& SystemCaseFold() {
  static const TCaseFold fold = MakeSystemCaseFold();
  return fold;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
  if (wa.size() != wb.size()) return false;
  const TCaseFold& fold = SystemCaseFold();
  for (size_t i = 0; i < wa.size(); ++i)
    if (fold.Upper(static_cast<char16_t>(wa[i])) != fold.Upper(static_cast<char16_t>(wb[i])))
      return false;
  return true;
}

std::string NameSortKey(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  // Keys take a few bytes per character; a name of 255 fits the first try.
  BYTE small[2048];
  int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(),
                        length, reinterpret_cast<LPWSTR>(small), sizeof small, nullptr, nullptr, 0);
  if (n > 0) return std::string(reinterpret_cast<const char*>(small), static_cast<size_t>(n - 1));
  n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(), length,
                    nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return {};
  std::vector<BYTE> big(static_cast<size_t>(n));
  n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(), length,
                    reinterpret_cast<LPWSTR>(big.data()), n, nullptr, nullptr, 0);
  if (n <= 0) return {};
  // The key ends in a zero byte, which adds nothing to the order.
  return std::string(reinterpret_cast<const char*>(big.data()), static_cast<size_t>(n - 1));
}
