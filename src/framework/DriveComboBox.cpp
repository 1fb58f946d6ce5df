// TDriveComboBox: the logical drives in an owner-drawn drop-down list.
#include <windows.h>

#include <winnetwk.h>

#include "framework/Bitmap.h"
#include "framework/FileCtrl.h"
#include "framework/FileListing.h"
#include "framework/Forms.h"

namespace {
constexpr int kRowHeight = 16;
constexpr int kDropDownRows = 8;
constexpr int kListBorder = 2;

TDriveKind KindOf(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE: return dkRemovable;
    case DRIVE_FIXED: return dkFixed;
    case DRIVE_REMOTE: return dkNetwork;
    case DRIVE_CDROM: return dkCDROM;
    case DRIVE_RAMDISK: return dkRAM;
    default: return dkUnknown;
  }
}

std::string VolumeLabel(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  char label[MAX_PATH + 1] = "";
  // An empty CD drive answers with a failure instead of asking for a disc.
  CriticalErrorsOff quiet;
  if (!GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
    return {};
  return label;
}

std::string NetworkName(char letter) {
  const char local[] = {letter, ':', '\0'};
  char remote[MAX_PATH * 2] = "";
  DWORD size = sizeof remote;
  if (WNetGetConnectionA(local, remote, &size) != NO_ERROR) return {};
  return remote;
}

const char* GlyphName(char letter, TDriveKind kind) {
  switch (kind) {
    case dkRemovable: return letter == 'A' || letter == 'B' ? "DRIVE_FLOPPY" : "DRIVE_REMOVABLE";
    case dkNetwork: return "DRIVE_NET";
    case dkCDROM: return "DRIVE_CDROM";
    case dkRAM: return "DRIVE_RAM";
    default: return "DRIVE_FIXED";
  }
}

char CurrentDrive() { return DriveOfPath(CurrentDirectoryAnsi()); }
}  // namespace

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 22);
  // The system control makes its own clicks.
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csDoubleClicks));
  FDrive = CurrentDrive();
  BuildList();
}

void TDriveComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "COMBOBOX";
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  p.Style |= WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  // A combo box's window height includes its dropped list.
  p.Height = Height() + kDropDownRows * kRowHeight + kListBorder;
}

void TDriveComboBox::SetBounds(int l, int t, int w, int h) {
  TWinControl::SetBounds(l, t, w, h);
  // The object keeps the closed height; the window takes the list's too,
  // and the combo box reports the closed height back through WM_SIZE.
  if (HWND wnd = HandleIfAllocated())
    SetWindowPos(wnd, nullptr, 0, 0, Width(), Height() + kDropDownRows * kRowHeight + kListBorder,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TDriveComboBox::WantsKey(WORD key) {
  HWND h = HandleIfAllocated();
  if (h && (key == VK_RETURN || key == VK_ESCAPE) && SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0))
    return true;
  return TWinControl::WantsKey(key);
}

void TDriveComboBox::HandleCreated() {
  HWND h = HandleIfAllocated();
  SendMessageA(h, CB_RESETCONTENT, 0, 0);
  for (const TDriveEntry& d : FDrives)
    SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.Text.c_str()));
  SelectDriveEntry();
}

void TDriveComboBox::BuildList() {
  std::vector<TDriveEntry> drives;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char letter = static_cast<char>('A' + i);
    const char root[] = {letter, ':', '\\', '\0'};
    TDriveKind kind = KindOf(GetDriveTypeA(root));
    // Removable media are not touched: asking a floppy drive for its label
    // spins it up, or fails slowly without a disk.
    std::string extra = kind == dkNetwork ? NetworkName(letter)
                        : kind == dkRemovable ? std::string()
                                              : VolumeLabel(letter);
    drives.push_back({letter, kind, DriveEntryText(letter, kind, extra)});
  }
  FDrives = std::move(drives);
  if (HandleAllocated()) HandleCreated();
}

std::vector<std::string> TDriveComboBox::EntryTexts() const {
  std::vector<std::string> out;
  for (const TDriveEntry& d : FDrives) out.push_back(d.Text);
  return out;
}

void TDriveComboBox::SetDrive(char value) {
  char d = DriveOfPath(std::string{value, ':'});
  if (!d) RaiseInOutError(ERROR_INVALID_DRIVE);
  if (FDirList) {
    // The list changes first; if the drive cannot be entered it raises and
    // this box keeps its drive.
    FDirList->SetDrive(d);
    DirectoryDriveChanged(FDirList->Drive());
    return;
  }
  DirectoryDriveChanged(d);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* value) {
  if (value == FDirList) return;
  if (FDirList && FDirList->FDriveCombo == this) FDirList->FDriveCombo = nullptr;
  FDirList = value;
  if (!value) return;
  FreeNotification(value);
  value->FDriveCombo = this;
  DirectoryDriveChanged(value->Drive());
}

void TDriveComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDirList) FDirList = nullptr;
}

void TDriveComboBox::DirectoryDriveChanged(char drive) {
  bool changed = drive && drive != FDrive;
  if (changed) FDrive = drive;
  bool listed = false;
  for (const TDriveEntry& d : FDrives) listed = listed || d.Letter == FDrive;
  // A drive that came after the list was read (a new network connection):
  // read the drives again, which selects the entry too.
  if (FDrive && !listed) BuildList();
  else SelectDriveEntry();
  if (changed) Change();
}

void TDriveComboBox::SelectDriveEntry() {
  int index = -1;
  for (size_t i = 0; i < FDrives.size(); ++i)
    if (FDrives[i].Letter == FDrive) index = static_cast<int>(i);
  if (HWND h = HandleIfAllocated()) SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDriveComboBox::ApplySelection() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  int index = static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
  if (index < 0 || static_cast<size_t>(index) >= FDrives.size()) return;
  char letter = FDrives[static_cast<size_t>(index)].Letter;
  if (letter == FDrive) return;
  try {
    SetDrive(letter);
  } catch (const std::exception& e) {
    // Back to the drive the panes still show, then the error box.
    SelectDriveEntry();
    if (Application) Application->HandleException(e);
  }
}

bool TDriveComboBox::WMCommandNotify(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: {
      HWND h = HandleIfAllocated();
      bool dropped = h && SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0);
      switch (HIWORD(m.WParam)) {
        case CBN_DROPDOWN:
          BuildList();
          break;
        case CBN_SELCHANGE:
        case CBN_SELENDOK:
          // While the list is open the choice is only applied when it
          // closes, so that no error box appears over an open list and
          // browsing with the arrow keys does not change drives.
          if (dropped) FApplyOnCloseUp = true;
          else ApplySelection();
          break;
        case CBN_SELENDCANCEL:
          FApplyOnCloseUp = false;
          SelectDriveEntry();
          break;
        case CBN_CLOSEUP:
          if (FApplyOnCloseUp) {
            FApplyOnCloseUp = false;
            ApplySelection();
          }
          break;
        default:
          return false;
      }
      return true;
    }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = kRowHeight;
      m.Result = TRUE;
      return true;
    case CN_DRAWITEM:
      DrawEntry(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return true;
    default:
      return false;
  }
}

void TDriveComboBox::DrawEntry(const DRAWITEMSTRUCT& d) {
  SavedDC saved(d.hDC);
  TCanvas c;
  c.SetHandle(d.hDC);
  c.Font()->Assign(*Font());
  bool selected = (d.itemState & ODS_SELECTED) != 0;
  c.Brush()->SetColor(selected ? clHighlight : Color());
  if (selected) c.Font()->SetColor(clHighlightText);
  TRect r = d.rcItem;
  c.FillRect(r);
  int index = static_cast<int>(d.itemID);
  if (index >= 0 && static_cast<size_t>(index) < FDrives.size()) {
    const TDriveEntry& e = FDrives[static_cast<size_t>(index)];
    if (const TCachedGlyph* g = FileCtrlGlyph(GlyphName(e.Letter, e.Kind), Dpi()))
      g->Draw(d.hDC, r.left + 2, r.top + (r.Height() - g->Height()) / 2);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(r.left + 22, r.top + (r.Height() - c.TextHeight(e.Text)) / 2, e.Text);
  }
  if (d.itemState & ODS_FOCUS) c.DrawFocusRect(r);
  c.SetHandle(nullptr);
}

void TDriveComboBox::Change() {
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}
