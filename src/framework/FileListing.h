// Reading directories for the file panes: the entries of a file list, the
// subdirectories of the directory list, the current directory and volume
// facts, all as 8-bit strings in the system's ANSI code page.
//
// Names outside the code page: the program works with 8-bit strings, so the
// system is searched with its wide-character functions and each name is
// converted to the ANSI code page without best-fit substitutions. A name
// that cannot be written exactly (the conversion had to use the default
// character) is given by its short 8.3 name when the volume has one, so that
// the name as listed still opens the file when used in a command; without a
// short name the converted name is used as it is.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/FileRules.h"
#include "framework/WideText.h"

// ANSI name of a file found in the (wide) folder: its name, or its short
// name when the name has no exact ANSI spelling and a short name exists.
std::string UsableAnsiName(const std::wstring& folder, const wchar_t* name,
                           const wchar_t* shortName);
// The sort key of an ANSI text: letters of the whole code page folded with
// the system's upper case, then FileRules' SortKey.
std::string FoldedSortKey(const std::string& text);

// The process's current directory as a usable ANSI path (see above).
std::string CurrentDirectoryAnsi();

// The entries of the file list for a directory, mask and filter, sorted.
// Each pattern is searched in the order written; a pattern that finds
// nothing, or a directory that no longer exists, adds nothing. busy is
// called once when the 101st entry has been found.
std::vector<TListedEntry> ListFiles(const std::string& dir, const std::string& mask,
                                    TFileType filter, const std::function<void()>& busy = {});

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
