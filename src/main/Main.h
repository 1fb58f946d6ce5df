// The module Main: the command-line window TForm1 and the process-wide values
// every other part of the program reads.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "frame/UOberMetal.h"
#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/FileCtrl.h"
#include "framework/Menus.h"
#include "framework/Seams.h"
#include "framework/StdCtrls.h"
#include "dialogs/UBatch.h"
#include "main/CommandHistory.h"
#include "program/LanguageFile.h"
#include "program/ProgramValues.h"
#include "program/StartFailures.h"

class TPZSpeedButton;
class TTrsPanel;
class TOrvRoundRectPanel;
class TOrvCheck;
class TOrvWindowSizeHook;
class TDragDropFiles;
class THistoryFile;
class TCommandCompletion;

class TForm1 : public tOrvFormMetal, public TCommandHost {
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  // ---- designed components ----
  TPZSpeedButton* SpbUpdate;
  TPZSpeedButton* SpbExplore;
  TPZSpeedButton* SpbExplorer;
  TPZSpeedButton* SpBHelp;
  TImage* Image1;
  TOrvWindowSizeHook* OrvWindowSizeHook1;
  TTrsPanel* PanelSpeedbuttsRight;
  TPZSpeedButton* SpbCross;
  TPZSpeedButton* SPBFilter;
  TPZSpeedButton* SpBFName;
  TOrvRoundRectPanel* PanelCmd;
  TComboBox* CommLine;
  TOrvCheck* CheckBoxDIR;
  TOrvCheck* CheckBoxDOS;
  TOrvRoundRectPanel* PanelDrive;
  TDriveComboBox* DriveComboBox1;
  TOrvRoundRectPanel* PanelWildcard;
  TEdit* FilterLine;
  TOrvRoundRectPanel* PanelDirs;
  TDirectoryListBox* DirectoryListBox1;
  TOrvRoundRectPanel* PanelFiles;
  TSpeedButton* SpBAttribs;
  TLabel* LabFileCount;
  TShape* Shape1;
  TFileListBox* FileListBox1;
  TTrsPanel* PanelBatch;
  TPZSpeedButton* SpBBatch;
  TTimer* Timer1;
  TTimer* TimerProcess;
  TDragDropFiles* DragDropFiles1;
  TDragDropFiles* DragDropFiles2;
  TPopupMenu* PopupMenu1;
  TMenuItem* MenOpen;
  TMenuItem* MenExec;
  TMenuItem* MenView;

  // ---- form handlers ----
  void FormCreate(TObject* Sender) override;
  void FormShow(TObject* Sender) override;
  void FormResize(TObject* Sender) override;
  void FormActivate(TObject* Sender) override;
  void FormDeactivate(TObject* Sender) override;
  void AppOnActivate(TObject* Sender);
  void AppOnDeActivate(TObject* Sender);

  // ---- file panes ----
  void ApplyFilter();
  void FilterLineKeyPress(TObject* Sender, wchar_t& Key);
  void FilterLineChange(TObject* Sender);
  void SpbUpdateClick(TObject* Sender);
  void FileListBox1Change(TObject* Sender);
  void UpdateAttributeSummary();

  // ---- launching ----
  // The process of the most recent successful start; its handles are closed
  // when another start replaces it or when it has ended.
  ProcessHandles LastProcess;
  // 32 when started, else the system's error code of the failed start.
  int StartProcess(const std::string& commandLine);
  // Shows the message a failed start of that kind has; true when it did.
  bool ShowStartError(StartedAs what, int code);
  void RunCommand(const std::string& command, bool close) override;
  void TimerProcessTimer(TObject* Sender);

  // ---- insertion into the command line ----
  void InsertIntoCommand(const std::string& s);
  void InsertFilter();
  void InsertFileName();
  void SpbCrossClick(TObject* Sender);
  void SPBFilterClick(TObject* Sender);
  void SpBFNameClick(TObject* Sender);
  void CommLineEnter(TObject* Sender);
  void CommLineExit(TObject* Sender);

  // ---- the command line and its built-in words ----
  void CommKeyPress(TObject* Sender, wchar_t& Key);
  void ChangeDirectory(const std::string& path);
  void Timer1Timer(TObject* Sender);
  void DirectoryListBox1KeyPress(TObject* Sender, wchar_t& Key);
  void CheckBoxDIRClick(TObject* Sender);
  void CheckBoxDOSClick(TObject* Sender);

  // ---- the history ----
  // Reads the history kept between runs, once, when the window is first shown.
  void LoadHistory();
  // Appends an entered command to the history, and to its file when kept.
  void RememberCommand(const std::string& command);
  void CommLineKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void CommLineChange(TObject* Sender);
  // The history file in use; null without HISTORY.
  THistoryFile* HistoryFile() const { return FHistoryFile.get(); }
  // Puts the commands read from the file into the command line's list, if
  // that is still to be done.
  void ShowHistoryList();

  // ---- keys: completion, editing, the lists ----
  // Tab and Shift+Tab complete a name in the command line, Escape clears
  // it; otherwise the keys move the focus as designed.
  bool DialogKey(WORD key, TShiftState shift) override;
  // A completion is still reading its folder.
  bool CompletionBusy() const;
  // Ctrl+Backspace: the word before the caret goes (or the selection).
  void DeleteWordBeforeCaret();
  // Backspace goes to the parent folder; Ctrl+Shift+C copies the selected
  // entry's full path. Key handler of both lists.
  void ListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // Enter opens the selected entry as a double-click does.
  void FileListBox1KeyPress(TObject* Sender, wchar_t& Key);
  // The selected entry's full path, in double quotes, on the clipboard.
  void CopySelectedPath(TObject* list);

  // ---- buttons ----
  void ExploreClick(TObject* Sender);
  void SpbExplorerClick(TObject* Sender);
  void SpBHelpClick(TObject* Sender);
  void SpBBatchClick(TObject* Sender);
  void SpBAttribsClick(TObject* Sender);

  // ---- file actions ----
  // A left press in the file list arms a drag out of it; DragOrigin is
  // where the press was, in the list's coordinates.
  bool DragArmed = false;
  TPoint DragOrigin;
  void FileListBox1DblClick(TObject* Sender);
  void MenOpenClick(TObject* Sender);
  void MenViewClick(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);
  void FileListBox1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FileListBox1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FileListBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  // ---- drops ----
  void DragDropFiles1ProcessDropped(TObject* Sender, DWORD grfKeyState, POINTL pt, DWORD dwEffect);
  void DragDropFiles2ProcessDropped(TObject* Sender, DWORD grfKeyState, POINTL pt, DWORD dwEffect);
  // Whether a file lies in the shown directory itself.
  bool IsInCurrentDirectory(const std::string& path) const;
  // The last drop on the file list ended a drag out of it.
  bool OwnDragOnFileList = false;
  // A dropped name had no exact form here: the drop was refused.
  void ShowDropRefused();

  // ---- what the batch window asks of this window ----
  bool DosWindowMode() const override;
  void SetDosWindowMode(bool on) override;
  bool CloseSetting() const override;

  // The captions and hints a language file gives this window.
  void ApplyLanguage(const LanguageTexts& texts);

  // An error box of this window: caption MessageTexts[MessageId::Error], the error icon.
  void ErrorBox(const std::string& text);

 private:
  void CreateComponents();
  void CreateToolButtons();
  void CreatePanes();
  void CreateCommandArea();
  void BindHandlers();
  void BindFileActions();
  void BindDrops();
  // The full path of the file list's selected entry; empty without one.
  std::string SelectedPath() const;
  // Whether the selected row spells its file's name exactly; says why not
  // when it does not, so that no caller acts on another file.
  bool SelectedRowUsable();

  // Shows a text from the history, the caret at its end.
  void ShowRecalled(const std::string& text);

  std::unique_ptr<TCommandCompletion> FCompletion;
  HistoryWalk FHistoryWalk;
  std::unique_ptr<THistoryFile> FHistoryFile;
  TTimer* FHistoryRetry = nullptr;  // made when a command could not be written
  bool FHistoryLoaded = false;
  bool FRecalling = false;  // the text changes by a step through the history
  // The commands read from the file, until they are in the list.
  std::vector<std::string> FHistoryRead;
  // Gone with the form: a call queued for the form checks it first.
  std::shared_ptr<char> FAlive = std::make_shared<char>();
};

extern TForm1* Form1;
