// Reads the entries of a list box or combo box of another process the way a
// screen reader or an automation tool does (count, each entry's length, its
// text) and writes them to a file, one entry a line.
//
// Wide requests (W, as screen readers ask): "<length reported>:<text>", the
// text in UTF-8 as far as the answer's length.
// 8-bit requests (A): "<length reported>:<answer>:<buffer>", the buffer's
// bytes in hex. The buffer is twice the reported length and more: Wine's
// 8-bit form of these requests between processes writes the wide text into
// it, so the test compares the whole buffer with what a plain system control
// of the same text gives, not with the text.
// Usage: oq_readlist <window handle, decimal> <output file> [list|combo] [W|A]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "OutputFile.h"

namespace {
std::string Utf8(const wchar_t* s, int n) {
  if (n <= 0) return {};
  int bytes = WideCharToMultiByte(CP_UTF8, 0, s, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, s, n, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string Hex(const unsigned char* p, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(n * 2);
  for (size_t i = 0; i < n; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HWND wnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 10)));
  const bool combo = argc > 3 && std::strcmp(argv[3], "combo") == 0;
  const bool wide = !(argc > 4 && std::strcmp(argv[4], "A") == 0);
  const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
  auto send = [&](UINT msg, WPARAM w, LPARAM l) {
    return wide ? SendMessageW(wnd, msg, w, l) : SendMessageA(wnd, msg, w, l);
  };

  const LRESULT count = send(getCount, 0, 0);
  std::string out;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = send(getLength, static_cast<WPARAM>(i), 0);
    const size_t units = len > 0 ? static_cast<size_t>(len) + 1 : 1;
    std::vector<wchar_t> buf(units + 8, L'\0');
    const LRESULT got = send(getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
    out += std::to_string(len) + ":";
    if (wide) {
      out += Utf8(buf.data(), got > 0 ? static_cast<int>(got) : 0);
    } else {
      out += std::to_string(got) + ":" +
             Hex(reinterpret_cast<const unsigned char*>(buf.data()), units * sizeof(wchar_t));
    }
    out += "\n";
  }
  return WriteOutputFile(argv[2], out);
}
