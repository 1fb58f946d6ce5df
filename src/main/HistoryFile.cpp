#include "main/HistoryFile.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <utility>

#include "framework/Files.h"
#include "main/CommandHistory.h"

namespace {

// Only the end of the file is read: 1,000 commands of 8 KB each. A larger
// file was not trimmed by this program (or holds absurdly long lines); its
// older part is left out, and the next command trims it.
constexpr DWORD kHistoryReadBytes = 8u << 20;
// How long a command waits for another instance that is writing the file.
constexpr DWORD kLockWaitMs = 2000;

class Handle {
 public:
  explicit Handle(HANDLE h) : FHandle(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }
  void Close() {
    if (Valid()) CloseHandle(std::exchange(FHandle, INVALID_HANDLE_VALUE));
  }

 private:
  HANDLE FHandle;
};

struct Tail {
  bool Ok = false;
  std::string Bytes;
  bool Partial = false;  // the file goes on before these bytes
};

Tail ReadTail(HANDLE f) {
  Tail t;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f, &size)) return t;
  const LONGLONG take = std::min<LONGLONG>(size.QuadPart, kHistoryReadBytes);
  LARGE_INTEGER from{};
  from.QuadPart = size.QuadPart - take;
  if (!SetFilePointerEx(f, from, nullptr, FILE_BEGIN)) return t;
  t.Partial = from.QuadPart > 0;
  t.Bytes.resize(static_cast<size_t>(take));
  size_t done = 0;
  while (done < t.Bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(f, t.Bytes.data() + done, static_cast<DWORD>(t.Bytes.size() - done), &got,
                  nullptr))
      return t;
    if (got == 0) break;  // shortened by another program meanwhile
    done += got;
  }
  t.Bytes.resize(done);
  t.Ok = true;
  return t;
}

std::vector<std::string> ReadCommands(const std::wstring& path) {
  // Shared for writing and deleting: another instance may be appending.
  Handle f(CreateFileW(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!f.Valid()) return {};
  Tail t = ReadTail(f.Get());
  if (!t.Ok) return {};
  return ReadHistoryLines(t.Bytes, t.Partial).Commands;
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the history can be kept in the folder: a new file can be made
// there (the trimming writes one and moves it over the old file), and the
// history file, if there is one, is a file the trimming may replace.
bool CanKeepHistoryIn(const std::wstring& folder) {
  if (folder.empty()) return false;
  const DWORD a = GetFileAttributesW((folder + L"\\" + kHistoryFileName).c_str());
  constexpr DWORD kUnwritable = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (a != INVALID_FILE_ATTRIBUTES && (a & kUnwritable)) return false;
  // A file of our own is made, not one by GetTempFileName: Wine's answers
  // a number even when it could not make the file.
  for (int i = 0; i < 16; ++i) {
    const std::wstring probe = folder + L"\\OrvQuill." + std::to_wstring(GetCurrentProcessId()) +
                               L"." + std::to_wstring(i) + L".tmp";
    Handle h(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (h.Valid()) return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

// One name for every instance that writes this file: the path without
// regard to case, hashed (a mutex name may not hold backslashes).
std::wstring MutexName(const std::wstring& path) {
  std::wstring up = path;
  if (!up.empty()) CharUpperBuffW(up.data(), static_cast<DWORD>(up.size()));
  std::uint64_t h = 14695981039346656037ull;
  for (wchar_t c : up) {
    h ^= static_cast<std::uint16_t>(c);
    h *= 1099511628211ull;
  }
  std::wstring name = L"OrvQuill.History.";
  for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(h >> shift) & 15];
  return name;
}

class MutexLock {
 public:
  explicit MutexLock(HANDLE m) : FMutex(m) {
    // An abandoned mutex (an instance that ended while writing) is ours now;
    // what it left half-written is a damaged last line at worst.
    const DWORD r = m ? WaitForSingleObject(m, kLockWaitMs) : WAIT_FAILED;
    FHeld = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
  }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() {
    if (FHeld) ReleaseMutex(FMutex);
  }
  bool Held() const { return FHeld; }

 private:
  HANDLE FMutex;
  bool FHeld = false;
};

}  // namespace

std::wstring HistoryFallbackFolder() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
    return {};
  return std::wstring(appData) + L"\\OrvQuill";
}

THistoryFile::THistoryFile(const std::wstring& programFolder, const std::wstring& fallbackFolder) {
  const std::wstring own = programFolder + L"\\" + kHistoryFileName;
  const std::wstring fallback = fallbackFolder + L"\\" + kHistoryFileName;
  if (CanKeepHistoryIn(programFolder)) {
    FPath = own;
  } else {
    if (!programFolder.empty() && IsPlainFile(own)) FReadFrom.push_back(own);
    if (!fallbackFolder.empty()) {
      CreateDirectoryW(fallbackFolder.c_str(), nullptr);  // may exist already
      if (CanKeepHistoryIn(fallbackFolder)) FPath = fallback;
      else if (IsPlainFile(fallback)) FReadFrom.push_back(fallback);
    }
  }
  if (FPath.empty()) return;
  FReadFrom.push_back(FPath);
  FMutex = CreateMutexW(nullptr, FALSE, MutexName(FPath).c_str());
}

THistoryFile::~THistoryFile() {
  // The last commands of a run whose file stayed locked: one more try.
  WritePending();
  if (FMutex) CloseHandle(FMutex);
}

std::vector<std::string> THistoryFile::Load() const {
  std::vector<std::string> commands;
  for (const std::wstring& path : FReadFrom) {
    std::vector<std::string> kept = ReadCommands(path);
    commands.insert(commands.end(), std::make_move_iterator(kept.begin()),
                    std::make_move_iterator(kept.end()));
  }
  if (commands.size() > kHistoryMaxCommands)
    commands.erase(commands.begin(), commands.end() - kHistoryMaxCommands);
  return commands;
}

void THistoryFile::Append(const std::string& utf8) {
  if (FPath.empty() || !IsStorableCommand(utf8)) return;
  FPending.push_back(utf8);
  if (Flush()) FPending.clear();
}

bool THistoryFile::WritePending() {
  if (FPending.empty()) return true;
  if (!Flush()) return false;
  FPending.clear();
  return true;
}

bool THistoryFile::Flush() {
  // The file is read and written under the lock, so that two instances
  // entering commands at once each add theirs and trim what both wrote.
  MutexLock lock(FMutex);
  if (!lock.Held()) return false;
  Handle f(CreateFileW(FPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.Valid()) return false;
  const Tail t = ReadTail(f.Get());
  if (!t.Ok) return false;
  HistoryLines h = ReadHistoryLines(t.Bytes, t.Partial);
  if (!t.Partial && h.Total + FPending.size() <= kHistoryMaxCommands) {
    const bool lineEnd = t.Bytes.empty() || t.Bytes.back() == '\n';
    const std::string text = HistoryAppendText(FPending, lineEnd);
    LARGE_INTEGER zero{};
    DWORD put = 0;
    // One write: the whole of it reaches the disk, or the line it cut short
    // is the last one and the next command starts a new line.
    if (!SetFilePointerEx(f.Get(), zero, nullptr, FILE_END) ||
        !WriteFile(f.Get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr) ||
        put != text.size())
      return false;
    return FlushFileBuffers(f.Get()) != 0;
  }
  std::vector<std::string>& keep = h.Commands;
  keep.insert(keep.end(), FPending.begin(), FPending.end());
  if (keep.size() > kHistoryMaxCommands)
    keep.erase(keep.begin(), keep.end() - kHistoryMaxCommands);
  f.Close();
  try {
    WriteWholeFile(FPath, HistoryFileText(keep));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}
