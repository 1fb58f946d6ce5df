#include "framework/FolderReader.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace {
TFolderReader gHook;

// A folder as one read found it, kept to be handed over again.
struct FolderRead {
  std::wstring Folder;
  bool ShortNames = false;
  bool Result = false;
  TFolderEntries Entries;
};

// The reads kept by the sharing scope of this thread; null outside one.
thread_local std::vector<std::unique_ptr<FolderRead>>* tShared = nullptr;

bool ReadUnshared(const std::wstring& folder, bool shortNames, const TFolderEach& each) {
  if (gHook) return gHook(folder, shortNames, each);
  return ReadFolderFromSystem(folder, shortNames, each);
}

// ---- the native directory query ----------------------------------------------------
// Declared here rather than taken from the driver kit's headers: ntdll's
// function is looked up at run time, so that the program imports nothing
// beyond the documented functions, and older or other systems without it
// still list through the search.
using NtStatus = LONG;
constexpr NtStatus kStatusSuccess = 0;
constexpr NtStatus kStatusNoMoreFiles = static_cast<NtStatus>(0x80000006);
constexpr NtStatus kStatusNoSuchFile = static_cast<NtStatus>(0xC000000F);
constexpr ULONG kFileFullDirectoryInformation = 2;
constexpr ULONG kFileBothDirectoryInformation = 3;
// One buffer of this size per call returns thousands of entries.
constexpr ULONG kBufferSize = 1 << 20;

struct IoStatus {
  union {
    NtStatus Status;
    void* Pointer;
  };
  ULONG_PTR Information;
};

struct FullDirInformation {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;
  LARGE_INTEGER EndOfFile, AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;  // bytes
  ULONG EaSize;
  WCHAR FileName[1];
};

struct BothDirInformation {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;
  LARGE_INTEGER EndOfFile, AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;  // bytes
  ULONG EaSize;
  CCHAR ShortNameLength;  // bytes
  WCHAR ShortName[12];
  WCHAR FileName[1];
};
// The system's layouts.
static_assert(offsetof(FullDirInformation, FileName) == 0x44);
static_assert(offsetof(BothDirInformation, ShortName) == 0x46);
static_assert(offsetof(BothDirInformation, FileName) == 0x5E);

using QueryDirectoryFile = NtStatus(NTAPI*)(HANDLE file, HANDLE event, void* apc, void* apcContext,
                                            IoStatus* io, void* buffer, ULONG length,
                                            ULONG infoClass, BOOLEAN single, void* fileName,
                                            BOOLEAN restart);

QueryDirectoryFile NativeQuery() {
  static const QueryDirectoryFile fn = [] {
    HMODULE nt = GetModuleHandleW(L"ntdll.dll");
    return nt ? reinterpret_cast<QueryDirectoryFile>(
                    reinterpret_cast<void*>(GetProcAddress(nt, "NtQueryDirectoryFile")))
              : nullptr;
  }();
  return fn;
}

// A folder path in the form without the length limit of the classic paths
// (a folder may lie deeper than MAX_PATH characters, and a name alone may
// take 255 of them); paths that are not of the plain drive form stay as
// they are.
std::wstring LongForm(const std::wstring& folder) {
  const bool drivePath = folder.size() >= 3 && folder[1] == L':' && folder[2] == L'\\';
  if (!drivePath || folder.size() < MAX_PATH - 14 || folder.find(L'/') != std::wstring::npos)
    return folder;
  return L"\\\\?\\" + folder;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : FHandle(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
  }
  HANDLE Get() const { return FHandle; }

 private:
  HANDLE FHandle;
};

template <class Info>
void HandBufferOver(const char* buffer, bool shortNames,
                    const TFolderEach& each) {
  for (size_t offset = 0;;) {
    const auto* info = reinterpret_cast<const Info*>(buffer + offset);
    TFolderEntry e;
    e.Name = std::wstring_view(info->FileName, info->FileNameLength / sizeof(WCHAR));
    if constexpr (std::is_same_v<Info, BothDirInformation>) {
      if (shortNames && info->ShortNameLength > 0)
        e.ShortName = std::wstring_view(
            info->ShortName, static_cast<size_t>(info->ShortNameLength) / sizeof(WCHAR));
    }
    e.Attributes = info->FileAttributes;
    each(e);
    if (info->NextEntryOffset == 0) break;
    offset += info->NextEntryOffset;
  }
}

}  // namespace

// Once entries have been handed over the read never reports a failure: the
// search asked then would hand them over twice.
bool ReadFolderNative(const std::wstring& folder, bool shortNames, const TFolderEach& each) {
  const QueryDirectoryFile query = NativeQuery();
  if (!query) return false;
  // A folder opens only with backup semantics; opened without overlapped
  // I/O, the query returns when the buffer is filled.
  Handle dir(CreateFileW(LongForm(folder).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (dir.Get() == INVALID_HANDLE_VALUE) return false;
  const std::unique_ptr<char[]> buffer(new char[kBufferSize]);
  const ULONG infoClass = shortNames ? kFileBothDirectoryInformation : kFileFullDirectoryInformation;
  for (bool first = true;; first = false) {
    IoStatus io{};
    const NtStatus status = query(dir.Get(), nullptr, nullptr, nullptr, &io, buffer.get(),
                                  kBufferSize, infoClass, FALSE, nullptr, first);
    if (status == kStatusNoMoreFiles || (first && status == kStatusNoSuchFile)) return true;
    if (status != kStatusSuccess) return !first;
    // Success with nothing written would never end.
    if (io.Information == 0) return true;
    if (shortNames)
      HandBufferOver<BothDirInformation>(buffer.get(), true, each);
    else
      HandBufferOver<FullDirInformation>(buffer.get(), false, each);
  }
}

// ---- the search --------------------------------------------------------------------
namespace {
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : FHandle(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) FindClose(FHandle);
  }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return FHandle; }

 private:
  HANDLE FHandle;
};

}  // namespace

bool ReadFolderBySearch(const std::wstring& folder, bool shortNames, const TFolderEach& each) {
  std::wstring spec = LongForm(folder);
  if (!spec.empty() && spec.back() != L'\\' && spec.back() != L'/') spec += L'\\';
  spec += L'*';
  WIN32_FIND_DATAW fd;
  // The basic level leaves the short names out; the large fetch reads big
  // folders in fewer calls. Systems that know neither get the plain search.
  HANDLE h = FindFirstFileExW(spec.c_str(), shortNames ? FindExInfoStandard : FindExInfoBasic,
                              &fd, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
    h = FindFirstFileW(spec.c_str(), &fd);
  FindHandle find(h);
  if (!find.Valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty folder
  do {
    TFolderEntry e;
    e.Name = fd.cFileName;
    if (shortNames) e.ShortName = fd.cAlternateFileName;
    e.Attributes = fd.dwFileAttributes;
    each(e);
  } while (FindNextFileW(find.Get(), &fd));
  return true;
}

bool ReadFolderFromSystem(const std::wstring& folder, bool shortNames, const TFolderEach& each) {
  if (ReadFolderNative(folder, shortNames, each)) return true;
  return ReadFolderBySearch(folder, shortNames, each);
}

void TFolderEntries::Add(const TFolderEntry& e) {
  Place p{static_cast<std::uint32_t>(FPool.size()), static_cast<std::uint32_t>(e.Name.size()), 0, 0,
          e.Attributes};
  FPool.append(e.Name);
  if (!e.ShortName.empty()) {
    p.Short = static_cast<std::uint32_t>(FPool.size());
    p.ShortLength = static_cast<std::uint32_t>(e.ShortName.size());
    FPool.append(e.ShortName);
  }
  FPlaces.push_back(p);
}

void TFolderEntries::Clear() {
  FPool.clear();
  FPlaces.clear();
}

TFolderEntry TFolderEntries::At(size_t i) const {
  const Place& p = FPlaces[i];
  TFolderEntry e;
  e.Name = std::wstring_view(FPool).substr(p.Name, p.NameLength);
  e.ShortName = std::wstring_view(FPool).substr(p.Short, p.ShortLength);
  e.Attributes = p.Attributes;
  return e;
}

void TFolderEntries::HandOver(const TFolderEach& each) const {
  for (size_t i = 0; i < Count(); ++i) each(At(i));
}

bool ReadFolder(const std::wstring& folder, bool shortNames, const TFolderEach& each) {
  if (!tShared) return ReadUnshared(folder, shortNames, each);
  for (const std::unique_ptr<FolderRead>& r : *tShared)
    if (r->Folder == folder && r->ShortNames == shortNames) {
      r->Entries.HandOver(each);
      return r->Result;
    }
  // Kept only when whole: a read that `each` broke off is not the folder.
  auto read = std::make_unique<FolderRead>();
  read->Folder = folder;
  read->ShortNames = shortNames;
  read->Result = ReadUnshared(folder, shortNames, [&read, &each](const TFolderEntry& e) {
    read->Entries.Add(e);
    each(e);
  });
  const bool result = read->Result;
  tShared->push_back(std::move(read));
  return result;
}

TFolderReadSharing::TFolderReadSharing() : FOwner(tShared == nullptr) {
  if (FOwner) tShared = new std::vector<std::unique_ptr<FolderRead>>();
}

TFolderReadSharing::~TFolderReadSharing() {
  if (!FOwner) return;
  delete tShared;
  tShared = nullptr;
}

void SetFolderReaderHook(TFolderReader hook) { gHook = std::move(hook); }
