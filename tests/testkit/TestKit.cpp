#include "testkit/TestKit.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/OffscreenBitmap.h"
#include "framework/WideText.h"

namespace testkit {

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    if (pred()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return pred();
    // Wait for the next message (or a timer) instead of spinning.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void PumpPending() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

std::string ExeFolder() { return ProgramFileFolder(); }

std::string DataFolder() {
  std::string dir = ExeFolder();
  for (int up = 0; up < 6 && !dir.empty(); ++up) {
    if (FileExists(dir + "data\\ReadMe.RTF")) return dir + "data\\";
    dir.pop_back();  // the trailing backslash
    size_t p = dir.find_last_of('\\');
    if (p == std::string::npos) break;
    dir.resize(p + 1);
  }
  return {};
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : Answer(answer) {
  FPrevious = SetMessageBoxHook([this](const MessageBoxRequest& r) {
    Boxes.push_back(r);
    return Answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook(std::move(FPrevious)); }

FileDialogStub::FileDialogStub(std::string answer) : Answer(std::move(answer)) {
  FPrevious = SetFileDialogHook([this](FileDialogRequest& r) {
    Requests.push_back(r);
    if (Answer.empty()) return false;
    r.FileName = Answer;
    return true;
  });
}

FileDialogStub::~FileDialogStub() { SetFileDialogHook(std::move(FPrevious)); }

ProcessRecorder::ProcessRecorder(bool real) : Real(real), FSaved(Processes()) {
  ProcessSeams& p = Processes();
  p.CreateProcessFn = [this](LPCSTR app, LPSTR cmd, DWORD flags, LPCSTR dir, STARTUPINFOA* si,
                             PROCESS_INFORMATION* pi) -> BOOL {
    CreateProcessLines.push_back(cmd ? cmd : "");
    if (Real) return FSaved.CreateProcessFn(app, cmd, flags, dir, si, pi);
    const size_t n = CreateProcessLines.size() - 1;
    SetLastError(FailWithEach.empty() ? FailWith : FailWithEach[std::min(n, FailWithEach.size() - 1)]);
    return FALSE;
  };
  p.WinExecFn = [this](const std::string& cmd, UINT show) -> UINT {
    WinExecLines.push_back(cmd);
    return Real ? FSaved.WinExecFn(cmd, show) : WinExecResult;
  };
  p.ShellExecuteFn = [this](HWND owner, const std::string& verb, const std::string& file,
                            const std::string& params, const std::string& dir,
                            int show) -> HINSTANCE {
    ShellExecuteFiles.push_back(file);
    return Real ? FSaved.ShellExecuteFn(owner, verb, file, params, dir, show)
                : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
  };
}

ProcessRecorder::~ProcessRecorder() { Processes() = FSaved; }

ChildProcess::~ChildProcess() { End(); }

void ChildProcess::End() {
  if (!FPi.hProcess) return;
  if (WaitForSingleObject(FPi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FPi.hProcess, 1);
  CloseHandle(FPi.hProcess);
  CloseHandle(FPi.hThread);
  FPi = PROCESS_INFORMATION{};
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& folder) {
  End();
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &FPi) != 0;
}

bool ChildProcess::WaitEnded(int timeoutMs) {
  return FPi.hProcess &&
         PumpUntil([&] { return WaitForSingleObject(FPi.hProcess, 0) == WAIT_OBJECT_0; },
                   timeoutMs);
}

bool PostFromAnotherProgram(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, int count) {
  const std::string line = "\"" + ExeFolder() + "oq_post.exe\" " +
                           std::to_string(reinterpret_cast<UINT_PTR>(wnd)) + " " +
                           std::to_string(msg) + " " + std::to_string(wp) + " " +
                           std::to_string(static_cast<unsigned long>(lp)) + " " +
                           std::to_string(count);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> buf(line.begin(), line.end());
  buf.push_back('\0');
  if (!CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  DWORD code = 1;
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
}

namespace {
// Wide names in the form without the length limit: tests make names of 255
// characters in every alphabet, which no 8-bit search of MAX_PATH bytes holds.
void RemoveTreeWide(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring n = fd.cFileName;
      if (n == L"." || n == L"..") continue;
      const std::wstring full = path + L"\\" + n;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTreeWide(full);
      else DeleteFileW(full.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(path.c_str());
}

void RemoveTree(const std::string& path) { RemoveTreeWide(L"\\\\?\\" + AnsiToWide(path)); }
}  // namespace

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    FPath = std::string(base) + "oqtest" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    if (CreateDirectoryA(FPath.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  // The long form of the name, so that comparisons with listed paths hold.
  char longName[MAX_PATH];
  if (GetLongPathNameA(FPath.c_str(), longName, MAX_PATH)) FPath = longName;
}

TempDir::~TempDir() { RemoveTree(FPath); }

void TempDir::Write(const std::string& name, const std::string& content) const {
  std::string p = *this / name;
  HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD put;
  WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &put, nullptr);
  CloseHandle(h);
}

void TempDir::MakeDir(const std::string& name) const { CreateDirectoryA((*this / name).c_str(), nullptr); }

std::string ReadFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data;
  char buf[8192];
  DWORD got;
  while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
  CloseHandle(h);
  return data;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CurrentDirGuard::CurrentDirGuard() {
  char buf[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, buf);
  FSaved = buf;
}

CurrentDirGuard::~CurrentDirGuard() { SetCurrentDirectoryA(FSaved.c_str()); }

// ---- input ----------------------------------------------------------------------------
namespace {
// The window that receives the mouse for a control, and the point in it.
HWND MouseWindow(TControl* c, int& x, int& y) {
  while (c && !dynamic_cast<TWinControl*>(c)) {
    x += c->Left();
    y += c->Top();
    c = c->Parent();
  }
  return c ? static_cast<TWinControl*>(c)->Handle() : nullptr;
}

void PostMouse(TControl* c, UINT msg, int x, int y, WPARAM keys) {
  HWND h = MouseWindow(c, x, y);
  if (!h) return;
  // Keep the real pointer where the message says, so that hover tracking
  // and hit tests agree with it.
  POINT p{x, y};
  ClientToScreen(h, &p);
  SetCursorPos(p.x, p.y);
  PostMessageA(h, msg, keys, MAKELPARAM(x, y));
  PumpPending();
}
}  // namespace

void PostMouseInPlace(TControl* control, UINT msg, int x, int y, WPARAM keys) {
  TControl* c = control;
  while (!dynamic_cast<TWinControl*>(c)) {
    x += c->Left();
    y += c->Top();
    c = c->Parent();
  }
  PostMessageA(static_cast<TWinControl*>(c)->Handle(), msg, keys, MAKELPARAM(x, y));
  PumpPending();
}

void MouseMove(TControl* c, int x, int y, WPARAM keys) { PostMouse(c, WM_MOUSEMOVE, x, y, keys); }
void MouseDown(TControl* c, int x, int y, WPARAM keys) { PostMouse(c, WM_LBUTTONDOWN, x, y, keys); }
void MouseUp(TControl* c, int x, int y, WPARAM keys) { PostMouse(c, WM_LBUTTONUP, x, y, keys); }

void Click(TControl* c, int x, int y) {
  MouseMove(c, x, y);
  MouseDown(c, x, y, MK_LBUTTON);
  MouseUp(c, x, y, 0);
}

void DoubleClick(TControl* c, int x, int y) {
  Click(c, x, y);
  PostMouse(c, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
  MouseUp(c, x, y, 0);
}

void PressKey(HWND wnd, WORD vk) { PressKey(wnd, vk, 0); }

void PressKey(HWND wnd, WORD vk, TShiftState held) {
  BYTE saved[256], keys[256];
  GetKeyboardState(saved);
  std::memcpy(keys, saved, sizeof keys);
  keys[VK_SHIFT] = (held & ssShift) ? 0x80 : 0;
  keys[VK_CONTROL] = (held & ssCtrl) ? 0x80 : 0;
  keys[VK_MENU] = (held & ssAlt) ? 0x80 : 0;
  SetKeyboardState(keys);
  const bool sys = (held & ssAlt) || vk == VK_F10;
  const LPARAM l = MAKELPARAM(1, MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) | ((held & ssAlt) ? 1 << 29 : 0);
  PostMessageA(wnd, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, l);
  PumpPending();
  PostMessageA(wnd, sys ? WM_SYSKEYUP : WM_KEYUP, vk, l | 0xC0000000);
  PumpPending();
  SetKeyboardState(saved);
}

void TypeText(HWND wnd, const std::string& text) {
  // As a keyboard gives them: UTF-16 units, a character beyond as a pair.
  for (wchar_t ch : AnsiToWide(text)) {
    if (ch == L'\r' || ch == L'\n') {
      PressKey(wnd, VK_RETURN);  // TranslateMessage makes the WM_CHAR 13
      continue;
    }
    if (ch == L'\b') {
      PressKey(wnd, VK_BACK);
      continue;
    }
    PostMessageW(wnd, WM_CHAR, ch, 1);
    PumpPending();
  }
}

// ---- what a window holds -------------------------------------------------------------
std::string WindowEntry(HWND wnd, bool combo, int index) {
  const LRESULT len = SendMessageW(wnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (len < 0) return {};
  std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
  const LRESULT got = SendMessageW(wnd, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                                   reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return WideToAnsi(buf);
}

std::vector<std::string> WindowEntries(HWND wnd, bool combo) {
  std::vector<std::string> out;
  const LRESULT n = SendMessageW(wnd, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) out.push_back(WindowEntry(wnd, combo, static_cast<int>(i)));
  return out;
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = WideToAnsi(w);
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

// ---- pictures ---------------------------------------------------------------------------
namespace {
Image TakePicture(const OffscreenBitmap& pic) {
  Image img;
  const unsigned* px = pic.Pixels();
  if (!px) return img;
  img.Width = pic.Width();
  img.Height = pic.Height();
  img.Pixels.assign(px, px + static_cast<size_t>(img.Width) * img.Height);
  for (unsigned& p : img.Pixels) p &= 0xFFFFFF;
  return img;
}
}  // namespace

Image CaptureScreen(HWND wnd) {
  RECT r;
  if (!GetWindowRect(wnd, &r) || r.right <= r.left || r.bottom <= r.top) return Image{};
  OffscreenBitmap pic(r.right - r.left, r.bottom - r.top);
  if (!pic) return Image{};
  WindowDC screen(nullptr);
  BitBlt(pic.DC(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(), r.left, r.top, SRCCOPY);
  return TakePicture(pic);
}

Image PaintOffscreen(TWinControl* c, bool erase, unsigned unpainted) {
  int w = c->ClientWidth(), h = c->ClientHeight();
  if (w <= 0 || h <= 0) return Image{};
  OffscreenBitmap pic(w, h);
  if (!pic) return Image{};
  std::fill(pic.Pixels(), pic.Pixels() + static_cast<size_t>(w) * h, unpainted);
  HWND wnd = c->Handle();
  if (erase) SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pic.DC()), 0);
  SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(pic.DC()), 0);
  return TakePicture(pic);
}

unsigned Rgb(TColor c) {
  COLORREF v = ColorToRGB(c);
  return (GetRValue(v) << 16) | (GetGValue(v) << 8) | GetBValue(v);
}

bool SavePng(const Image& img, const std::string& path) {
  if (img.Width <= 0 || img.Height <= 0) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(img.Width), static_cast<png_uint_32>(img.Height),
               8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<size_t>(img.Width) * 3);
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      unsigned p = img.At(x, y);
      row[x * 3] = (p >> 16) & 0xFF;
      row[x * 3 + 1] = (p >> 8) & 0xFF;
      row[x * 3 + 2] = p & 0xFF;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

bool SaveWindowShot(HWND wnd, const std::string& pngPath) {
  UpdateWindow(wnd);
  PumpPending();
  return SavePng(CaptureScreen(wnd), pngPath);
}

std::string ShotsFolder() {
  char buf[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("OQ_SHOTS", buf, MAX_PATH);
  std::string dir = (n > 0 && n < MAX_PATH) ? std::string(buf) : ExeFolder() + "shots";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

}  // namespace testkit
