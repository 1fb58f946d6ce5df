// Reading directories for the file panes: the entries of a file list, the
// subdirectories of the directory list, the current directory and volume
// facts, all as 8-bit strings in the process's code page.
//
// Names come from the system in UTF-16 (FolderReader) and are converted once.
// Where the code page is UTF-8 every name converts exactly but one holding an
// unpaired surrogate (Windows allows it): such a name is listed with U+FFFD
// in place of the surrogate and marked as not exact, since that spelling may
// name another file or none. Where the code page is a legacy one, a name it
// cannot write is given by its short 8.3 alias when the volume keeps one (the
// alias names the very file); without one the name is listed with the code
// page's default character and marked as not exact. Best-fit look-alikes are
// never used.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/FileRules.h"
#include "framework/WideText.h"

// The 8-bit name of an entry found in the (wide) folder, as described above;
// exact tells whether it names the entry and no other. shortName may be
// empty, and is then looked up where it is needed.
std::string UsableAnsiName(const std::wstring& folder, std::wstring_view name,
                           std::wstring_view shortName, bool* exact);

// The process's current directory as a usable 8-bit path (see above; a
// folder on the way that has no exact name is given by its short path when
// it has one).
std::string CurrentDirectoryAnsi(bool* exact = nullptr);

// The entries of the file list for a directory, mask and filter, sorted by
// the user's order without regard to case. The folder is read once; each
// pattern is then matched against the wide names in the order written, so
// an entry two patterns find is listed twice. A pattern that finds nothing,
// or a directory that no longer exists, adds nothing. busy is called once
// when the 101st entry has been found.
std::vector<TListedEntry> ListFiles(const std::string& dir, const std::string& mask,
                                    TFileType filter, const std::function<void()>& busy = {});

// The same rows in the form the file list keeps them: a column each.
struct TFileRows {
  std::vector<std::string> Texts;
  std::vector<TFileGlyph> Glyphs;
  std::vector<bool> Exact;
};
TFileRows ListFileRows(const std::string& dir, const std::string& mask, TFileType filter,
                       const std::function<void()>& busy = {});

// The names of a folder that begin with `prefix` (case ignored as the file
// system ignores it, in every alphabet), for completing a typed name:
// every entry the filter lists, without "." and "..", and never a name that
// has no exact 8-bit form (its spelling could name another file). They come
// in the file list's order, a directory where its bracketed row stands, and
// without brackets. Nothing for a folder that cannot be read. `cancelled`,
// when set meanwhile, stops the work early (what is returned then is of no
// use).
std::vector<std::string> ListNamesBeginningWith(const std::string& dir, const std::string& prefix,
                                                TFileType filter,
                                                const std::atomic<bool>* cancelled = nullptr);

// The subdirectories of a directory (no "." and ".."), as Text = name and
// Key = its sort key, unsorted. Hidden and system directories are left out,
// as the file list leaves them out unless asked for them.
std::vector<TListedEntry> ListSubdirectories(const std::string& dir);

// Whether the volume holding the path keeps the case of names
// (FS_CASE_IS_PRESERVED). False when the volume cannot be asked.
bool VolumePreservesCase(const std::string& path);

// Turns off the system's "insert a disk" boxes for the scope: volume queries
// on drives without a medium then simply fail.
class CriticalErrorsOff {
 public:
  // SetErrorMode replaces the whole mode: add ours to what was set before.
  CriticalErrorsOff() : FOld(SetErrorMode(SEM_FAILCRITICALERRORS)) {
    SetErrorMode(FOld | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  }
  ~CriticalErrorsOff() { SetErrorMode(FOld); }
  CriticalErrorsOff(const CriticalErrorsOff&) = delete;
  CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

 private:
  UINT FOld;
};
