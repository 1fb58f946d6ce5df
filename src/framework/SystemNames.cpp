#include "framework/SystemNames.h"

#include <algorithm>
#include <array>
#include <vector>

#include "framework/TextRules.h"
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
  auto ascii = [](const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (ascii(a) && ascii(b)) return SameTextAscii(a, b);
  const std::wstring wa = AnsiToWide(a), wb = AnsiToWide(b);
  if (wa.size() != wb.size()) return false;
  const TCaseFold& fold = SystemCaseFold();
  for (size_t i = 0; i < wa.size(); ++i)
    if (fold.Upper(static_cast<char16_t>(wa[i])) != fold.Upper(static_cast<char16_t>(wb[i])))
      return false;
  return true;
}

namespace {
constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// Appends the system's key, without the zero byte that ends it (it adds
// nothing to the order); false, with nothing appended, when there is none.
bool AppendSystemKey(std::wstring_view text, std::string& keys) {
  const int length = static_cast<int>(text.size());
  // Keys take a few bytes per character; a name of 255 fits the first try.
  BYTE small[2048];
  int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text.data(), length,
                        reinterpret_cast<LPWSTR>(small), sizeof small, nullptr, nullptr, 0);
  if (n > 1) {
    keys.append(reinterpret_cast<const char*>(small), static_cast<size_t>(n - 1));
    return true;
  }
  n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text.data(), length, nullptr, 0, nullptr,
                    nullptr, 0);
  if (n <= 1) return false;
  std::vector<BYTE> big(static_cast<size_t>(n));
  n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, text.data(), length,
                    reinterpret_cast<LPWSTR>(big.data()), n, nullptr, nullptr, 0);
  if (n <= 1) return false;
  keys.append(reinterpret_cast<const char*>(big.data()), static_cast<size_t>(n - 1));
  return true;
}

std::string SystemKey(std::wstring_view text) {
  std::string key;
  if (!text.empty()) AppendSystemKey(text, key);
  return key;
}

// The keys of plain ASCII names, made without asking the system for each:
// one call per name is most of the time a listing of 100,000 files takes
// beyond the reading. The system's key of such a name is the characters'
// primary weights in order, then the same few section marks; this holds
// unless the user's language joins letters into one (Danish "aa", Czech
// "ch"), and hyphen and apostrophe weigh apart. So the weights are taken
// from the system's own keys of each character, and a character is used
// here only when its key has that form and no pair of letters it belongs to
// is joined; everything else asks the system. Keys made here are the very
// bytes the system gives, so both kinds compare with each other.
class AsciiKeys {
 public:
  AsciiKeys() {
    const std::string a = SystemKey(L"a");
    if (a.size() < 2) return;
    FSuffix = a.substr(2);
    for (wchar_t c = 0x20; c < 0x7F; ++c) {
      if (c == L'-' || c == L'\'') continue;
      const std::string k = SystemKey(std::wstring_view(&c, 1));
      if (k.size() == 2 + FSuffix.size() && k.compare(2, std::string::npos, FSuffix) == 0) {
        FPrimary[c][0] = k[0];
        FPrimary[c][1] = k[1];
        FKnown[c] = true;
      }
    }
    for (wchar_t x = L'a'; x <= L'z'; ++x) {
      for (wchar_t y = L'a'; y <= L'z'; ++y) {
        const wchar_t pair[2] = {x, y};
        std::string made;
        if (Append(std::wstring_view(pair, 2), made) && made == SystemKey(std::wstring_view(pair, 2)))
          continue;
        for (wchar_t c : {x, y}) FKnown[c] = FKnown[c - 32] = false;
      }
    }
    // A last look at whole names of the kind folders are full of.
    for (const wchar_t* sample : {L"file_000123.dat", L"Read Me (2).TXT", L"~$a b.c#9"}) {
      std::string made;
      if (Append(sample, made) && made != SystemKey(sample)) {
        FKnown.fill(false);
        return;
      }
    }
  }

  // Appends the key; false, with nothing appended, when the text holds a
  // character that must go to the system.
  bool Append(std::wstring_view text, std::string& keys) const {
    for (wchar_t c : text)
      if (c >= 0x80 || !FKnown[c]) return false;
    const size_t start = keys.size();
    keys.resize(start + text.size() * 2 + FSuffix.size());
    char* out = keys.data() + start;
    for (wchar_t c : text) {
      *out++ = FPrimary[c][0];
      *out++ = FPrimary[c][1];
    }
    FSuffix.copy(out, FSuffix.size());
    return true;
  }

 private:
  std::array<std::array<char, 2>, 0x80> FPrimary{};
  std::array<bool, 0x80> FKnown{};
  std::string FSuffix;
};
}  // namespace

bool AppendNameSortKey(std::wstring_view text, std::string& keys) {
  if (text.empty()) return true;
  static const AsciiKeys ascii;
  return ascii.Append(text, keys) || AppendSystemKey(text, keys);
}

std::string NameSortKey(std::wstring_view text) {
  std::string key;
  AppendNameSortKey(text, key);
  return key;
}
