// Reads every entry of a folder with wide names, the fastest way the system
// offers: its native directory query, which fills one large buffer with
// thousands of entries per call; the search functions (FindFirstFileExW)
// where that query is missing or fails.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One entry as the system reports it. The names point into the reader's
// buffer and hold only during the call that hands them over.
struct TFolderEntry {
  std::wstring_view Name;
  std::wstring_view ShortName;  // empty unless asked for, or when there is none
  DWORD Attributes = 0;
};

using TFolderEach = std::function<void(const TFolderEntry&)>;

// Entries kept beyond the call that handed them over, their names all in
// one pool: a folder of 100,000 entries takes a few allocations, not one
// per name.
class TFolderEntries {
 public:
  void Add(const TFolderEntry& e);
  void Clear();
  size_t Count() const { return FPlaces.size(); }
  // The entry at `i`; its names point into the pool and hold until the
  // next Add or Clear.
  TFolderEntry At(size_t i) const;
  // Each entry to `each`, in the order added.
  void HandOver(const TFolderEach& each) const;

 private:
  // 32-bit places: every byte an entry takes is memory touched for the
  // first time, which costs more than the work done on it.
  struct Place {
    std::uint32_t Name, NameLength, Short, ShortLength;
    DWORD Attributes;
  };
  std::wstring FPool;
  std::vector<Place> FPlaces;
};

// Hands each entry of the folder to `each`, in the order the system reports
// them, "." and ".." included where the volume has them. shortNames asks for
// the short 8.3 alias as well (a little slower). False when the folder
// cannot be read at all (gone, not a folder, no access).
bool ReadFolder(const std::wstring& folder, bool shortNames, const TFolderEach& each);
// The same from the system, whatever hook is set: the native query, the
// search where that fails.
bool ReadFolderFromSystem(const std::wstring& folder, bool shortNames, const TFolderEach& each);
// The native query alone: false, with nothing handed over, where it is
// missing or cannot open or start to read the folder.
bool ReadFolderNative(const std::wstring& folder, bool shortNames, const TFolderEach& each);
// The search alone.
bool ReadFolderBySearch(const std::wstring& folder, bool shortNames, const TFolderEach& each);

// Within its scope, on its thread, a folder read again with the same
// request is handed over from the first read instead of being read anew:
// the directory list and the file list show the same folder, and a big one
// takes most of a second to read. The first read is kept for the scope's
// life; both lists then show the folder as it was at that moment. A scope
// within a scope shares the outer one.
class TFolderReadSharing {
 public:
  TFolderReadSharing();
  ~TFolderReadSharing();
  TFolderReadSharing(const TFolderReadSharing&) = delete;
  TFolderReadSharing& operator=(const TFolderReadSharing&) = delete;

 private:
  bool FOwner;
};

// For tests: ReadFolder asks this instead of the system while it is set
// (empty: the system again). Entries no volume here can hold (a name with
// an unpaired surrogate, which Wine cannot store) reach the lists this way.
using TFolderReader =
    std::function<bool(const std::wstring& folder, bool shortNames, const TFolderEach& each)>;
void SetFolderReaderHook(TFolderReader hook);
