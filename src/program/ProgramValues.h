// The process-wide values of the program: set at start-up, read by the main
// window and the dialogs; the texts may be replaced by a language file.
// No window here.
#pragma once

#include <array>
#include <cstddef>
#include <string>

// The program file's full path, as the system reports it for the running
// program, and its folder with a trailing backslash.
extern std::string ProgramPath;
extern std::string ProgramDir;
// The command interpreter's path from COMSPEC, or "COMMAND" / "CMD".
extern std::string CommandInterpreter;
// Whether the command history is kept between runs (the option word HISTORY).
extern bool KeepHistory;

// The entries of MessageTexts. A language file replaces Error to Objects with
// its lines 22 to 30, in this order, SaveAs with its line 37 and
// CommandTooLong with its line 39.
enum class MessageId {
  SaveAs,               // the batch window's save button
  Error,                // the caption of every error box
  InterpreterQuestion,  // asked when COMSPEC names no file
  InterpreterNotFound,
  OutOfMemory,          // start result 0
  BadFormat,            // start result 11
  FileNotFound,         // start result 2
  PathNotFound,         // start result 3
  ExplorerNotFound,
  Objects,              // the word after the file list's entry count
  CommandTooLong,       // a command longer than the interpreter takes
};
inline constexpr std::size_t kMessageCount = 11;

// The message texts, reachable only by their names.
class MessageTable {
 public:
  std::string& operator[](MessageId id) { return FTexts[static_cast<std::size_t>(id)]; }
  const std::string& operator[](MessageId id) const {
    return FTexts[static_cast<std::size_t>(id)];
  }

 private:
  std::array<std::string, kMessageCount> FTexts;
};

extern MessageTable MessageTexts;
extern std::string ManualFileName;
extern std::string DropHintText;
// The insert character: one character, in the bytes of the process's code page.
extern std::string InsertChar;
extern std::string LanguageName;
extern std::string BatchExecuteText;
extern std::string BatchCancelText;
// Shown instead of acting on a command or a name that holds a character the
// program's code page cannot carry (it would stand as '?' or as a
// look-alike, and could name another file). Not a line of the language
// files, whose 38 lines are fixed.
extern const char* const InexactTextMessage;

// Puts every text back to its English start value.
void ResetProgramTexts();
