#include "framework/WideText.h"

#include <algorithm>
#include <optional>

#include "framework/Utf8.h"

std::wstring AnsiToWide(std::string_view s) {
  if (s.empty()) return {};
  const int bytes = static_cast<int>(std::min<size_t>(s.size(), 0x7FFFFFFF));
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), bytes, nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), bytes, w.data(), n);
  return w;
}

std::string WideToAnsi(const wchar_t* s, int length, bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  if (length < 0) length = lstrlenW(s);
  if (length == 0) return {};
  // UTF-8 writes every character but an unpaired surrogate; it takes neither
  // the no-best-fit flag nor the default-character report, and reports the
  // surrogate only as an error of the strict conversion.
  static const UINT acp = GetACP();
  const bool utf = acp == CP_UTF8 || acp == CP_UTF7;
  BOOL defaulted = FALSE;
  if (utf && usedDefault && acp == CP_UTF8 &&
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, s, length, nullptr, 0, nullptr,
                          nullptr) == 0)
    defaulted = TRUE;
  const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* report = utf ? nullptr : &defaulted;
  std::string out;
  int n = WideCharToMultiByte(CP_ACP, flags, s, length, nullptr, 0, nullptr, nullptr);
  if (n > 0) {
    out.resize(static_cast<size_t>(n));
    n = WideCharToMultiByte(CP_ACP, flags, s, length, out.data(), n, nullptr, report);
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
  }
  if (usedDefault) *usedDefault = defaulted != FALSE;
  return out;
}

wchar_t UpperChar(wchar_t c) {
  wchar_t buf[2] = {c, 0};
  CharUpperBuffW(buf, 1);
  return buf[0];
}

bool IsLetterOrDigit(wchar_t c) {
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & (C1_ALPHA | C1_DIGIT)) != 0;
}

wchar_t FirstWideChar(const std::string& text) {
  if (text.empty()) return 0;
  // A character takes at most four bytes in any code page the system has.
  std::wstring w = AnsiToWide(std::string_view(text).substr(0, 4));
  return w.empty() ? 0 : w[0];
}

bool IsAccelerator(wchar_t key, const std::string& caption) {
  if (key == 0 || caption.find('&') == std::string::npos) return false;
  const std::wstring w = AnsiToWide(caption);
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != L'&') continue;
    if (w[i + 1] == L'&') {
      ++i;
      continue;
    }
    return UpperChar(w[i + 1]) == UpperChar(key);
  }
  return false;
}

UINT LegacyCodePage() {
  static const UINT cp = [] {
    // Locales of Unicode-only languages name no ANSI code page (0): programs
    // then use the system locale's. A system set to UTF-8 for every program
    // names 65001, which is no legacy form.
    for (LCID locale : {LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT}) {
      DWORD value = 0;
      if (GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(wchar_t)) == 0)
        continue;
      if (value != 0 && value != CP_UTF8 && value != CP_UTF7) return static_cast<UINT>(value);
    }
    return 1252u;
  }();
  return cp;
}

namespace {
std::wstring Widen(std::string_view s, UINT cp) {
  if (s.empty()) return {};
  const int bytes = static_cast<int>(std::min<size_t>(s.size(), 0x7FFFFFFF));
  int n = MultiByteToWideChar(cp, 0, s.data(), bytes, nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(cp, 0, s.data(), bytes, w.data(), n);
  return w;
}

// The bytes of a wide text in a code page, or nothing when a character has
// no exact counterpart there.
std::optional<std::string> NarrowExact(const std::wstring& w, UINT cp) {
  if (w.empty()) return std::string();
  const bool utf8 = cp == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL defaulted = FALSE;
  const int len = static_cast<int>(w.size());
  int n = WideCharToMultiByte(cp, flags, w.data(), len, nullptr, 0, nullptr, utf8 ? nullptr : &defaulted);
  if (n <= 0 || defaulted) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, flags, w.data(), len, out.data(), n, nullptr, utf8 ? nullptr : &defaulted);
  if (defaulted) return std::nullopt;
  return out;
}
}  // namespace

TDecodedText DecodeTextBytes(std::string_view bytes, UINT legacyCodePage) {
  TDecodedText d;
  const std::string_view body = WithoutUtf8Bom(bytes);
  std::wstring wide;
  if (IsValidUtf8(body)) {
    d.Encoding = body.size() != bytes.size() ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8;
    if (GetACP() == CP_UTF8) {
      d.Text.assign(body);
      return d;
    }
    wide = Widen(body, CP_UTF8);
  } else {
    d.Encoding = TTextEncoding::Legacy;
    if (GetACP() == legacyCodePage) {
      d.Text.assign(bytes);
      return d;
    }
    wide = Widen(bytes, legacyCodePage);
  }
  bool lossy = false;
  d.Text = WideToAnsi(wide, &lossy);
  d.Exact = !lossy;
  return d;
}

std::string EncodeTextBytes(const std::string& text, TTextEncoding& encoding, UINT legacyCodePage) {
  const bool acpUtf8 = GetACP() == CP_UTF8;
  if (encoding == TTextEncoding::Legacy) {
    if (!acpUtf8 && GetACP() == legacyCodePage) return text;
    if (std::optional<std::string> legacy = NarrowExact(AnsiToWide(text), legacyCodePage))
      return *legacy;
    encoding = TTextEncoding::Utf8;
  }
  std::string utf8 = acpUtf8 ? text : NarrowExact(AnsiToWide(text), CP_UTF8).value_or(text);
  return encoding == TTextEncoding::Utf8Bom ? "\xEF\xBB\xBF" + utf8 : utf8;
}

std::wstring WindowTextW(HWND wnd) {
  const int n = GetWindowTextLengthW(wnd);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(wnd, w.data(), n + 1);
  w.resize(static_cast<size_t>(got > 0 ? got : 0));
  return w;
}

std::string WindowText(HWND wnd, bool* exact) {
  if (exact) *exact = true;
  const std::wstring w = WindowTextW(wnd);
  if (w.empty()) return {};
  bool lossy = false;
  std::string out = WideToAnsi(w, &lossy);
  if (exact) *exact = !lossy;
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (GetACP() == CP_UTF8) return std::string(utf8);
  return WideToAnsi(Widen(utf8, CP_UTF8));
}

// ---- positions in an edit field ------------------------------------------------------------
namespace {
bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Units of the character that starts at i: two for a surrogate pair.
size_t CharUnits(std::wstring_view w, size_t i) {
  return IsHigh(w[i]) && i + 1 < w.size() && IsLow(w[i + 1]) ? 2 : 1;
}

// Bytes the character at i takes in the program's form of the text, as
// WideToAnsi writes it.
int CharBytes(std::wstring_view w, size_t i, size_t units) {
  static const UINT acp = GetACP();
  if (acp == CP_UTF8) {
    const wchar_t c = w[i];
    if (units == 2) return 4;
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;  // a lone surrogate becomes U+FFFD
  }
  return static_cast<int>(WideToAnsi(w.substr(i, units)).size());
}
}  // namespace

int AnsiOffsetFromWide(std::wstring_view wide, int widePos) {
  const size_t end = static_cast<size_t>(std::clamp(widePos, 0, static_cast<int>(wide.size())));
  int bytes = 0;
  for (size_t i = 0; i < end;) {
    const size_t units = CharUnits(wide, i);
    if (i + units > end) break;  // inside a pair: its start
    bytes += CharBytes(wide, i, units);
    i += units;
  }
  return bytes;
}

int WideOffsetFromAnsi(std::wstring_view wide, int offset) {
  int bytes = 0;
  size_t i = 0;
  while (i < wide.size()) {
    const size_t units = CharUnits(wide, i);
    const int next = bytes + CharBytes(wide, i, units);
    if (next > offset) break;  // inside a character's bytes: its start
    bytes = next;
    i += units;
  }
  return static_cast<int>(i);
}

void GetEditSelection(HWND edit, int& start, int& end) {
  DWORD s = 0, e = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  const std::wstring w = WindowTextW(edit);
  start = AnsiOffsetFromWide(w, static_cast<int>(s));
  end = AnsiOffsetFromWide(w, static_cast<int>(e));
}

void SetEditSelection(HWND edit, int start, int end) {
  const std::wstring w = WindowTextW(edit);
  // Negative values keep the system's meaning (no selection, to the end).
  const int s = start < 0 ? start : WideOffsetFromAnsi(w, start);
  const int e = end < 0 ? end : WideOffsetFromAnsi(w, end);
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(s), static_cast<LPARAM>(e));
}
