// A small program the tests start as a real process: writes its second
// argument (or "written") into the file named by its first, then ends. It
// reads its command line wide, as a program of today does, so that a name
// in any language reaches it whatever its own 8-bit code page; the content
// is written as UTF-8.
#include <windows.h>

#include <shellapi.h>

#include <string>

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  const std::wstring text = argc > 2 ? argv[2] : L"written";
  std::string bytes(text.size() * 4 + 1, '\0');
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  HANDLE f = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok ? 0 : 1;
}
