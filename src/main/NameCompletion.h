// Names in the command line, on values: which word the caret ends and what
// folder and name it spells, how a name is written into a command (in
// double quotes where the command interpreter needs them), the cycle
// through the names that complete a word, and the word Ctrl+Backspace
// deletes. Texts are 8-bit, offsets count their bytes. No window here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Besides the blank, the characters that make the command interpreter put a
// name in double quotes: outside quotes each of them ends a word or has a
// meaning of its own.
inline constexpr std::string_view kQuotedNameCharacters = "&()[]{}^=;!'+,`~";

// Whether a name must stand in double quotes in a command: it holds a
// blank, a tab or one of kQuotedNameCharacters.
bool NeedsQuotes(std::string_view name);
// Whether the caret stands inside an open quote: an odd number of double
// quotes before it.
bool InsideOpenQuote(std::string_view text, std::size_t caret);
// The name as it is to be inserted at the caret: in double quotes when it
// needs them and the caret does not already stand inside an open quote.
std::string InsertableName(std::string_view text, std::size_t caret, const std::string& name);

// The word a completion works on.
struct CompletionWord {
  bool Found = false;
  // The bytes the completed word replaces: from the word's first character
  // (an opening quote included) to the caret, and past a quote that closes
  // the word right after the caret.
  std::size_t Start = 0, End = 0;
  // The word was begun in quotes: the completed word keeps them.
  bool Quoted = false;
  // The word without its quotes, taken apart at its last backslash (or
  // after a drive's colon): "..\sub\" and "pa" for ..\sub\pa, "C:" and "Win"
  // for C:Win, "" and "pl" for pl.
  std::string Folder, Prefix;
};

// The word that ends at the caret: its characters run back to a blank, tab,
// '<', '>', '|' or '&' outside quotes, or to the start. Found is false when
// the caret stands at the start or right after such a character (outside
// quotes), that is, when no word ends there.
CompletionWord FindCompletionWord(std::string_view text, std::size_t caret);

// The word once `name` (a name of the word's folder) completes it: its
// folder and the name, in double quotes when the word was begun in quotes
// or the path needs them.
std::string CompletedWord(const CompletionWord& word, std::string_view name);

// The folder whose names complete a word: the shown directory for a word
// without a folder, the shown directory's drive for a folder that starts at
// the root ("\x\"), a folder with a drive or a network path as written, and
// any other folder below the shown directory. A drive's colon alone ("C:")
// stands for that drive's current directory, which only the system knows:
// the caller resolves the result as a full path.
std::string CompletionFolder(const std::string& shownDir, const std::string& folder);

// Where Ctrl+Backspace starts deleting: back over the blanks before the
// caret, then over the word before them (as FindCompletionWord finds it, a
// quoted name as one word).
std::size_t WordStartBefore(std::string_view text, std::size_t caret);

// The names that complete a word, stepped through with Tab (forward) and
// Shift+Tab (backward), round and round.
class CompletionCycle {
 public:
  // Starts on the first name (forward) or on the last; an empty list ends
  // the cycle.
  void Begin(std::vector<std::string> names, bool forward);
  void Step(bool forward);
  void End() { FNames.clear(); }
  bool Active() const { return !FNames.empty(); }
  // The name stepped to; only while active.
  const std::string& Current() const { return FNames[FIndex]; }
  std::size_t Index() const { return FIndex; }
  std::size_t Count() const { return FNames.size(); }

 private:
  std::vector<std::string> FNames;
  std::size_t FIndex = 0;
};
