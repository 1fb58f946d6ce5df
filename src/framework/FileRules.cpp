#include "framework/FileRules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "framework/TextRules.h"
#include "framework/Utf8.h"

namespace {
constexpr unsigned kSpecialKinds = ftHidden | ftSystem | ftVolumeID | ftDirectory;
constexpr unsigned kAttributeBits = 0x3F;

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
char UpperAscii(char c) { return IsLower(static_cast<unsigned char>(c)) ? static_cast<char>(c - 32) : c; }

// Collation weights for SortKey, 1 to 230; 0 never occurs.
std::array<unsigned char, 256> MakeWeights() {
  std::array<unsigned char, 256> w{};
  unsigned next = 1;
  w[static_cast<unsigned char>(']')] = static_cast<unsigned char>(next++);
  for (unsigned c = 0; c < 0x80; ++c) {
    if (c == ']' || IsDigit(static_cast<unsigned char>(c)) ||
        IsUpper(static_cast<unsigned char>(c)) || IsLower(static_cast<unsigned char>(c)))
      continue;
    w[c] = static_cast<unsigned char>(next++);
  }
  for (unsigned c = '0'; c <= '9'; ++c) w[c] = static_cast<unsigned char>(next++);
  for (unsigned c = 'A'; c <= 'Z'; ++c) {
    w[c] = static_cast<unsigned char>(next);
    w[c + 32] = static_cast<unsigned char>(next++);
  }
  for (unsigned c = 0x80; c < 0x100; ++c) w[c] = static_cast<unsigned char>(next++);
  return w;
}

const std::array<unsigned char, 256>& Weights() {
  static const std::array<unsigned char, 256> w = MakeWeights();
  return w;
}

std::string Trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

// Whether the name's extension (with its dot, after the last one) is the
// one given in upper case, without regard to the name's case. Asked for
// every listed row: no copies.
bool ExtensionIs(const std::string& name, size_t dot, std::string_view ext) {
  if (name.size() - dot != ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i)
    if (UpperAscii(name[dot + i]) != ext[i]) return false;
  return true;
}
}  // namespace

// ---- the file list ------------------------------------------------------------------
bool FoundBySearch(unsigned attributes, TFileType filter) {
  return (attributes & kSpecialKinds & ~filter) == 0;
}

bool IsListed(unsigned attributes, TFileType filter) {
  if (!FoundBySearch(attributes, filter)) return false;
  return (filter & ftNormal) != 0 || (attributes & filter & kAttributeBits) != 0;
}

std::string ListedText(const std::string& name, bool directory) {
  return directory ? "[" + name + "]" : name;
}

TFileGlyph GlyphForName(const std::string& name, bool directory) {
  if (directory) return fgFolder;
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return fgDocument;
  for (std::string_view ext : {".EXE", ".COM", ".BAT", ".PIF"})
    if (ExtensionIs(name, dot, ext)) return fgExecutable;
  return fgDocument;
}

TFileGlyph GlyphForListedText(const std::string& text) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') return fgFolder;
  return GlyphForName(text, false);
}

std::vector<std::string> MaskPatterns(const std::string& mask) {
  std::vector<std::string> out;
  for (const std::string& part : SplitMask(mask)) {
    std::string p = Trimmed(part);
    if (!p.empty()) out.push_back(p);
  }
  return out;
}

std::string SortKey(const std::string& text) {
  const auto& w = Weights();
  std::string key(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i)
    key[i] = static_cast<char>(w[static_cast<unsigned char>(text[i])]);
  return key;
}

void SortListing(std::vector<TListedEntry>& entries) {
  // Sorting row numbers and moving each row once is cheaper than moving
  // whole rows around during the sort: 100,000 rows make about two million
  // moves otherwise.
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&entries](std::size_t a, std::size_t b) {
    return entries[a].Key < entries[b].Key;
  });
  std::vector<TListedEntry> sorted;
  sorted.reserve(entries.size());
  for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
  entries = std::move(sorted);
}

int NextRowStartingWith(const std::vector<std::string>& rows, int from, const std::string& ch,
                        const TCaseFold& fold) {
  int n = static_cast<int>(rows.size());
  if (n == 0 || ch.empty()) return -1;
  const std::string want = fold.FoldUtf8(ch);
  const std::size_t chars = CountCharacters(ch);
  if (from < -1 || from >= n) from = -1;
  for (int step = 1; step <= n; ++step) {
    int i = (from + step) % n;
    const std::string& r = rows[static_cast<size_t>(i)];
    // As many characters of the row as were typed: folding may change the
    // number of bytes a character takes.
    std::size_t end = 0;
    for (std::size_t k = 0; k < chars && end < r.size(); ++k) end += Utf8CharLength(r, end);
    if (fold.FoldUtf8(std::string_view(r).substr(0, end)) == want) return i;
  }
  return -1;
}

// ---- the directory list -------------------------------------------------------------
TPathParts SplitDirectoryPath(const std::string& path) {
  TPathParts parts;
  size_t pos;
  if (path.size() >= 2 && path[1] == ':') {
    parts.Root = path.substr(0, 2) + "\\";
    pos = 2;
  } else if (path.size() > 2 && (path[0] == '\\' || path[0] == '/') &&
             (path[1] == '\\' || path[1] == '/')) {
    // \\server\share: the share is part of the root.
    size_t server = path.find_first_of("\\/", 2);
    if (server == std::string::npos) return parts;
    size_t share = path.find_first_of("\\/", server + 1);
    if (share == std::string::npos) share = path.size();
    parts.Root = path.substr(0, share) + "\\";
    pos = share;
  } else {
    return parts;
  }
  while (pos < path.size()) {
    size_t start = path.find_first_not_of("\\/", pos);
    if (start == std::string::npos) break;
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    parts.Names.push_back(path.substr(start, end - start));
    pos = end;
  }
  return parts;
}

std::vector<TDirEntry> BuildDirectoryEntries(const std::string& dir,
                                             std::vector<TListedEntry> subdirs) {
  std::vector<TDirEntry> rows;
  TPathParts parts = SplitDirectoryPath(dir);
  if (parts.Root.empty()) return rows;
  std::string path = parts.Root;
  rows.push_back({parts.Root, path, 0, parts.Names.empty() ? dgCurrent : dgOpen});
  int level = 0;
  for (size_t i = 0; i < parts.Names.size(); ++i) {
    path = JoinPath(path, parts.Names[i]);
    ++level;
    bool last = i + 1 == parts.Names.size();
    rows.push_back({parts.Names[i], path, level, last ? dgCurrent : dgOpen});
  }
  SortListing(subdirs);
  for (TListedEntry& s : subdirs) {
    std::string full = JoinPath(path, s.Text);
    rows.push_back({std::move(s.Text), std::move(full), level + 1, dgClosed, s.Exact});
  }
  return rows;
}

char DriveOfPath(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  unsigned char c = static_cast<unsigned char>(path[0]);
  if (IsLower(c)) c = static_cast<unsigned char>(c - 32);
  return IsUpper(c) ? static_cast<char>(c) : 0;
}

std::string ParentDirectory(const std::string& path) {
  TPathParts parts = SplitDirectoryPath(path);
  if (parts.Root.empty() || parts.Names.empty()) return {};
  std::string parent = parts.Root;
  for (size_t i = 0; i + 1 < parts.Names.size(); ++i) parent = JoinPath(parent, parts.Names[i]);
  return parent;
}

bool IsFullyQualified(const std::string& path) {
  auto slash = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 3 && path[1] == ':' && slash(path[2])) return true;
  return path.size() >= 2 && slash(path[0]) && slash(path[1]);
}

std::string FolderOfFile(const std::string& path) {
  size_t p = path.find_last_of("\\/");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  char last = dir.back();
  return last == '\\' || last == '/' ? dir + name : dir + "\\" + name;
}

// ---- the drive box ------------------------------------------------------------------
std::string DriveEntryText(char letter, TDriveKind kind, const std::string& labelOrNetName) {
  unsigned char c = static_cast<unsigned char>(letter);
  if (IsLower(c)) c = static_cast<unsigned char>(c - 32);
  std::string text{static_cast<char>(c), ':'};
  if (kind == dkRemovable || labelOrNetName.empty()) return text;
  if (kind == dkNetwork) return text + " " + labelOrNetName;
  return text + " [" + labelOrNetName + "]";
}
