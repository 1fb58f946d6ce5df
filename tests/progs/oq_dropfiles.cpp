// A program that takes file drops, as a file manager would, for tests of
// drags out of the program. Its window covers the given rectangle of the
// screen; the first drop of file names on it is written to the output file,
// and the program ends.
//
//   oq_dropfiles <output file> <x> <y> <width> <height>
//
// The output file (UTF-8): "effect <n> keys <n> wide <0 or 1>" (wide: the
// block's names are 16-bit), then each name on a line of its own. The
// program carries no manifest: it stands for a program of the system's
// legacy code page, and reads the names as such a program does (an 8-bit
// block in that code page). The window's title is "oq_dropfiles ready" once it takes drops.
// Without a drop the program ends by itself after a minute.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>
#include <string>

#include "StackCom.h"

namespace {
std::wstring g_Output;

std::string Utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

DWORD Choose(DWORD keys, DWORD offered) {
  if ((keys & MK_SHIFT) && (offered & DROPEFFECT_MOVE)) return DROPEFFECT_MOVE;
  for (DWORD e : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK})
    if (offered & e) return e;
  return DROPEFFECT_NONE;
}

class Target : public StackCom<IDropTarget, &IID_IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL,
                                      DWORD* effect) override {
    FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    FFiles = data && data->QueryGetData(&f) == S_OK;
    *effect = FFiles ? Choose(keys, *effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
    *effect = FFiles ? Choose(keys, *effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL,
                                 DWORD* effect) override {
    FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    if (!FFiles || data->GetData(&f, &m) != S_OK) {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    *effect = Choose(keys, *effect);
    int wide = -1;
    if (const auto* header = static_cast<const DROPFILES*>(GlobalLock(m.hGlobal))) {
      wide = header->fWide ? 1 : 0;
      GlobalUnlock(m.hGlobal);
    }
    std::string out = "effect " + std::to_string(*effect) + " keys " + std::to_string(keys) +
                      " wide " + std::to_string(wide) + "\n";
    auto drop = static_cast<HDROP>(m.hGlobal);
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
      std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
      out += Utf8(name) + "\n";
    }
    ReleaseStgMedium(&m);
    std::ofstream(g_Output.c_str(), std::ios::binary) << out;
    PostQuitMessage(0);
    return S_OK;
  }

 private:
  bool FFiles = false;
};
}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 6) return 2;
  g_Output = argv[1];
  OleInitialize(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"oq_dropfiles";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"oq_dropfiles",
                             WS_POPUP | WS_BORDER | WS_VISIBLE, _wtoi(argv[2]), _wtoi(argv[3]),
                             _wtoi(argv[4]), _wtoi(argv[5]), nullptr, nullptr, wc.hInstance,
                             nullptr);
  Target target;
  if (FAILED(RegisterDragDrop(wnd, &target))) return 1;
  SetWindowTextW(wnd, L"oq_dropfiles ready");
  SetTimer(nullptr, 0, 60000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    DispatchMessageW(&msg);
  }
  RevokeDragDrop(wnd);
  DestroyWindow(wnd);
  OleUninitialize();
  return 0;
}
