#include "framework/FileListing.h"

#include "framework/WideText.h"

#include <utility>

namespace {
// A search handle, closed at scope end.
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

// Starts a search. The basic information level skips the short names (the
// few names that need one ask for it separately), and the large fetch reads
// big directories in fewer calls; systems that know neither get the plain
// search.
HANDLE StartSearch(const std::wstring& spec, WIN32_FIND_DATAW& fd, bool directoriesOnly) {
  HANDLE h = FindFirstFileExW(spec.c_str(), FindExInfoBasic, &fd,
                              directoriesOnly ? FindExSearchLimitToDirectories
                                              : FindExSearchNameMatch,
                              nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
    h = FindFirstFileW(spec.c_str(), &fd);
  return h;
}

bool IsDotEntry(const wchar_t* n) {
  return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0));
}

// The folder part of a search path (C:\dir\*.txt), for short-name look-ups.
std::wstring FolderOfSpec(const std::wstring& spec) {
  size_t p = spec.find_last_of(L"\\/");
  return p == std::wstring::npos ? std::wstring() : spec.substr(0, p);
}

bool HasUpperHalf(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}
}  // namespace

std::string UsableAnsiName(const std::wstring& folder, const wchar_t* name,
                           const wchar_t* shortName) {
  bool lossy = false;
  std::string converted = WideToAnsi(name, -1, &lossy);
  if (!lossy) return converted;
  std::wstring alt = shortName ? shortName : L"";
  if (alt.empty()) {
    std::wstring full = folder.empty() ? std::wstring(name) : folder + L"\\" + name;
    DWORD n = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (n > 0) {
      std::wstring sp(n, L'\0');
      DWORD got = GetShortPathNameW(full.c_str(), sp.data(), n);
      if (got > 0 && got < n) {
        sp.resize(got);
        size_t slash = sp.find_last_of(L"\\/");
        alt = slash == std::wstring::npos ? sp : sp.substr(slash + 1);
      }
    }
  }
  if (!alt.empty()) {
    bool altLossy = false;
    std::string a = WideToAnsi(alt.c_str(), static_cast<int>(alt.size()), &altLossy);
    // A "short name" equal to the long one means the volume keeps none.
    if (!altLossy && !a.empty() && alt != name) return a;
  }
  return converted;
}

std::string FoldedSortKey(const std::string& text) {
  if (!HasUpperHalf(text)) return SortKey(text);
  std::string folded = text;
  CharUpperBuffA(folded.data(), static_cast<DWORD>(folded.size()));
  return SortKey(folded);
}

std::string CurrentDirectoryAnsi() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::wstring w(n, L'\0');
  DWORD got = GetCurrentDirectoryW(n, w.data());
  if (got == 0 || got >= n) return {};
  w.resize(got);
  bool lossy = false;
  std::string a = WideToAnsi(w.c_str(), static_cast<int>(w.size()), &lossy);
  if (!lossy) return a;
  // A folder name outside the code page: the short path still leads there.
  DWORD sn = GetShortPathNameW(w.c_str(), nullptr, 0);
  if (sn == 0) return a;
  std::wstring sp(sn, L'\0');
  DWORD sgot = GetShortPathNameW(w.c_str(), sp.data(), sn);
  if (sgot == 0 || sgot >= sn) return a;
  sp.resize(sgot);
  bool shortLossy = false;
  std::string s = WideToAnsi(sp.c_str(), static_cast<int>(sp.size()), &shortLossy);
  return shortLossy ? a : s;
}

std::vector<TListedEntry> ListFiles(const std::string& dir, const std::string& mask,
                                    TFileType filter, const std::function<void()>& busy) {
  std::vector<TListedEntry> out;
  bool busyShown = false;
  for (const std::string& pattern : MaskPatterns(mask)) {
    std::wstring spec = AnsiToWide(JoinPath(dir, pattern));
    std::wstring folder = FolderOfSpec(spec);
    WIN32_FIND_DATAW fd;
    FindHandle h(StartSearch(spec, fd, false));
    // Nothing found, the pattern invalid or the folder gone: no entries.
    if (!h.Valid()) continue;
    do {
      if (!IsListed(fd.dwFileAttributes, filter)) continue;
      bool directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      std::string name = UsableAnsiName(folder, fd.cFileName, fd.cAlternateFileName);
      TListedEntry e;
      e.Text = ListedText(name, directory);
      e.Key = FoldedSortKey(e.Text);
      e.Glyph = GlyphForName(name, directory);
      out.push_back(std::move(e));
      if (!busyShown && out.size() >= kBusyCursorEntry) {
        busyShown = true;
        if (busy) busy();
      }
    } while (FindNextFileW(h.Get(), &fd));
  }
  SortListing(out);
  return out;
}

std::vector<TListedEntry> ListSubdirectories(const std::string& dir) {
  std::vector<TListedEntry> out;
  std::wstring folder = AnsiToWide(dir);
  std::wstring spec = AnsiToWide(JoinPath(dir, "*"));
  WIN32_FIND_DATAW fd;
  FindHandle h(StartSearch(spec, fd, true));
  if (!h.Valid()) return out;
  do {
    DWORD a = fd.dwFileAttributes;
    if (!(a & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(fd.cFileName)) continue;
    if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    TListedEntry e;
    e.Text = UsableAnsiName(folder, fd.cFileName, fd.cAlternateFileName);
    e.Key = FoldedSortKey(e.Text);
    e.Glyph = fgFolder;
    out.push_back(std::move(e));
  } while (FindNextFileW(h.Get(), &fd));
  return out;
}

bool VolumePreservesCase(const std::string& path) {
  std::string root = SplitDirectoryPath(path).Root;
  if (root.empty()) return false;
  CriticalErrorsOff quiet;
  DWORD flags = 0;
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
    return false;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}
