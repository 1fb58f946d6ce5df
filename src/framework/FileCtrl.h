// The drive box, directory list and file list, linked so that each follows
// the one before it. The directory list's directory is at all times the
// process's current directory: programs started without a directory of
// their own, and names typed relative to it, refer to what the panes show.
//
// Both lists keep their rows themselves; their windows hold only the number
// of rows (LBS_NODATA), so that a directory of 100,000 files is shown with a
// single message instead of one per entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/FileRules.h"
#include "framework/StdCtrls.h"

class TDirectoryListBox;
class TFileListBox;

// The 16x16 glyphs of the three controls, by resource name ("FOLDER_OPEN",
// "DRIVE_FIXED", ...), loaded once and drawn transparent; nullptr when the
// resource is missing, and the row is drawn without it.
// A glyph of the file panes with its transparency mask made once: the lists
// draw one per visible row, and making the mask anew each time would cost
// more than the rest of the row.
class TCachedGlyph {
 public:
  TCachedGlyph() = default;
  TCachedGlyph(const TCachedGlyph&) = delete;
  TCachedGlyph& operator=(const TCachedGlyph&) = delete;
  // False when there is no such picture. dpi: the scale it is drawn at.
  bool Load(const char* resourceName, int dpi);
  // Draws the picture at its own size; its bottom-left colour stays unpainted.
  void Draw(HDC dc, int x, int y) const;
  int Height() const { return FPicture.Height(); }

 private:
  // Declared in the order of making: the selections go back before the
  // device contexts go, and those before the pictures.
  TBitmap FPicture;
  GdiBitmap FMask;
  MemoryDC FPictureDC, FMaskDC;
  std::optional<SelectedObject> FPictureSelected, FMaskSelected;
};

// The glyph of a resource name at a scale, loaded on first use; nullptr
// when missing.
const TCachedGlyph* FileCtrlGlyph(const char* resourceName, int dpi);

// The common part of the two lists: owner-drawn rows of 16 pixels with a
// glyph, kept in Items() and drawn from there, type-ahead by first letter.
class TGlyphListBox : public TListBox {
 public:
  explicit TGlyphListBox(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleCreated() override;
  void HandleDestroying() override;
  void ItemsChanged() override;
  bool WMCommandNotify(TMessage& Message) override;
  // The rows' texts for LB_GETTEXTLEN and LB_GETTEXT, which the window
  // cannot answer: it keeps no strings.
  void WndProc(TMessage& Message) override;

  // Replaces every row at once and selects one (-1: none), without raising
  // a selection change.
  void SetRows(std::vector<std::string> texts, int selected);
  // Selects a row (-1: none) without raising a selection change.
  void SelectRow(int index);
  // Paints a row: the glyph (none when missing) after the indent, then the
  // text, with the brush and font colours the row's state has set. Without
  // a glyph column the text starts at the indent.
  void DrawRow(const TRect& rect, int indent, const TCachedGlyph* glyph, const std::string& text,
               bool glyphColumn = true);

 private:
  void PushRowCount(int selected);
  int FPendingIndex = -1;  // the selection while the window is being made anew
};

class TFileListBox : public TGlyphListBox {
 public:
  explicit TFileListBox(TComponent* AOwner);

  // A relative name is taken relative to the current directory. Listing is
  // done by the setters (and by Update); the process's current directory is
  // left alone: that is the directory list's business.
  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& value);
  // Wildcard patterns separated by ';', "*.*" initially.
  const std::string& Mask() const { return FMask; }
  void SetMask(const std::string& value);
  // The attribute filter, ftNormal initially.
  TFileType FileType() const { return FFileType; }
  void SetFileType(TFileType value);
  bool ShowGlyphs() const { return FShowGlyphs; }
  void SetShowGlyphs(bool value);

  // Full path of the selected entry as listed (a directory with its
  // brackets); empty without a selection.
  std::string FileName() const;
  // Whether a row stands for a directory, as the listing found it (a file
  // may have brackets in its name too); false out of range.
  bool IsDirectoryRow(int index) const;
  // Whether a row's text spells the entry's name exactly. A name holding an
  // unpaired surrogate (or, under a legacy code page, characters it lacks,
  // with no short alias) is listed with a stand-in character: its text and
  // FileName() may name another file or none, so nothing may act on them.
  // True for rows the program added itself; false out of range.
  bool IsExactRow(int index) const;
  // Lists the directory anew. (This replaces the window-repaint meaning of
  // Update, as in the class library this stands in for: Repaint lists too.)
  void Update() override;

  // OnChange (inherited) fires after every listing and every change of the
  // selection.

 protected:
  void Loaded() override;
  void DrawItem(int index, const TRect& rect, UINT state) override;
  void SelectionChanged() override;

 private:
  void ReadFileNames();
  void Change();
  TFileGlyph RowKind(int index) const;

  std::string FDirectory;
  std::string FMask = "*.*";
  TFileType FFileType = ftNormal;
  bool FShowGlyphs = false;
  std::vector<TFileGlyph> FGlyphs;  // per row, from the listing
  std::vector<bool> FExact;         // per row, from the listing
  bool FListing = false;
};

class TDriveComboBox;

class TDirectoryListBox : public TGlyphListBox {
 public:
  explicit TDirectoryListBox(TComponent* AOwner);

  // Changes the process's current directory first; when that fails an
  // EInOutError with the system's text is raised and nothing changes.
  // Relative names ("sub", "..\x", "C:") are resolved by the change itself,
  // relative to the shown directory; the full path the system reports
  // afterwards is kept. Then the rows are rebuilt, the file list lists the
  // new directory and OnChange fires.
  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& value);
  // The drive of the directory in upper case (0 for a network path).
  // Setting a drive goes to that drive's current directory.
  char Drive() const;
  void SetDrive(char value);
  TFileListBox* FileList() const { return FFileList; }
  void SetFileList(TFileListBox* value);
  // The drive box that shows this list's drive (linked by its SetDirList).
  TDriveComboBox* DriveCombo() const { return FDriveCombo; }

  // Rebuilds the rows, seeing new and removed subdirectories. When the shown
  // directory itself has gone, the list moves to its nearest existing parent.
  void Update() override;
  // Full path of a row; empty for an index out of range.
  std::string GetItemPath(int index) const;
  // Whether a row's name and path are exact (see TFileListBox::IsExactRow);
  // false out of range.
  bool IsExactRow(int index) const;
  // Makes the selected row the shown directory (double-click, Enter). On a
  // failure the selection returns to the shown directory and the error is
  // raised on; a row whose name is not exact is refused with
  // ERROR_INVALID_NAME, since its path could lead into another folder.
  void OpenCurrent();

  // OnChange (inherited) fires when the directory changes; moving the
  // selection alone does not change the directory and raises no OnChange.

  bool WantsKey(WORD key) override;
  bool DoKeyPress(wchar_t& key) override;
  void DblClick() override;

  // The indent of a row in pixels (tests read the layout from here).
  int RowIndent(int index) const;
  TDirGlyph RowGlyph(int index) const;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DrawItem(int index, const TRect& rect, UINT state) override;
  void SelectionChanged() override;

 private:
  friend class TDriveComboBox;
  void BuildList();
  void Change();
  int CurrentRow() const;

  std::string FDirectory;
  std::vector<TDirEntry> FRows;
  TFileListBox* FFileList = nullptr;
  TDriveComboBox* FDriveCombo = nullptr;
};

// A drop-down list of the logical drives, owner-drawn with a glyph per
// drive type. Choosing an entry sets the drive; a drive that cannot be
// entered shows the application's error box and the box returns to the
// drive it had.
class TDriveComboBox : public TWinControl {
 public:
  explicit TDriveComboBox(TComponent* AOwner);

  // Upper case. Setting it moves the linked directory list to that drive's
  // current directory (raising EInOutError, with nothing changed, when the
  // drive cannot be entered).
  char Drive() const { return FDrive; }
  void SetDrive(char value);
  TDirectoryListBox* DirList() const { return FDirList; }
  void SetDirList(TDirectoryListBox* value);
  // Reads the drives anew; done also each time the list drops down.
  void BuildList();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // An open list takes Enter and Escape itself (choose, cancel).
  bool WantsKey(WORD key) override;
  // The entry texts in the order shown.
  std::vector<std::string> EntryTexts() const;

  TNotifyEvent OnChange;  // the drive changed

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  bool WMCommandNotify(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDirectoryListBox;
  struct TDriveEntry {
    char Letter;
    TDriveKind Kind;
    std::string Text;
  };
  void DirectoryDriveChanged(char drive);
  void SelectDriveEntry();
  void ApplySelection();
  void DrawEntry(const DRAWITEMSTRUCT& d);
  void Change();

  std::vector<TDriveEntry> FDrives;
  char FDrive = 0;
  TDirectoryListBox* FDirList = nullptr;
  bool FApplyOnCloseUp = false;
};
