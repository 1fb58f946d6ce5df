// Text between the program and the system. The program keeps its texts as
// 8-bit strings in the process's code page (GetACP: UTF-8 where the
// program's manifest is honoured, the user's legacy code page elsewhere);
// windows, drawing and file names meet the system in UTF-16. Every
// conversion goes through here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Wide form of an 8-bit text of the process's code page.
std::wstring AnsiToWide(std::string_view s);
// 8-bit form of a wide text; usedDefault tells whether a character had no
// exact counterpart (a character outside a legacy code page, or an unpaired
// surrogate). Best-fit lookalikes are never substituted.
std::string WideToAnsi(const wchar_t* s, int length, bool* usedDefault);
inline std::string WideToAnsi(std::wstring_view s, bool* usedDefault = nullptr) {
  return WideToAnsi(s.data(), static_cast<int>(s.size()), usedDefault);
}

// True when the caption's accelerator ("&Save": S) is the typed character,
// compared without case for every alphabet; "&&" is a literal ampersand.
bool IsAccelerator(wchar_t key, const std::string& caption);
// The typed character's letter in upper case (the system's rules).
wchar_t UpperChar(wchar_t c);
// The first character of an 8-bit text as a wide character, 0 when empty.
wchar_t FirstWideChar(const std::string& text);
