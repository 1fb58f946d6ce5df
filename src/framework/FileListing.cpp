#include "framework/FileListing.h"

#include <algorithm>
#include <utility>

#include "framework/FolderReader.h"
#include "framework/SystemNames.h"

namespace {
bool CodePageIsUtf8() {
  static const bool utf8 = GetACP() == CP_UTF8;
  return utf8;
}

bool IsDotEntry(std::wstring_view n) { return n == L"." || n == L".."; }

// The short form of a full path, or empty when the volume gives none.
std::wstring ShortPathOf(const std::wstring& full) {
  DWORD n = GetShortPathNameW(full.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring sp(n, L'\0');
  DWORD got = GetShortPathNameW(full.c_str(), sp.data(), n);
  if (got == 0 || got >= n) return {};
  sp.resize(got);
  return sp;
}

// Entries the filter let through, their names kept in one pool: a folder
// of 100,000 entries is read once for every pattern of the mask.
struct FoundEntries {
  std::wstring Pool;
  struct Entry {
    size_t Name, NameLength, Short, ShortLength;
    DWORD Attributes;
  };
  std::vector<Entry> Entries;

  void Add(const TFolderEntry& e) {
    Entry f{Pool.size(), e.Name.size(), 0, 0, e.Attributes};
    Pool.append(e.Name);
    if (!e.ShortName.empty()) {
      f.Short = Pool.size();
      f.ShortLength = e.ShortName.size();
      Pool.append(e.ShortName);
    }
    Entries.push_back(f);
  }
  std::wstring_view Name(const Entry& e) const { return {Pool.data() + e.Name, e.NameLength}; }
  std::wstring_view Short(const Entry& e) const { return {Pool.data() + e.Short, e.ShortLength}; }
};

// Appends the sort key of a row. A directory is keyed as '[' and its name
// without the closing bracket, so that "[a]" sorts as the name "a" would
// ("[a]" before "[a b]", "[.]" before "[..]"). False when the system could
// make no key.
bool AppendRowKey(std::wstring_view name, bool directory, std::string& keys) {
  if (!directory) return AppendNameSortKey(name, keys);
  std::wstring bracketed = L"[";
  bracketed.append(name);
  return AppendNameSortKey(bracketed, keys);
}

// A row of the file list (the directory bracketed) or of the directory
// list (the bare name), its key appended to `keys`; false when the system
// could make no key.
bool MakeRowInto(const std::wstring& folder, std::wstring_view name, std::wstring_view shortName,
                 bool directory, bool fileListRow, TListedEntry& e, std::string& keys) {
  bool exact = true;
  std::string text = UsableAnsiName(folder, name, shortName, &exact);
  e.Glyph = directory ? fgFolder : GlyphForName(text, false);
  e.Exact = exact;
  const bool bracketed = directory && fileListRow;
  // Ordered as shown: a name given by its alias or with a replacement
  // character sorts by what the row says.
  const bool keyed = exact && CodePageIsUtf8() ? AppendRowKey(name, bracketed, keys)
                                               : AppendRowKey(AnsiToWide(text), bracketed, keys);
  e.Text = bracketed ? ListedText(text, true) : std::move(text);
  return keyed;
}

TListedEntry MakeRow(const std::wstring& folder, std::wstring_view name, std::wstring_view shortName,
                     bool directory, bool fileListRow) {
  TListedEntry e;
  MakeRowInto(folder, name, shortName, directory, fileListRow, e, e.Key);
  return e;
}

// Where the system could not make a key, all rows fall back together to
// the window-free order of their texts: keys of two kinds do not compare.
void EnsureKeys(std::vector<TListedEntry>& rows) {
  for (const TListedEntry& r : rows) {
    if (!r.Key.empty() || r.Text.empty()) continue;
    for (TListedEntry& each : rows) each.Key = SortKey(each.Text);
    return;
  }
}
}  // namespace

std::string UsableAnsiName(const std::wstring& folder, std::wstring_view name,
                           std::wstring_view shortName, bool* exact) {
  // UTF-8 writes every name but one with an unpaired surrogate; the short
  // alias is not used there, so that a name shows what it is made of.
  if (CodePageIsUtf8()) return Utf16ToUtf8(AsUtf16(name), exact);
  bool lossy = false;
  std::string converted = WideToAnsi(name, &lossy);
  if (exact) *exact = !lossy;
  if (!lossy) return converted;
  std::wstring alt(shortName);
  if (alt.empty()) {
    std::wstring full = folder;
    if (!full.empty() && full.back() != L'\\') full += L'\\';
    full.append(name);
    std::wstring sp = ShortPathOf(full);
    size_t slash = sp.find_last_of(L"\\/");
    alt = slash == std::wstring::npos ? sp : sp.substr(slash + 1);
  }
  if (!alt.empty() && alt != name) {
    bool altLossy = false;
    std::string a = WideToAnsi(alt, &altLossy);
    // A "short name" equal to the long one means the volume keeps none.
    if (!altLossy && !a.empty()) {
      if (exact) *exact = true;
      return a;
    }
  }
  return converted;
}

std::string CurrentDirectoryAnsi(bool* exact) {
  if (exact) *exact = false;
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::wstring w(n, L'\0');
  DWORD got = GetCurrentDirectoryW(n, w.data());
  if (got == 0 || got >= n) return {};
  w.resize(got);
  bool whole = false;
  std::string a = CodePageIsUtf8() ? Utf16ToUtf8(AsUtf16(w), &whole) : WideToAnsi(w, &whole);
  if (!CodePageIsUtf8()) whole = !whole;  // WideToAnsi reports the loss
  if (whole) {
    if (exact) *exact = true;
    return a;
  }
  // A folder on the way without an exact name: the short path still leads there.
  std::wstring sp = ShortPathOf(w);
  if (sp.empty()) return a;
  bool shortLossy = false;
  std::string s = WideToAnsi(sp, &shortLossy);
  if (shortLossy) return a;
  if (exact) *exact = true;
  return s;
}

namespace {
// The rows of a listing in the order found, their sort keys all in one
// string.
struct RowTable {
  std::vector<TListedEntry> Rows;  // without their keys
  std::string Keys;
  struct KeyPlace {
    size_t Start, Length;
  };
  std::vector<KeyPlace> KeyOf;
  std::vector<bool> Directory;

  std::string_view Key(size_t row) const {
    return std::string_view(Keys).substr(KeyOf[row].Start, KeyOf[row].Length);
  }
};

// Where the system could not make a key, all rows fall back together to
// the window-free order of their texts: keys of two kinds do not compare.
void UseTextKeys(RowTable& t) {
  t.Keys.clear();
  for (size_t i = 0; i < t.Rows.size(); ++i) {
    const std::string key = SortKey(t.Rows[i].Text);
    t.KeyOf[i] = {t.Keys.size(), key.size()};
    t.Keys += key;
  }
}

RowTable ReadRows(const std::string& dir, const std::string& mask, TFileType filter,
                  const std::function<void()>& busy) {
  RowTable t;
  const std::vector<std::string> patterns = MaskPatterns(mask);
  if (patterns.empty()) return t;
  const std::wstring folder = AnsiToWide(dir);
  FoundEntries found;
  // The short aliases are wanted only where names may be out of the code page.
  const bool shortNames = !CodePageIsUtf8();
  // A folder that cannot be read (gone meanwhile) lists nothing.
  ReadFolder(folder, shortNames, [&found, filter](const TFolderEntry& e) {
    if (IsListed(e.Attributes, filter)) found.Add(e);
  });

  std::vector<size_t> rowOf(found.Entries.size(), SIZE_MAX);  // the first row of each entry
  t.Rows.reserve(found.Entries.size());
  t.KeyOf.reserve(found.Entries.size());
  t.Keys.reserve(found.Entries.size() * 40);
  bool keysMissing = false;
  bool busyShown = false;
  for (const std::string& pattern : patterns) {
    const std::wstring widePattern = AnsiToWide(pattern);
    const TNameMask m(AsUtf16(widePattern), SystemCaseFold());
    for (size_t i = 0; i < found.Entries.size(); ++i) {
      const FoundEntries::Entry& f = found.Entries[i];
      const std::wstring_view name = found.Name(f);
      if (!m.MatchesEverything() && !m.Matches(AsUtf16(name))) continue;
      if (rowOf[i] != SIZE_MAX) {
        // Found again: listed again, converted once.
        const size_t first = rowOf[i];
        t.Rows.push_back(t.Rows[first]);
        t.KeyOf.push_back(t.KeyOf[first]);
        t.Directory.push_back(t.Directory[first]);
      } else {
        rowOf[i] = t.Rows.size();
        const bool directory = (f.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const size_t start = t.Keys.size();
        t.Rows.emplace_back();
        if (!MakeRowInto(folder, name, found.Short(f), directory, true, t.Rows.back(), t.Keys))
          keysMissing = true;
        t.KeyOf.push_back({start, t.Keys.size() - start});
        t.Directory.push_back(directory);
      }
      if (!busyShown && t.Rows.size() >= kBusyCursorEntry) {
        busyShown = true;
        if (busy) busy();
      }
    }
  }
  if (keysMissing) UseTextKeys(t);
  return t;
}

// The rows' order: by key, rows with equal keys in the order found (a
// stable sort). The system mostly reports names in an order of their own
// without case that is close to this one, save for the directories, which
// sort by their bracket: directories and files are ordered apart, each
// part as found when it is in order already (a look at each neighbour
// instead of a sort), and the two merged.
std::vector<size_t> RowOrder(const RowTable& t) {
  const auto byKey = [&t](size_t a, size_t b) { return t.Key(a) < t.Key(b); };
  std::vector<size_t> dirs, files;
  for (size_t i = 0; i < t.Rows.size(); ++i) (t.Directory[i] ? dirs : files).push_back(i);
  for (std::vector<size_t>* part : {&dirs, &files})
    if (!std::is_sorted(part->begin(), part->end(), byKey))
      std::stable_sort(part->begin(), part->end(), byKey);
  // Equal keys of the two parts keep the order found, as in one stable sort.
  std::vector<size_t> order(t.Rows.size());
  std::merge(dirs.begin(), dirs.end(), files.begin(), files.end(), order.begin(),
             [&t](size_t a, size_t b) {
               const int c = t.Key(a).compare(t.Key(b));
               return c < 0 || (c == 0 && a < b);
             });
  return order;
}
}  // namespace

std::vector<TListedEntry> ListFiles(const std::string& dir, const std::string& mask,
                                    TFileType filter, const std::function<void()>& busy) {
  RowTable t = ReadRows(dir, mask, filter, busy);
  std::vector<TListedEntry> out;
  out.reserve(t.Rows.size());
  for (size_t i : RowOrder(t)) {
    out.push_back(std::move(t.Rows[i]));
    out.back().Key = std::string(t.Key(i));
  }
  return out;
}

TFileRows ListFileRows(const std::string& dir, const std::string& mask, TFileType filter,
                       const std::function<void()>& busy) {
  RowTable t = ReadRows(dir, mask, filter, busy);
  TFileRows out;
  out.Texts.reserve(t.Rows.size());
  out.Glyphs.reserve(t.Rows.size());
  out.Exact.reserve(t.Rows.size());
  for (size_t i : RowOrder(t)) {
    out.Texts.push_back(std::move(t.Rows[i].Text));
    out.Glyphs.push_back(t.Rows[i].Glyph);
    out.Exact.push_back(t.Rows[i].Exact);
  }
  return out;
}

std::vector<TListedEntry> ListSubdirectories(const std::string& dir) {
  std::vector<TListedEntry> out;
  const std::wstring folder = AnsiToWide(dir);
  ReadFolder(folder, !CodePageIsUtf8(), [&](const TFolderEntry& e) {
    const DWORD a = e.Attributes;
    if (!(a & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(e.Name)) return;
    if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return;
    out.push_back(MakeRow(folder, e.Name, e.ShortName, true, false));
  });
  EnsureKeys(out);
  return out;
}

bool VolumePreservesCase(const std::string& path) {
  std::string root = SplitDirectoryPath(path).Root;
  if (root.empty()) return false;
  CriticalErrorsOff quiet;
  DWORD flags = 0;
  if (!GetVolumeInformationW(AnsiToWide(root).c_str(), nullptr, 0, nullptr, nullptr, &flags,
                             nullptr, 0))
    return false;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}
