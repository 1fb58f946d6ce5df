// TDirectoryListBox: the path down to the shown directory and its
// subdirectories; its directory is the process's current directory.
#include "framework/FileCtrl.h"
#include "framework/FileListing.h"
#include "framework/FolderReader.h"

namespace {
bool DirectoryExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The system keeps one current directory per process; the directory of each
// other drive lives in the environment variable "=X:", which is what a bare
// "X:" resolves to. Keeping it up to date lets a drive change return to the
// directory last shown on that drive.
void RememberDriveDirectory(const std::string& full) {
  char drive = DriveOfPath(full);
  if (!drive) return;
  const char name[] = {'=', drive, ':', '\0'};
  SetEnvironmentVariableA(name, full.c_str());
}

std::string DisplayName(const std::string& name, bool lowerCase) {
  if (!lowerCase) return name;
  // Lowered in wide form: an 8-bit lowering would take a multi-byte
  // character's bytes one by one.
  std::wstring w = AnsiToWide(name);
  CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
  bool lossy = false;
  std::string s = WideToAnsi(w, &lossy);
  return lossy ? name : s;
}

const char* GlyphName(TDirGlyph g) {
  switch (g) {
    case dgOpen: return "FOLDER_OPEN";
    case dgCurrent: return "FOLDER_CURRENT";
    default: return "FOLDER_CLOSED";
  }
}
}  // namespace

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner) : TGlyphListBox(AOwner) {
  FDirectory = CurrentDirectoryAnsi();
  if (!IsLoading()) BuildList();
}

void TDirectoryListBox::Loaded() {
  TGlyphListBox::Loaded();
  {
    TFolderReadSharing readOnce;  // the file list lists what this list read
    BuildList();
    if (FFileList) FFileList->SetDirectory(FDirectory);
  }
  if (FDriveCombo) FDriveCombo->DirectoryDriveChanged(Drive());
}

void TDirectoryListBox::SetDirectory(const std::string& value) {
  // Relative names mean relative to the shown directory. Something else
  // (a file dialog, say) may have moved the current directory meanwhile, so
  // go back there first; if that fails, the name resolves from wherever the
  // process is.
  if (!FDirectory.empty() && !IsFullyQualified(value)) SetCurrentDirectoryA(FDirectory.c_str());
  if (!SetCurrentDirectoryA(value.c_str())) RaiseInOutError(GetLastError());
  std::string full = CurrentDirectoryAnsi();
  RememberDriveDirectory(full);
  if (full == FDirectory) return;
  FDirectory = full;
  if (IsLoading()) return;  // Loaded builds the rows
  {
    TFolderReadSharing readOnce;  // the file list lists what this list read
    BuildList();
    if (FFileList) FFileList->SetDirectory(FDirectory);
  }
  if (FDriveCombo) FDriveCombo->DirectoryDriveChanged(Drive());
  Change();
}

char TDirectoryListBox::Drive() const { return DriveOfPath(FDirectory); }

void TDirectoryListBox::SetDrive(char value) {
  char d = DriveOfPath(std::string{value, ':'});
  if (!d) RaiseInOutError(ERROR_INVALID_DRIVE);
  if (d == Drive()) return;
  SetDirectory(std::string{d, ':'});
}

void TDirectoryListBox::SetFileList(TFileListBox* value) {
  if (value == FFileList) return;
  FFileList = value;
  if (!value) return;
  FreeNotification(value);
  if (!IsLoading()) value->SetDirectory(FDirectory);
}

void TDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TGlyphListBox::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FFileList) FFileList = nullptr;
  if (AComponent == FDriveCombo) FDriveCombo = nullptr;
}

void TDirectoryListBox::Update() {
  if (!DirectoryExists(FDirectory)) {
    // The shown directory was removed from outside (or its medium taken
    // out): move to the nearest parent that can still be entered, which
    // keeps the current directory, the rows and the file list in step.
    for (std::string p = ParentDirectory(FDirectory); !p.empty(); p = ParentDirectory(p)) {
      if (!DirectoryExists(p)) continue;
      try {
        SetDirectory(p);
        return;
      } catch (const EInOutError&) {
        // Not enterable either: try the next one up.
      }
    }
  }
  BuildList();
}

void TDirectoryListBox::BuildList() {
  std::vector<TDirEntry> rows = BuildDirectoryEntries(FDirectory, ListSubdirectories(FDirectory));
  bool lowerCase = !VolumePreservesCase(FDirectory);
  std::vector<std::string> texts;
  texts.reserve(rows.size());
  for (const TDirEntry& r : rows) texts.push_back(DisplayName(r.Name, lowerCase));
  FRows = std::move(rows);
  SetRows(std::move(texts), CurrentRow());
}

int TDirectoryListBox::CurrentRow() const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].Glyph == dgCurrent) return static_cast<int>(i);
  return -1;
}

std::string TDirectoryListBox::GetItemPath(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= FRows.size()) return {};
  return FRows[static_cast<size_t>(index)].Path;
}

bool TDirectoryListBox::IsExactRow(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= FRows.size()) return false;
  return FRows[static_cast<size_t>(index)].Exact;
}

int TDirectoryListBox::RowIndent(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= FRows.size()) return 0;
  return FRows[static_cast<size_t>(index)].Level * kDirIndentPerLevel;
}

TDirGlyph TDirectoryListBox::RowGlyph(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= FRows.size()) return dgClosed;
  return FRows[static_cast<size_t>(index)].Glyph;
}

void TDirectoryListBox::OpenCurrent() {
  int i = ItemIndex();
  if (i < 0 || static_cast<size_t>(i) >= FRows.size()) return;
  try {
    if (!FRows[static_cast<size_t>(i)].Exact) RaiseInOutError(ERROR_INVALID_NAME);
    SetDirectory(FRows[static_cast<size_t>(i)].Path);
  } catch (...) {
    SelectRow(CurrentRow());
    throw;
  }
  // Entering the shown directory itself changes nothing, the row stays.
}

bool TDirectoryListBox::WantsKey(WORD key) {
  return key == VK_RETURN || TGlyphListBox::WantsKey(key);
}

bool TDirectoryListBox::DoKeyPress(wchar_t& key) {
  if (TGlyphListBox::DoKeyPress(key)) return true;
  if (key != '\r') return false;
  key = 0;
  OpenCurrent();
  return true;
}

void TDirectoryListBox::DblClick() {
  OpenCurrent();
  if (!IsDestroying()) TGlyphListBox::DblClick();
}

void TDirectoryListBox::SelectionChanged() {
  // A selection alone is no change of directory: OnChange waits for one.
}

void TDirectoryListBox::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

void TDirectoryListBox::DrawItem(int index, const TRect& rect, UINT) {
  if (index < 0 || index >= FItems.Count()) {
    Canvas()->FillRect(rect);
    return;
  }
  bool known = static_cast<size_t>(FItems.Count()) == FRows.size();
  int indent = known ? RowIndent(index) : 0;
  const TCachedGlyph* glyph = FileCtrlGlyph(GlyphName(known ? RowGlyph(index) : dgClosed), Dpi());
  DrawRow(rect, indent, glyph, FItems[index]);
}
