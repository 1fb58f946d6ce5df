// TFileListBox: the entries of a directory that match a mask and an
// attribute filter.
#include "framework/FileCtrl.h"
#include "framework/FileListing.h"
#include "framework/Forms.h"

namespace {
// Shows the hourglass on request and puts the previous cursor back at the
// end of the scope, also when the listing is interrupted by an error.
class BusyCursor {
 public:
  BusyCursor() = default;
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor() {
    if (FShown && Screen) Screen->SetCursor(FPrevious);
  }
  void Show() {
    if (FShown || !Screen) return;
    FPrevious = Screen->Cursor();
    FShown = true;
    Screen->SetCursor(crHourGlass);
  }

 private:
  bool FShown = false;
  TCursor FPrevious = crDefault;
};

// Sets a flag for the scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { FFlag = false; }

 private:
  bool& FFlag;
};

std::string FullPathOf(const std::string& dir) {
  // Sized by the system: a path of names in other alphabets takes two to
  // four bytes a character.
  DWORD size = GetFullPathNameA(dir.c_str(), 0, nullptr, nullptr);
  if (size == 0) return dir;
  std::string full(size, '\0');
  DWORD n = GetFullPathNameA(dir.c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return dir;
  full.resize(n);
  // "C:\x\" and "C:\x" are the same directory; the root keeps its backslash.
  if (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  return full;
}
}  // namespace

TFileListBox::TFileListBox(TComponent* AOwner) : TGlyphListBox(AOwner) {
  FDirectory = CurrentDirectoryAnsi();
  if (!IsLoading()) ReadFileNames();
}

void TFileListBox::Loaded() {
  TGlyphListBox::Loaded();
  ReadFileNames();
}

void TFileListBox::SetDirectory(const std::string& value) {
  std::string full = FullPathOf(value);
  if (full == FDirectory) return;
  FDirectory = full;
  if (!IsLoading()) ReadFileNames();
}

void TFileListBox::SetMask(const std::string& value) {
  if (value == FMask) return;
  FMask = value;
  if (!IsLoading()) ReadFileNames();
}

void TFileListBox::SetFileType(TFileType value) {
  if (value == FFileType) return;
  FFileType = value;
  if (!IsLoading()) ReadFileNames();
}

void TFileListBox::SetShowGlyphs(bool value) {
  if (value == FShowGlyphs) return;
  FShowGlyphs = value;
  Invalidate();
}

std::string TFileListBox::FileName() const {
  int i = ItemIndex();
  if (i < 0 || i >= FItems.Count()) return {};
  return JoinPath(FDirectory, FItems[i]);
}

void TFileListBox::Update() { ReadFileNames(); }

TFileGlyph TFileListBox::RowKind(int index) const {
  // Rows the program added itself have no listing glyph: judge by text.
  return static_cast<size_t>(FItems.Count()) == FGlyphs.size()
             ? FGlyphs[static_cast<size_t>(index)]
             : GlyphForListedText(FItems[index]);
}

bool TFileListBox::IsDirectoryRow(int index) const {
  return index >= 0 && index < FItems.Count() && RowKind(index) == fgFolder;
}

bool TFileListBox::IsExactRow(int index) const {
  if (index < 0 || index >= FItems.Count()) return false;
  return static_cast<size_t>(FItems.Count()) != FExact.size() || FExact[static_cast<size_t>(index)];
}

void TFileListBox::ReadFileNames() {
  {
    FlagScope listing(FListing);
    BusyCursor busy;
    TFileRows rows = ListFileRows(FDirectory, FMask, FFileType, [&busy] { busy.Show(); });
    FGlyphs = std::move(rows.Glyphs);
    FExact = std::move(rows.Exact);
    SetRows(std::move(rows.Texts), -1);
  }
  Change();
}

void TFileListBox::SelectionChanged() {
  // A new listing reports once, after it is complete.
  if (!FListing) TGlyphListBox::SelectionChanged();
}

void TFileListBox::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

void TFileListBox::DrawItem(int index, const TRect& rect, UINT) {
  if (index < 0 || index >= FItems.Count()) {
    Canvas()->FillRect(rect);
    return;
  }
  const std::string& text = FItems[index];
  const TCachedGlyph* glyph = nullptr;
  if (FShowGlyphs) {
    const TFileGlyph kind = RowKind(index);
    glyph = FileCtrlGlyph(kind == fgFolder ? "FOLDER_CLOSED" : kind == fgExecutable ? "FILE_EXE"
                                                                              : "FILE_DOC",
                          Dpi());
  }
  DrawRow(rect, 0, glyph, text, FShowGlyphs);
}
