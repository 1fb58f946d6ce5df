// Folder readers of a test's own, for the length of a scope: the lists read
// through them, and from the system again once the scope ends.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/FolderReader.h"

namespace testkit {

class ScopedFolderReader {
 public:
  explicit ScopedFolderReader(TFolderReader reader) { SetFolderReaderHook(std::move(reader)); }
  ~ScopedFolderReader() { SetFolderReaderHook({}); }
  ScopedFolderReader(const ScopedFolderReader&) = delete;
  ScopedFolderReader& operator=(const ScopedFolderReader&) = delete;
};

// Reads from the system and counts the reads of each folder.
class FolderReadCounter {
 public:
  int Reads(const std::wstring& folder) const {
    auto it = FReads.find(folder);
    return it == FReads.end() ? 0 : it->second;
  }

 private:
  std::map<std::wstring, int> FReads;
  ScopedFolderReader FReader{[this](const std::wstring& f, bool shortNames, const TFolderEach& each) {
    ++FReads[f];
    return ReadFolderFromSystem(f, shortNames, each);
  }};
};

// Lets the lists see entries beside those of the system in one folder (its
// name compared without case). Entries no volume here can hold (a name with
// an unpaired surrogate, which Wine cannot store) reach the lists this way.
class ExtraEntries {
 public:
  ExtraEntries(std::wstring folder, std::vector<TFolderEntry> extra)
      : FFolder(std::move(folder)), FExtra(std::move(extra)) {}

 private:
  std::wstring FFolder;
  std::vector<TFolderEntry> FExtra;
  ScopedFolderReader FReader{[this](const std::wstring& f, bool shortNames, const TFolderEach& each) {
    const bool ok = ReadFolderFromSystem(f, shortNames, each);
    if (_wcsicmp(f.c_str(), FFolder.c_str()) == 0)
      for (const TFolderEntry& e : FExtra) each(e);
    return ok;
  }};
};

}  // namespace testkit
