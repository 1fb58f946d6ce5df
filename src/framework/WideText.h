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

// A text of the program's own sources, written in UTF-8, in the process's
// code page (the same bytes where that is UTF-8).
std::string Utf8ToAnsi(std::string_view utf8);

// A window's text in the program's form, read wide and converted without
// best-fit look-alikes; exact tells whether every character converted.
std::string WindowText(HWND wnd, bool* exact = nullptr);
// A window's text as the system holds it.
std::wstring WindowTextW(HWND wnd);

// An edit field counts its positions in UTF-16 units; the program counts
// offsets in the bytes of its 8-bit form of the same text. These convert
// between the two for the field's wide text; a position or offset inside a
// character (a surrogate pair, a character's later bytes) stands for the
// character's start, so nothing ever cuts one apart.
int AnsiOffsetFromWide(std::wstring_view wide, int widePos);
int WideOffsetFromAnsi(std::wstring_view wide, int offset);
// An edit field's selection, read and set as offsets in the 8-bit text.
// Negative values set keep the system's meaning (-1: no selection, or up to
// the end).
void GetEditSelection(HWND edit, int& start, int& end);
void SetEditSelection(HWND edit, int start, int end);

// The user's legacy 8-bit code page: the one the system gives programs
// without a UTF-8 manifest (the ANSI code page of the user's locale), for
// files and data that such programs write. Never UTF-8; 1252 when the locale
// names none.
UINT LegacyCodePage();

// How the bytes of a text file were (or are to be) written.
enum class TTextEncoding { Utf8, Utf8Bom, Legacy };
struct TDecodedText {
  std::string Text;  // in the process's code page
  TTextEncoding Encoding = TTextEncoding::Utf8;
  bool Exact = true;  // false when a character had no exact counterpart
};
// Bytes that form valid UTF-8 (a byte-order mark skipped) are taken as
// UTF-8; anything else is decoded from the given legacy code page. Every
// byte sequence gives a text; nothing is dropped.
TDecodedText DecodeTextBytes(std::string_view bytes, UINT legacyCodePage = LegacyCodePage());
// The bytes of a text (process's code page) in the given encoding; a
// Legacy encoding that cannot hold every character exactly falls back to
// UTF-8, which `encoding` then says.
std::string EncodeTextBytes(const std::string& text, TTextEncoding& encoding,
                            UINT legacyCodePage = LegacyCodePage());

// True when the caption's accelerator ("&Save": S) is the typed character,
// compared without case for every alphabet; "&&" is a literal ampersand.
bool IsAccelerator(wchar_t key, const std::string& caption);
// The typed character's letter in upper case (the system's rules).
wchar_t UpperChar(wchar_t c);
// Whether the character is a letter or a digit of any alphabet (the
// system's classification).
bool IsLetterOrDigit(wchar_t c);
// The first character of an 8-bit text as a wide character, 0 when empty.
wchar_t FirstWideChar(const std::string& text);
