#include "framework/WideText.h"

#include <algorithm>

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
