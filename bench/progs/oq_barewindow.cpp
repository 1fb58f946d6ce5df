// A bare Win32 program with one window of the main window's size: what the
// start-up benchmark compares the program's start with. Arguments name
// libraries to load before the window is made ("+ole" also starts OLE), to
// tell what loading the program's libraries costs.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(wnd, msg, w, l);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "+ole") == 0) {
      HMODULE ole = LoadLibraryA("ole32.dll");
      using Init = HRESULT(WINAPI*)(LPVOID);
      auto init = ole ? reinterpret_cast<Init>(GetProcAddress(ole, "OleInitialize")) : nullptr;
      if (init) init(nullptr);
    } else {
      LoadLibraryA(__argv[i]);
    }
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "OqBareWindow";
  if (!RegisterClassA(&wc)) return 1;
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Bare window", WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, 574, 450, nullptr, nullptr, instance,
                             nullptr);
  if (!wnd) return 1;
  ShowWindow(wnd, show);
  UpdateWindow(wnd);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}
