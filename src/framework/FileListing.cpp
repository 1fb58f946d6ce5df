#include "framework/FileListing.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
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
// The rows of a listing in the order found, a column each, their sort keys
// all in one string.
class RowTable {
 public:
  explicit RowTable(const std::wstring& folder) : FFolder(folder) {}

  size_t Count() const { return Texts.size(); }
  std::string_view Key(size_t row) const {
    return std::string_view(FKeys).substr(FKeyOf[row].Start, FKeyOf[row].Length);
  }
  bool IsDirectory(size_t row) const { return Glyphs[row] == fgFolder; }
  void Reserve(size_t n) {
    Texts.reserve(n);
    Glyphs.reserve(n);
    Exact.reserve(n);
    FKeyOf.reserve(n);
    FKeys.reserve(n * 40);  // a plain name of 15 characters takes 35 bytes
  }
  // A row for an entry found; its number.
  size_t Add(std::wstring_view name, std::wstring_view shortName, DWORD attributes) {
    TListedEntry e;
    const size_t start = FKeys.size();
    if (!MakeRowInto(FFolder, name, shortName, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, true,
                     e, FKeys))
      FKeysMissing = true;
    Texts.push_back(std::move(e.Text));
    Glyphs.push_back(e.Glyph);
    Exact.push_back(e.Exact);
    FKeyOf.push_back(
        {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(FKeys.size() - start)});
    return Count() - 1;
  }
  // An entry found again: listed again, converted once.
  void Repeat(size_t row) {
    Texts.push_back(Texts[row]);
    Glyphs.push_back(Glyphs[row]);
    Exact.push_back(Exact[row]);
    FKeyOf.push_back(FKeyOf[row]);
  }
  // Where the system could not make a key, all rows fall back together to
  // the window-free order of their texts: keys of two kinds do not compare.
  void EnsureKeys() {
    if (!FKeysMissing) return;
    FKeys.clear();
    for (size_t i = 0; i < Count(); ++i) {
      const std::string key = SortKey(Texts[i]);
      FKeyOf[i] = {static_cast<std::uint32_t>(FKeys.size()), static_cast<std::uint32_t>(key.size())};
      FKeys += key;
    }
    FKeysMissing = false;
  }

  std::vector<std::string> Texts;
  std::vector<TFileGlyph> Glyphs;
  std::vector<bool> Exact;

 private:
  // 32-bit places: every byte a row takes is memory the listing touches
  // for the first time, which costs more than the work done on it.
  struct KeyPlace {
    std::uint32_t Start, Length;
  };
  const std::wstring& FFolder;
  std::string FKeys;
  std::vector<KeyPlace> FKeyOf;
  bool FKeysMissing = false;
};

// Makes the rows of the entries handed to it, in the order handed, on a
// second thread while the caller reads on: reading a big folder is the
// system's work, and the rows are made meanwhile on the other core instead
// of afterwards. Entries come in batches; a folder smaller than one batch
// has its rows made by the caller, with no thread.
class RowMaker {
 public:
  static constexpr size_t kBatch = 4096;

  explicit RowMaker(RowTable& t) : FTable(t), FBatch(std::make_unique<TFolderEntries>()) {}
  RowMaker(const RowMaker&) = delete;
  RowMaker& operator=(const RowMaker&) = delete;
  // An unfinished listing (an exception while reading) lets the thread go
  // without its rows.
  ~RowMaker() {
    if (!FThread.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      FQueue.clear();
      FDone = true;
    }
    FChanged.notify_all();
    FThread.join();
  }

  void Add(const TFolderEntry& e) {
    FBatch->Add(e);
    if (FBatch->Count() < kBatch) return;
    if (!FThread.joinable() && !FAlone) {
      try {
        FThread = std::thread([this] { Run(); });
      } catch (const std::system_error&) {
        FAlone = true;  // no thread to be had: the rows are made here
      }
    }
    if (FAlone) {
      MakeRows(*FBatch);
      FBatch->Clear();
      return;
    }
    std::unique_ptr<TFolderEntries> next;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      if (FFailure) {
        // The thread has given up; Finish reports why. Nothing more is kept.
        FBatch->Clear();
        return;
      }
      FQueue.push_back(std::move(FBatch));
      if (!FSpare.empty()) {
        next = std::move(FSpare.back());
        FSpare.pop_back();
      }
    }
    FChanged.notify_all();
    FBatch = next ? std::move(next) : std::make_unique<TFolderEntries>();
  }

  // The rows of every entry handed over are made; a failure of the thread
  // is raised here.
  void Finish() {
    if (FThread.joinable()) {
      {
        std::lock_guard<std::mutex> lock(FMutex);
        FQueue.push_back(std::move(FBatch));
        FDone = true;
      }
      FChanged.notify_all();
      FThread.join();
      if (FFailure) std::rethrow_exception(FFailure);
    } else {
      MakeRows(*FBatch);
    }
  }

 private:
  void MakeRows(const TFolderEntries& batch) {
    batch.HandOver([this](const TFolderEntry& e) { FTable.Add(e.Name, e.ShortName, e.Attributes); });
  }
  void Run() {
    try {
      for (;;) {
        std::unique_ptr<TFolderEntries> batch;
        {
          std::unique_lock<std::mutex> lock(FMutex);
          FChanged.wait(lock, [this] { return !FQueue.empty() || FDone; });
          if (FQueue.empty()) return;
          batch = std::move(FQueue.front());
          FQueue.pop_front();
        }
        MakeRows(*batch);
        batch->Clear();  // its memory serves the next batch read
        std::lock_guard<std::mutex> lock(FMutex);
        FSpare.push_back(std::move(batch));
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(FMutex);
      FFailure = std::current_exception();
      FQueue.clear();
    }
  }

  RowTable& FTable;  // the thread's alone until it has ended
  std::unique_ptr<TFolderEntries> FBatch;
  std::thread FThread;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::deque<std::unique_ptr<TFolderEntries>> FQueue;
  std::vector<std::unique_ptr<TFolderEntries>> FSpare;
  bool FDone = false;
  bool FAlone = false;
  std::exception_ptr FFailure;
};

void ReadRows(RowTable& t, const std::wstring& folder, const std::string& mask, TFileType filter,
              const std::function<void()>& busy) {
  const std::vector<std::string> patterns = MaskPatterns(mask);
  if (patterns.empty()) return;
  // The short aliases are wanted only where names may be out of the code page.
  const bool shortNames = !CodePageIsUtf8();
  std::vector<TNameMask> masks;
  std::vector<std::wstring> widePatterns;
  for (const std::string& p : patterns) widePatterns.push_back(AnsiToWide(p));
  for (const std::wstring& p : widePatterns) masks.emplace_back(AsUtf16(p), SystemCaseFold());
  const auto matches = [](const TNameMask& m, std::wstring_view name) {
    return m.MatchesEverything() || m.Matches(AsUtf16(name));
  };
  size_t rows = 0;
  const auto counted = [&rows, &busy] {
    if (++rows == kBusyCursorEntry && busy) busy();
  };
  // A folder that cannot be read (gone meanwhile) lists nothing.
  if (masks.size() == 1) {
    // One pattern (mostly "*.*"): every entry it finds is a row of its own.
    RowMaker maker(t);
    ReadFolder(folder, shortNames, [&](const TFolderEntry& e) {
      if (!IsListed(e.Attributes, filter) || !matches(masks[0], e.Name)) return;
      maker.Add(e);
      counted();
    });
    maker.Finish();
    t.EnsureKeys();
    return;
  }
  // Several: the folder is read once, its entries kept in one pool, and
  // each pattern is matched in turn.
  TFolderEntries found;
  ReadFolder(folder, shortNames, [&found, filter](const TFolderEntry& e) {
    if (IsListed(e.Attributes, filter)) found.Add(e);
  });
  std::vector<size_t> rowOf(found.Count(), SIZE_MAX);  // the first row of each entry
  t.Reserve(found.Count());
  for (const TNameMask& m : masks) {
    for (size_t i = 0; i < found.Count(); ++i) {
      const TFolderEntry f = found.At(i);
      if (!matches(m, f.Name)) continue;
      if (rowOf[i] != SIZE_MAX)
        t.Repeat(rowOf[i]);
      else
        rowOf[i] = t.Add(f.Name, f.ShortName, f.Attributes);
      counted();
    }
  }
  t.EnsureKeys();
}

// The rows' order: by key, rows with equal keys in the order found (a
// stable sort). The system mostly reports names in an order of their own
// without case that is close to this one, save for the directories, which
// sort by their bracket: directories and files are ordered apart, each
// part as found when it is in order already (a look at each neighbour
// instead of a sort), and the two merged.
std::vector<std::uint32_t> RowOrder(const RowTable& t) {
  const auto byKey = [&t](std::uint32_t a, std::uint32_t b) { return t.Key(a) < t.Key(b); };
  std::vector<std::uint32_t> dirs, files;
  files.reserve(t.Count());
  for (std::uint32_t i = 0; i < t.Count(); ++i) (t.IsDirectory(i) ? dirs : files).push_back(i);
  for (std::vector<std::uint32_t>* part : {&dirs, &files})
    if (!std::is_sorted(part->begin(), part->end(), byKey))
      std::stable_sort(part->begin(), part->end(), byKey);
  // Equal keys of the two parts keep the order found, as in one stable sort.
  std::vector<std::uint32_t> order(t.Count());
  std::merge(dirs.begin(), dirs.end(), files.begin(), files.end(), order.begin(),
             [&t](std::uint32_t a, std::uint32_t b) {
               const int c = t.Key(a).compare(t.Key(b));
               return c < 0 || (c == 0 && a < b);
             });
  return order;
}

// Puts the texts in the order given (order[k]: the row that goes to place
// k), in place, cycle by cycle; the order is used up.
void PutInOrder(std::vector<std::string>& texts, std::vector<std::uint32_t>& order) {
  for (std::uint32_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    std::string first = std::move(texts[start]);
    std::uint32_t place = start;
    while (order[place] != start) {
      const std::uint32_t from = order[place];
      texts[place] = std::move(texts[from]);
      order[place] = place;
      place = from;
    }
    texts[place] = std::move(first);
    order[place] = place;
  }
}
}  // namespace

std::vector<TListedEntry> ListFiles(const std::string& dir, const std::string& mask,
                                    TFileType filter, const std::function<void()>& busy) {
  const std::wstring folder = AnsiToWide(dir);
  RowTable t(folder);
  ReadRows(t, folder, mask, filter, busy);
  std::vector<TListedEntry> out;
  out.reserve(t.Count());
  for (std::uint32_t i : RowOrder(t))
    out.push_back({std::move(t.Texts[i]), std::string(t.Key(i)), t.Glyphs[i], t.Exact[i]});
  return out;
}

TFileRows ListFileRows(const std::string& dir, const std::string& mask, TFileType filter,
                       const std::function<void()>& busy) {
  const std::wstring folder = AnsiToWide(dir);
  RowTable t(folder);
  ReadRows(t, folder, mask, filter, busy);
  std::vector<std::uint32_t> order = RowOrder(t);
  TFileRows out;
  out.Glyphs.reserve(t.Count());
  out.Exact.reserve(t.Count());
  for (std::uint32_t i : order) {
    out.Glyphs.push_back(t.Glyphs[i]);
    out.Exact.push_back(t.Exact[i]);
  }
  PutInOrder(t.Texts, order);
  out.Texts = std::move(t.Texts);
  return out;
}

std::vector<std::string> ListNamesBeginningWith(const std::string& dir, const std::string& prefix,
                                                TFileType filter,
                                                const std::atomic<bool>* cancelled) {
  const std::wstring folder = AnsiToWide(dir);
  const std::wstring widePrefix = AnsiToWide(prefix);
  const TCaseFold& fold = SystemCaseFold();
  RowTable t(folder);
  // Compared on the wide names as found: only the matches are converted
  // and keyed, which in a big folder is a small part of its entries.
  ReadFolder(folder, !CodePageIsUtf8(), [&](const TFolderEntry& e) {
    if (cancelled && cancelled->load(std::memory_order_relaxed)) return;
    if (IsDotEntry(e.Name) || !IsListed(e.Attributes, filter)) return;
    if (fold.BeginsWith(AsUtf16(e.Name), AsUtf16(widePrefix))) t.Add(e.Name, e.ShortName, e.Attributes);
  });
  if (cancelled && cancelled->load()) return {};
  t.EnsureKeys();
  std::vector<std::string> names;
  for (std::uint32_t i : RowOrder(t)) {
    if (!t.Exact[i]) continue;
    std::string& text = t.Texts[i];
    names.push_back(t.IsDirectory(i) ? text.substr(1, text.size() - 2) : std::move(text));
  }
  return names;
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
