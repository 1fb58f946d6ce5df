// The rules of the command line, on values: which built-in word a typed
// command is, where CD goes, how insertion changes the text, and how a
// command line for the interpreter is built. No window here.
#pragma once

#include <cstddef>
#include <string>

enum class CommandKind { None, Drive, ChangeDir, Dir, View, Help, Exit, Run };

struct ParsedCommand {
  CommandKind Kind = CommandKind::None;
  // Drive: the letter; ChangeDir: the path; Dir: the mask; View: the file.
  std::string Argument;
  // Dir, View and Help in DOS-window mode go to the interpreter instead.
  bool ToInterpreter = false;
  // The close setting to pass when it goes to the interpreter.
  bool KeepWindowOpen = false;
};

// Classifies the text of the command line when Enter is pressed; the order of
// the tests is the documented one. An empty text is CommandKind::None.
ParsedCommand ParseCommand(const std::string& text, bool dosWindowMode);

// The new directory for CD with argument p from the shown directory d and the
// drive box's letter; empty when nothing is to be done. Quotes in p are
// taken off first.
std::string ResolveChangeDirectory(const std::string& p, const std::string& d, char drive);

// The characters that jump from a list or check box into the command line:
// the ASCII letters and digits, '-', '.', ':', '\\' and '_', and beyond ASCII
// a letter or digit of any alphabet, which letterOrDigit says (the system's
// classification, asked by the caller).
bool IsTypeKey(wchar_t c, bool letterOrDigit);

struct InsertResult {
  std::string Text;
  int Caret;
};
// Replaces the selection of text by s; the caret lands after the inserted
// text. Start and length are offsets in the bytes of text, as the
// framework's edit fields give them (never inside a character); out-of-range
// selections are clamped.
InsertResult InsertIntoText(const std::string& text, int selStart, int selLength,
                            const std::string& s);

// A command that names no program: the command file runs it in the
// interpreter. programDir ends with a backslash.
std::string PrefixWithOrvExec(const std::string& programDir, const std::string& command);

// The interpreter's command line: interpreter, " /C " or " /K ", command.
// The NT interpreter removes the first and the last quote of a command that
// starts with one; such a command is given one extra pair, which it then
// removes, so that its own quotes arrive intact.
std::string InterpreterCommandLine(const std::string& interpreter, bool closeWhenDone,
                                   const std::string& command);

// The items of the file list's popup menu that apply to the selected entry
// (as listed): Open and View for anything but a program, Execute for a
// program or a batch file, nothing without a selection.
struct FileMenuItems {
  bool Open = false, Execute = false, View = false;
};
FileMenuItems FileMenuItemsFor(bool selected, const std::string& entry);
// True when the last three characters, in upper case, are "BAT".
bool IsBatchName(const std::string& entry);

// The full path of a file-list entry as listed in the directory: a
// directory's brackets are taken off, "[.]" is the directory itself and
// "[..]" its parent (the root stays the root).
std::string ListedEntryPath(const std::string& dir, const std::string& entry, bool directory);

// The command interpreter reads at most this many characters of a command:
// a longer one it refuses, in a console window that closes at once.
inline constexpr std::size_t kInterpreterMaxChars = 8191;

// The command a dropped file becomes: "move" for a move, else "copy", then
// the full path in quotes.
std::string DropCommand(const std::string& path, bool move);
// Whether a file's folder is the directory, compared character for
// character, case and all, over the whole length.
bool IsInDirectory(const std::string& file, const std::string& directory);
