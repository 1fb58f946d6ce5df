#include "framework/Files.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "framework/FileRules.h"
#include "framework/Types.h"
#include "framework/WideText.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : FHandle(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!Valid()) return true;
    return CloseHandle(std::exchange(FHandle, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE FHandle;
};

[[noreturn]] void OpenError(const std::string& path, DWORD code) {
  throw EFOpenError("Cannot open file \"" + path + "\". " + SysErrorMessage(code));
}

[[noreturn]] void CreateError(const std::string& path, DWORD code) {
  throw EFCreateError("Cannot create file \"" + path + "\". " + SysErrorMessage(code));
}

std::wstring FolderOf(const std::wstring& path) {
  size_t p = path.find_last_of(L"\\/");
  if (p == std::wstring::npos) return L".";
  if (p == 2 && path.size() > 1 && path[1] == L':') return path.substr(0, 3);
  return p == 0 ? path.substr(0, 1) : path.substr(0, p);
}

// Writes all of the data; the system's error code, or 0.
DWORD WriteAll(HANDLE f, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
    if (!WriteFile(f, data.data() + done, want, &put, nullptr) || put == 0)
      return GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    done += put;
  }
  return FlushFileBuffers(f) ? 0 : GetLastError();
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  FileHandle f(CreateFileW(AnsiToWide(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!f.Valid()) OpenError(path, GetLastError());
  std::string data;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(f.Get(), &size) && size.QuadPart > 0) {
    // A 32-bit process cannot hold more than this in one piece.
    if (size.QuadPart > 0x40000000) OpenError(path, ERROR_NOT_ENOUGH_MEMORY);
    data.reserve(static_cast<size_t>(size.QuadPart));
  }
  char buf[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(f.Get(), buf, sizeof buf, &got, nullptr)) OpenError(path, GetLastError());
    if (got == 0) break;
    data.append(buf, got);
  }
  return data;
}

void WriteWholeFile(const std::string& path, const std::string& data) {
  WriteWholeFile(AnsiToWide(path), data);
}

void WriteWholeFile(const std::wstring& target, const std::string& data) {
  const std::string path = WideToAnsi(target);
  // As the system's own replacing of a file (CREATE_ALWAYS) does: a
  // read-only, hidden or system file is not replaced by a plain one. Checked
  // before anything is written, so that nothing is left behind.
  //
  // The names go to the system in their wide form: the temporary name comes
  // back in a buffer of MAX_PATH characters, which its 8-bit form (three
  // bytes a character for many alphabets in UTF-8) would not fit.
  const DWORD old = GetFileAttributesW(target.c_str());
  constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (old != INVALID_FILE_ATTRIBUTES && (old & kKept)) CreateError(path, ERROR_ACCESS_DENIED);
  wchar_t temp[MAX_PATH + 16];
  if (!GetTempFileNameW(FolderOf(target).c_str(), L"oq", 0, temp))
    CreateError(path, GetLastError());
  DWORD err = 0;
  {
    FileHandle f(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    err = f.Valid() ? WriteAll(f.Get(), data) : GetLastError();
    if (!f.Close() && !err) err = GetLastError();
  }
  if (!err) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
      // Replacing keeps the old file's attributes; where a file system
      // cannot replace, a move over it is still all or nothing.
      if (!ReplaceFileW(target.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr)) {
        err = GetLastError();
        if (err != ERROR_ACCESS_DENIED &&
            MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
          err = 0;
      }
    } else if (!MoveFileExW(temp, target.c_str(), MOVEFILE_WRITE_THROUGH)) {
      err = GetLastError();
    }
  }
  if (err) {
    DeleteFileW(temp);
    CreateError(path, err);
  }
}

std::string ProgramFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    // A full buffer may hold a cut name: try again with more room.
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string ProgramFileFolder() {
  return FolderOfFile(ProgramFilePath());
}
