// File names as the system compares and orders them, for every alphabet:
// the case fold of the file system and the user's sort order. Every place of
// the framework that compares or sorts names without case goes through here,
// so that they all agree.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/NameRules.h"

// The system's upper case of every UTF-16 unit (the invariant locale's
// mapping, one unit to one unit as the file system compares names), read
// once. Where the system cannot give it, ASCII letters only.
const TCaseFold& SystemCaseFold();

// Whether two 8-bit names of the process's code page are the same name
// without regard to case, in every alphabet ("Łódź" and "ŁÓDŹ").
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// The user's sort key of a text, case ignored (LCMapStringEx, as the
// system's own string comparison orders): byte order of the keys is the
// order of the texts. Empty when the system cannot make one.
std::string NameSortKey(std::wstring_view text);
// The same key appended to `keys`: a listing keeps all its keys in one
// string rather than one allocation per name. False, with nothing
// appended, when the system cannot make one; an empty text has an empty key.
bool AppendNameSortKey(std::wstring_view text, std::string& keys);

// The wide form of a wide text as the pure rules take it.
inline std::u16string_view AsUtf16(std::wstring_view s) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return {reinterpret_cast<const char16_t*>(s.data()), s.size()};
}
