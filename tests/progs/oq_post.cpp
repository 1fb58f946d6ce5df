// A small program the tests start as "another program" that sends a window
// of theirs what any program may send:
//   oq_post <window> <message> <wParam> <lParam> [count] [send]
// Numbers in decimal or 0x hex. The message is posted count times (1 by
// default) in a row, so that all of them are queued before the window's
// loop comes round; with "send" each is sent instead, with a time limit,
// and its answer is printed. Exits 0 when every message went.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
unsigned long Number(const char* s) { return std::strtoul(s, nullptr, 0); }
}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  HWND wnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(Number(argv[1])));
  const UINT msg = static_cast<UINT>(Number(argv[2]));
  const WPARAM wp = static_cast<WPARAM>(Number(argv[3]));
  const LPARAM lp = static_cast<LPARAM>(Number(argv[4]));
  const int count = argc > 5 ? static_cast<int>(Number(argv[5])) : 1;
  const bool send = argc > 6 && std::string(argv[6]) == "send";
  for (int i = 0; i < count; ++i) {
    if (send) {
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, 10000, &answer)) return 1;
      std::printf("%lu\n", static_cast<unsigned long>(answer));
    } else if (!PostMessageW(wnd, msg, wp, lp)) {
      return 1;
    }
  }
  return 0;
}
