// Rules of the drive box, directory list and file list that need no window:
// which found entries the attribute filter lets through, how entries are
// written and sorted, how a directory path becomes the rows of the
// directory list, and the texts of the drive box. Built natively too.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/NameRules.h"

// The file list's attribute filter: a set of these bits. The first six are
// the system's own attribute bits (FILE_ATTRIBUTE_READONLY ... _ARCHIVE).
enum TFileAttr : unsigned {
  ftReadOnly = 0x01,
  ftHidden = 0x02,
  ftSystem = 0x04,
  ftVolumeID = 0x08,
  ftDirectory = 0x10,
  ftArchive = 0x20,
  ftNormal = 0x40
};
using TFileType = unsigned;

// ---- the file list ------------------------------------------------------------------
// Whether an entry with the given system attributes is listed for a filter.
// Two steps, as the old DOS search worked: the search returns plain,
// read-only and archive entries always, but an entry that is hidden, system,
// a volume label or a directory only when the filter names each of those
// kinds it has; of what was found, an entry is listed when the filter holds
// ftNormal or names at least one attribute the entry has.
bool FoundBySearch(unsigned attributes, TFileType filter);
bool IsListed(unsigned attributes, TFileType filter);

enum TFileGlyph { fgFolder, fgExecutable, fgDocument };

// "[name]" for a directory, the name itself otherwise.
std::string ListedText(const std::string& name, bool directory);
// Folder for directories; executable for the extensions .exe .com .bat .pif
// in any case; document otherwise.
TFileGlyph GlyphForName(const std::string& name, bool directory);
// The glyph of a row from its listed text alone (for rows the program added
// itself): bracketed text is a directory.
TFileGlyph GlyphForListedText(const std::string& text);

// The patterns of a mask in the order written, split at ';', surrounding
// blanks dropped ("*.txt; *.log" is two patterns), empty parts skipped.
std::vector<std::string> MaskPatterns(const std::string& mask);

// A row of the file list before it is shown.
struct TListedEntry {
  std::string Text;  // as listed: "name" or "[name]"
  std::string Key;   // sort key: byte order is the order of the rows
  TFileGlyph Glyph = fgDocument;
  // False when the text does not spell the entry's name exactly (see
  // FileListing): acting on the text might reach another file, or none.
  bool Exact = true;
};

// A byte string whose plain byte order is the window-free order of the
// lists, taken where the system gives no sort key of its own: ASCII case
// ignored, punctuation before digits before letters as in the system's own
// string order, other bytes after them, and a closing ']' weighing least,
// so that "[a]" sorts like the name "a" would ("[a]" before "[a b]", "[.]"
// before "[..]"). The key has the length of the text.
std::string SortKey(const std::string& text);
// Sorts by key; rows with equal keys keep their order, so an entry found
// twice by overlapping patterns is listed twice, side by side.
void SortListing(std::vector<TListedEntry>& entries);
// Type-ahead: the first row after `from` (wrapping around, `from` itself
// last) whose text starts with the typed text (8-bit, one character or
// more), ignoring case as the fold gives it (ASCII letters only by
// default); -1 when none does or nothing is typed.
int NextRowStartingWith(const std::vector<std::string>& rows, int from, const std::string& ch,
                        const TCaseFold& fold = TCaseFold());
// The hourglass shows from this entry on (the 101st) while a list is built.
constexpr std::size_t kBusyCursorEntry = 101;

// ---- the directory list -------------------------------------------------------------
enum TDirGlyph { dgOpen, dgCurrent, dgClosed };

struct TDirEntry {
  std::string Name;  // as the system spells it; the root as "C:\"
  std::string Path;  // full path of the entry
  int Level = 0;     // 0 for the root
  TDirGlyph Glyph = dgClosed;
  bool Exact = true;  // as TListedEntry's
};

// A full directory path taken apart: the root ("C:\" or "\\server\share\")
// and the names below it. Trailing backslashes are ignored; an empty root
// means the path has none of the two forms.
struct TPathParts {
  std::string Root;
  std::vector<std::string> Names;
};
TPathParts SplitDirectoryPath(const std::string& path);

// The rows of the directory list for a shown directory (a full path): the
// root, each directory on the way down, the shown directory, then the
// subdirectories one level deeper, sorted here by their keys (Text is the
// name, Key its SortKey).
std::vector<TDirEntry> BuildDirectoryEntries(const std::string& dir,
                                             std::vector<TListedEntry> subdirs);
// Pixels each level of the directory list is indented by.
constexpr int kDirIndentPerLevel = 4;

// "C:\dir" gives 'C' (upper case); 0 for a path without a drive letter.
char DriveOfPath(const std::string& path);
// The directory above a full path ("C:\a\b" gives "C:\a", "C:\a" gives
// "C:\"); empty for a root or a path without one.
std::string ParentDirectory(const std::string& path);
// Whether a path names its drive and starts at the root ("C:\x",
// "\\server\share"): such a path does not depend on a current directory.
bool IsFullyQualified(const std::string& path);
// The folder of a file path, up to and including its last backslash (or
// slash); empty when the path has neither.
std::string FolderOfFile(const std::string& path);
// Joins a directory and a name with one backslash.
std::string JoinPath(const std::string& dir, const std::string& name);

// ---- the drive box ------------------------------------------------------------------
enum TDriveKind { dkUnknown, dkRemovable, dkFixed, dkNetwork, dkCDROM, dkRAM };

// The text of a drive's entry: removable drives "A:"; fixed, CD-ROM and RAM
// drives "C: [label]"; network drives "N: \\server\share". The letter is
// written in upper case. Without a label or network name only "C:" is shown
// (no empty brackets). Unknown kinds are written like fixed drives.
std::string DriveEntryText(char letter, TDriveKind kind, const std::string& labelOrNetName);
