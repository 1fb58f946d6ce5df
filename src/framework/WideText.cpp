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

std::string WindowText(HWND wnd, bool* exact) {
  if (exact) *exact = true;
  const int n = GetWindowTextLengthW(wnd);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(wnd, w.data(), n + 1);
  w.resize(static_cast<size_t>(got > 0 ? got : 0));
  bool lossy = false;
  std::string out = WideToAnsi(w, &lossy);
  if (exact) *exact = !lossy;
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (GetACP() == CP_UTF8) return std::string(utf8);
  return WideToAnsi(Widen(utf8, CP_UTF8));
}
