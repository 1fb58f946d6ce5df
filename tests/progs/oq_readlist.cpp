// Reads the rows of a list box of another process the way a screen reader
// does (LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT) and writes them to a file,
// one row a line, each as "<length reported>:<text>". In Unicode, as screen
// readers ask: Wine's 8-bit form of LB_GETTEXT between processes writes past
// a buffer of the reported length, for any list box.
// Usage: oq_readlist <window handle, decimal> <output file>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HWND list = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 10)));
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::string out;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<wchar_t> buf(len > 0 ? static_cast<size_t>(len) + 1 : 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                     reinterpret_cast<LPARAM>(buf.data()));
    char text[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, buf.data(), got > 0 ? static_cast<int>(got) : 0, text,
                        sizeof text - 1, nullptr, nullptr);
    out += std::to_string(len) + ":" + text + "\n";
  }
  // Written whole under a temporary name, then renamed: the test waits for the name.
  const std::string temp = std::string(argv[2]) + ".part";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return 1;
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
  return MoveFileA(temp.c_str(), argv[2]) ? 0 : 1;
}
