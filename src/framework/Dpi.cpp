#include "framework/Dpi.h"

namespace {
// Looked up at run time: older systems (and Wine 8's user32 for some of
// them) lack these, and a program importing them would not load there.
template <class F>
F UserFunction(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  return user ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

int g_Override = 0;

int ScreenLogPixels() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}
}  // namespace

void SetDpiOverride(int dpi) { g_Override = dpi; }

int SystemDpi() {
  if (g_Override) return g_Override;
  static const auto forSystem = UserFunction<UINT(WINAPI*)()>("GetDpiForSystem");
  if (forSystem) {
    const UINT dpi = forSystem();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenLogPixels();
}

int WindowDpi(HWND wnd) {
  if (g_Override) return g_Override;
  static const auto forWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (forWindow && wnd) {
    const UINT dpi = forWindow(wnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}
