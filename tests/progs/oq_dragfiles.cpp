// A program that drags file names onto a point of the screen, as a file
// manager would, for tests of drops from another process. Its own small
// window sits under the start point; the left button goes down there, the
// pointer moves to the target and the drag ends as asked. The names travel
// in the file-drop format (a DROPFILES block in global memory).
//
//   oq_dragfiles <result file> <from x> <from y> <to x> <to y> [options] [names]
//     --wide          16-bit names (else the 8-bit code page)
//     --shift         hold Shift (ask for a move)
//     --escape        cancel with Escape instead of dropping
//     --right         cancel by pressing the second button
//     --text          offer text instead of file names
//     --list <file>   names from a UTF-8 file, one a line
//     --block <file>  send these bytes as the block, whatever they hold
//     --effects <n>   the effects offered (default 7: copy, move, link)
//
// The result file gets "<answer of the drag, hex> <effect>" when the drag
// has ended, or "timeout" when the button never came down.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "MousePath.h"
#include "StackCom.h"

namespace {
std::string Narrow(const std::wstring& w, UINT cp) {
  int n = WideCharToMultiByte(cp, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring Wide(const std::string& s, UINT cp) {
  int n = MultiByteToWideChar(cp, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(cp, 0, s.c_str(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream f(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// DROPFILES, then the names each with a terminator, then one more.
std::string Block(const std::vector<std::wstring>& names, bool wide) {
  DROPFILES h{};
  h.pFiles = sizeof h;
  h.fWide = wide;
  std::string b(reinterpret_cast<const char*>(&h), sizeof h);
  for (const std::wstring& n : names) {
    if (wide) b.append(reinterpret_cast<const char*>(n.c_str()), (n.size() + 1) * 2);
    else b += Narrow(n, CP_ACP) + '\0';
  }
  b.append(wide ? 2 : 1, '\0');
  return b;
}

// Offers one format in global memory: a fresh copy of the bytes each time.
class DataObject : public StackCom<IDataObject, &IID_IDataObject> {
 public:
  DataObject(CLIPFORMAT format, std::string bytes) : FFormat(format), FBytes(std::move(bytes)) {}
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, FBytes.size());
    if (!g) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(g), FBytes.data(), FBytes.size());
    GlobalUnlock(g);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && f->cfFormat == FFormat && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** e) override {
    if (dir != DATADIR_GET) return E_NOTIMPL;
    FORMATETC f{FFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &f, e);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  CLIPFORMAT FFormat;
  std::string FBytes;
};

class DropSource : public StackCom<IDropSource, &IID_IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL esc, DWORD keys) override {
    if (esc || ((keys & MK_LBUTTON) && (keys & MK_RBUTTON))) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Holds Shift (a request to move) for this thread, where the system's drag
// loop reads the keys. A Shift sent through the system's input queue does
// not last under Wine: whenever the X server reports its keyboard (it does
// as the pointer enters another program's window), Wine takes the key state
// from it, and X never saw a key sent that way. How the drop then read the
// keys depended on the timing of the release, and a loaded machine turned a
// move into a copy. A thread's key state follows the system's only for keys
// whose system state changes, so a Shift set here holds for the whole drag.
void HoldShift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

HANDLE g_DragStarted = nullptr;
bool g_Pressed = false;

LRESULT CALLBACK WndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_LBUTTONDOWN) g_Pressed = true;
  return DefWindowProcW(w, m, wp, lp);
}
}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 6) return 2;
  const std::wstring resultFile = argv[1];
  mousepath::Path path;
  path.From = POINT{_wtoi(argv[2]), _wtoi(argv[3])};
  path.To = POINT{_wtoi(argv[4]), _wtoi(argv[5])};
  bool wide = false, text = false, shift = false;
  DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  std::string block;
  bool haveBlock = false;
  std::vector<std::wstring> names;
  for (int i = 6; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--wide") wide = true;
    else if (a == L"--shift") shift = true;
    else if (a == L"--escape") path.End = mousepath::Ending::Escape;
    else if (a == L"--right") path.End = mousepath::Ending::SecondButton;
    else if (a == L"--text") text = true;
    else if (a == L"--effects" && i + 1 < argc) effects = static_cast<DWORD>(_wtoi(argv[++i]));
    else if (a == L"--block" && i + 1 < argc) block = ReadAll(argv[++i]), haveBlock = true;
    else if (a == L"--list" && i + 1 < argc) {
      std::string all = ReadAll(argv[++i]);
      size_t at = 0;
      while (at < all.size()) {
        size_t end = all.find('\n', at);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.push_back(Wide(line, CP_UTF8));
        at = end + 1;
      }
    } else names.push_back(a);
  }

  OleInitialize(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = L"oq_dragfiles";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"drag source",
                             WS_POPUP | WS_VISIBLE, path.From.x - 10, path.From.y - 10, 20, 20,
                             nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(wnd);
  SetFocus(wnd);

  g_DragStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread hand([&path] {
    // A press that came before the window could take it is tried again.
    for (int attempt = 0; attempt < 8; ++attempt) {
      mousepath::Press(path);
      if (WaitForSingleObject(g_DragStarted, 2000) == WAIT_OBJECT_0) {
        mousepath::MoveAndEnd(path);
        return;
      }
      mousepath::Button(MOUSEEVENTF_LEFTUP);
    }
  });

  const DWORD deadline = GetTickCount() + 20000;
  MSG msg;
  while (!g_Pressed && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  std::string result = "timeout";
  if (g_Pressed) {
    if (!haveBlock) block = text ? Narrow(names.empty() ? L"" : names[0], CP_ACP) + '\0'
                                 : Block(names, wide);
    DataObject data(text ? CF_TEXT : CF_HDROP, block);
    DropSource source;
    SetEvent(g_DragStarted);
    DWORD effect = DROPEFFECT_NONE;
    if (shift) HoldShift(true);
    HRESULT hr = DoDragDrop(&data, &source, effects, &effect);
    if (shift) HoldShift(false);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%08lx %lu", static_cast<unsigned long>(hr),
                  static_cast<unsigned long>(effect));
    result = buf;
  }
  SetEvent(g_DragStarted);
  hand.join();
  std::ofstream(resultFile.c_str(), std::ios::binary) << result << "\n";
  DestroyWindow(wnd);
  OleUninitialize();
  return g_Pressed ? 0 : 3;
}
