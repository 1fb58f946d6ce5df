// The command history kept between runs: the file OrvQuill.his beside the
// program, or in the user's application data folder where the program's
// folder cannot be written. Each command is appended as it is entered; the
// file is rewritten whole, atomically, when it is trimmed to the newest
// commands. Failures are silent: the commands then stay in memory and are
// written with the next one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class THistoryFile {
 public:
  // Chooses where the history is kept: the program's folder when a new file
  // can be made there and its history file (if any) replaced, else the
  // fallback folder (made when missing), else nowhere, and the history
  // lives for this run only. Folders without a trailing backslash.
  THistoryFile(const std::wstring& programFolder, const std::wstring& fallbackFolder);
  ~THistoryFile();
  THistoryFile(const THistoryFile&) = delete;
  THistoryFile& operator=(const THistoryFile&) = delete;

  // The file the commands go to; empty when there is none.
  const std::wstring& Path() const { return FPath; }
  // The commands kept (UTF-8, oldest first, the newest of them only). A
  // history file that cannot be written still gives its commands: one in
  // the program's folder is older than those of the fallback folder.
  std::vector<std::string> Load() const;
  // Keeps a command (UTF-8). One that would not read back as itself (a line
  // end in it, for one) is not kept.
  void Append(const std::string& utf8);
  // Commands not yet written (the file was locked, for one).
  std::size_t PendingCount() const { return FPending.size(); }
  // Tries again to write the commands not yet written; true when none is
  // left. The program calls it until then, and once more as it closes.
  bool WritePending();

 private:
  bool Flush();

  std::wstring FPath;
  std::vector<std::wstring> FReadFrom;  // the files Load reads, oldest first
  HANDLE FMutex = nullptr;   // one writer at a time, across the program's instances
  std::vector<std::string> FPending;
};

// The history file's name.
inline constexpr wchar_t kHistoryFileName[] = L"OrvQuill.his";
// The program's folder in the user's application data folder (roaming),
// without a trailing backslash; empty when the system names none.
std::wstring HistoryFallbackFolder();
