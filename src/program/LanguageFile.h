// Language files: 38 lines of text in the Windows-1252 code page that
// replace the interface texts (and lines added since, which older files do
// not have), and the one-line pointer file that names the
// language in force. Window-free: the reader takes the file's bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The lines every language file has had; later ones were added since.
inline constexpr int kFixedLanguageLines = 38;
inline constexpr int kLanguageLineCount = 39;

// The lines of a language file, by what each replaces.
enum class LangLine {
  InsertChar = 1,  // its first character
  ManualFileName,
  UpdateCaption,
  UpdateHint,
  ExploreCaption,
  ExploreHint,
  ExplorerCaption,
  ExplorerHint,
  CrossCaption,  // '#' becomes the insert character
  CrossHint,     // likewise
  FilterCaption,
  FilterHint,
  FNameCaption,
  FNameHint,
  DosCloseCaption,  // CheckBoxDOS
  DosCloseHint,
  DosModeCaption,  // CheckBoxDIR
  DosModeHint,
  CommLineHint,  // '#' becomes the insert character
  FilterLineHint,
  AttribsHint,
  ErrorCaption,  // lines 22 to 30: MessageTexts entries 1 to 9
  InterpreterQuestion,
  InterpreterNotFound,
  OutOfMemory,
  BadFormat,
  FileNotFound,
  PathNotFound,
  ExplorerNotFound,
  Objects,
  AttribsLabel,  // the attribute dialog's Label1, ButtApply, ButtClose
  AttribsApply,
  AttribsClose,
  DropHint,  // when empty, the file ends here
  BatchExecute,
  BatchCancel,
  BatchSaveAs,  // MessageTexts entry 0
  BatchHint,    // the main window's SpBBatch
  CommandTooLongText,  // MessageTexts' CommandTooLong; kept when missing or empty
};

// What a language file says.
class LanguageTexts {
 public:
  // The line's text, or null when the line is not in force: reading ended
  // before it, or the file could not be read at all.
  const std::string* Text(LangLine line) const;
  void Set(LangLine line, std::string text);
  // The insert character of line 1, one character whatever number of bytes
  // it takes; none when line 1 is absent, empty or begins with a blank or a
  // control character, or with a character beyond the 16-bit range (a
  // keyboard types it as two halves, never as one key press), which keeps
  // '#'.
  std::optional<std::string> InsertCharacter() const;

 private:
  std::array<std::optional<std::string>, kLanguageLineCount> FLines;
};

// The longest text a line may give: what a caption, hint or file name can
// sensibly show, and more for the message boxes. Longer lines are cut.
inline constexpr std::size_t kMaxLanguageText = 255;
inline constexpr std::size_t kMaxLanguageMessage = 1023;

// Reads a language file's text (decoded into the process's code page) by
// the line rules: lines end at CR LF, LF or a lone CR; a missing line is
// empty; an empty line 34 ends the reading, so lines 34 to 38 may be left
// out together. A line after the 38th is applied only when the file has it
// and it is not empty: files written before it existed keep its English
// text. A UTF-8 byte order mark is skipped. Lines are cut at their
// limit in characters, never inside a multi-byte character. The insert
// character of line 1 replaces the first '#' of lines 9, 10 and 19. Any
// bytes are accepted.
LanguageTexts ReadLanguageFile(std::string_view text);

// Replaces the first '#' among the first 255 characters of text by the insert
// character; nothing happens when that is '#' itself.
void ReplaceInsertChar(std::string& text, const std::string& insertChar);

// Gives the program-wide texts (insert character, manual, messages, drop
// hint, batch window captions) the file's lines that are in force.
void ApplyProgramTexts(const LanguageTexts& texts);

// ---- the pointer file ----------------------------------------------------------------
// The pointer file beside the program: its path less the last three
// characters, then "LNG" (OrvQuill.exe gives OrvQuill.LNG).
std::string LanguagePointerPath(const std::string& programPath);
// The language file's name in the program folder from the pointer file's
// first line; none when the line is too short to name a ".OQL" file.
std::optional<std::string> LanguageFileOfPointer(const std::string& firstLine);
// The language's name: the file name less its last four characters.
std::string LanguageNameOf(const std::string& fileName);
// True for the names the chooser lists: a name before a real ".OQL"
// extension (any case). A short 8.3 alias that matches the mask while the
// long name does not is no language file.
bool IsLanguageFileName(const std::string& fileName);
// The pointer file's contents for a chosen language name.
std::string PointerFileText(const std::string& languageName);
// The first line of a file's bytes.
std::string FirstLine(std::string_view bytes);
