// The module Main: the command-line window TForm1 and the process-wide values
// every other part of the program reads.
#pragma once

#include <array>
#include <string>

#include "frame/UOberMetal.h"
#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/FileCtrl.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "main/ProgramValues.h"

class TPZSpeedButton;
class TTrsPanel;
class TOrvRoundRectPanel;
class TOrvCheck;
class TOrvWindowSizeHook;
class TDragDropFiles;

class TForm1 : public tOrvFormMetal {
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
  void FilterLineKeyPress(TObject* Sender, char& Key);
  void FilterLineChange(TObject* Sender);
  void SpbUpdateClick(TObject* Sender);
  void FileListBox1Change(TObject* Sender);
  void UpdateAttributeSummary();

 private:
  void CreateComponents();
  void CreateToolButtons();
  void CreatePanes();
  void CreateCommandArea();
  void BindHandlers();
};

extern TForm1* Form1;
