// The command history on values: the history file's lines as read and as
// written, and the walk through the history with Up, Down and the prefix
// search. No window here.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The history file keeps the newest commands, at most this many.
inline constexpr std::size_t kHistoryMaxCommands = 1000;
// A longer line is cut to this many characters: the command line's edit
// field takes no more from the keyboard (the system's initial limit of a
// single-line edit field).
inline constexpr std::size_t kHistoryLineChars = 30000;

struct HistoryLines {
  // UTF-8, oldest first, the newest kHistoryMaxCommands of them.
  std::vector<std::string> Commands;
  // How many commands the bytes held before the oldest were dropped.
  std::size_t Total = 0;
};

// The commands in a history file's bytes (UTF-8, one command per line,
// oldest first). A line ends at CR, LF or a NUL byte: a power cut can leave
// a run of NULs where a write did not reach the disk, and what follows it is
// a command of its own. Empty lines are skipped. A line that is not valid
// UTF-8 is damaged and skipped: its bytes could stand for another command.
// A line longer than kHistoryLineChars characters is cut there.
// partialStart: the bytes begin inside the file, so that their first line
// may be the end of a longer one; it is dropped.
HistoryLines ReadHistoryLines(std::string_view bytes, bool partialStart = false);

// Whether a command (UTF-8) can be kept as one line that reads back as the
// same command: not empty, valid UTF-8, no line end or NUL, not too long.
bool IsStorableCommand(std::string_view utf8);

// The whole file for these commands, each followed by CR LF.
std::string HistoryFileText(const std::vector<std::string>& commands);
// The bytes to append for these commands to a file whose bytes end as
// given: a file whose last line was cut short by a crash gets a line end
// first, so that the cut line and the next command stay two lines.
std::string HistoryAppendText(const std::vector<std::string>& commands, bool fileEndsInLineEnd);

// The keys' walk through the history list (oldest first), from the newest.
// Each step answers the text the command line is to show, or nothing when
// it stays as it is.
class HistoryWalk {
 public:
  using PrefixMatch = std::function<bool(const std::string& entry, const std::string& prefix)>;

  // Up: the next older entry; the first step remembers the typed text.
  std::optional<std::string> Older(const std::vector<std::string>& items,
                                   const std::string& current);
  // Down: the next newer entry; past the newest, the text typed before the
  // first step, and the walk is over.
  std::optional<std::string> Newer(const std::vector<std::string>& items);
  // F8: the next older entry that begins with the text typed before the
  // first step, past the oldest one the newest again; without a typed
  // text, the same as Older.
  std::optional<std::string> Search(const std::vector<std::string>& items,
                                    const std::string& current, const PrefixMatch& matches);
  // The user edited the text or entered a command: the next step starts
  // from the newest entry and takes the text as typed then.
  void Reset() { FPos = -1; }
  bool Walking() const { return FPos >= 0; }

 private:
  // The entry shown; items.size() while the typed text is shown after a
  // search without a match; -1 when not walking.
  long long FPos = -1;
  std::string FTyped;
  void Start(const std::vector<std::string>& items, const std::string& current);
};
