// TForm1: creation, layout and the window's own handlers.
#include "main/Main.h"

#include "controls/OrvCustomCheck.h"
#include "controls/OrvRoundRectPanel.h"
#include "controls/TrsPanel.h"
#include "dialogs/UDLng.h"
#include "dialogs/introbntrob.h"
#include "dragdrop/DragDropFiles.h"
#include "drawing/PZSpButt.h"
#include "frame/OrvWindowSizeHook.h"
#include "main/CommandCompletion.h"
#include "main/HistoryFile.h"

TForm1* Form1 = nullptr;

namespace {
void LoadGlyph(TPZSpeedButton* b, const char* resource) {
  TBitmap glyph;
  try {
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  } catch (const std::exception&) {
    return;  // a button without its picture still works by its caption
  }
  b->SetGlyph(&glyph);
}

void ArialFont(TControl* c, int height) {
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-height);
}

// A tool button: place, caption, hint and the glyph from the resources.
TPZSpeedButton* ToolButton(TForm1* f, TWinControl* parent, const char* name, TRect r,
                           const char* caption, const char* hint, const char* glyph) {
  auto* b = Placed<TPZSpeedButton>(f, parent, name, r.left, r.top, r.Width(), r.Height());
  b->SetCaption(caption);
  b->SetHint(hint);
  LoadGlyph(b, glyph);
  return b;
}
}  // namespace

TForm1::TForm1(TComponent* AOwner) : tOrvFormMetal(AOwner) {
  SetName("Form1");
  SetCaption("\\IOrv\\iQuillon \\b-- Advanced Windows Command Line");
  SetBounds(Left(), Top(), 579, 458);
  Constraints().MinWidth = 570;
  Constraints().MinHeight = 450;
  SetPosition(poScreenCenter);
  SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biHelp);
  SetColor(clBtnFace);
  ArialFont(this, 11);
  CreateComponents();
  FCompletion = std::make_unique<TCommandCompletion>(CommLine, FileListBox1);
  BindHandlers();
  Form1 = this;
}

TForm1::~TForm1() {
  if (CommandHost() == this) SetCommandHost(nullptr);
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateComponents() {
  // Windowed children are made in tab order, so that the order survives
  // their move into the frame's client panel.
  CreateCommandArea();
  CreateToolButtons();
  CreatePanes();

  Image1 = Placed<TImage>(this, this, "Image1", 0, 8, 16, 16);
  Image1->SetVisible(false);
  try {
    Image1->Picture()->LoadFromResourceName(GetModuleHandleA(nullptr), "ICON16");
  } catch (const std::exception&) {
  }
  OrvWindowSizeHook1 = Placed<TOrvWindowSizeHook>(this, this, "OrvWindowSizeHook1", 554, 408, 16, 16);
  OrvWindowSizeHook1->SetActive(true);

  Timer1 = Designed<TTimer>(this, "Timer1");
  Timer1->SetInterval(1300);
  Timer1->SetEnabled(false);
  TimerProcess = Designed<TTimer>(this, "TimerProcess");
  TimerProcess->SetInterval(1000);
  TimerProcess->SetEnabled(true);

  DragDropFiles1 = Designed<TDragDropFiles>(this, "DragDropFiles1");
  DragDropFiles1->SetSourceEffects(deCopy | deMove | deLink);
  DragDropFiles1->SetTargetEffects(deCopy | deMove);
  DragDropFiles2 = Designed<TDragDropFiles>(this, "DragDropFiles2");
  DragDropFiles2->SetTargetEffects(deCopy | deMove);

  PopupMenu1 = Designed<TPopupMenu>(this, "PopupMenu1");
  MenOpen = Designed<TMenuItem>(this, "MenOpen");
  MenOpen->SetCaption("&Open");
  MenExec = Designed<TMenuItem>(this, "MenExec");
  MenExec->SetCaption("&Execute");
  MenView = Designed<TMenuItem>(this, "MenView");
  MenView->SetCaption("&View");
  PopupMenu1->Items()->Add(MenOpen);
  PopupMenu1->Items()->Add(MenExec);
  PopupMenu1->Items()->Add(MenView);
}

void TForm1::CreateCommandArea() {
  PanelCmd = Placed<TOrvRoundRectPanel>(this, this, "PanelCmd", 8, 376, 529, 21);
  PanelCmd->SetRndRadius(20);
  PanelCmd->SetTabStop(false);
  PanelCmd->SetClipFirstControl(true);
  PanelCmd->SetClipMargins(2, 4, 2, 4);
  CommLine = Placed<TComboBox>(this, PanelCmd, "CommLine", 6, -1, 517, 24);
  CommLine->SetAnchors(akLeft | akTop | akRight);
  ArialFont(CommLine, 13);
  CommLine->SetDropDownCount(20);
  CommLine->SetItemHeight(16);
  CommLine->SetHint("Press # to insert the selected filename or the filter if no filename is selected.");

  CheckBoxDIR = Placed<TOrvCheck>(this, this, "CheckBoxDIR", 8, 401, 273, 19);
  CheckBoxDIR->SetCaption("Execute command in DOS-Window");
  CheckBoxDIR->SetHint("If checked, every command (except CD) will be passed to DOS-Prompt.");
  CheckBoxDIR->SetTransparent(true);
  CheckBoxDIR->SetGrayedQuestionMark(false);
  CheckBoxDOS = Placed<TOrvCheck>(this, this, "CheckBoxDOS", 288, 401, 273, 19);
  CheckBoxDOS->SetCaption("Close DOS-Window after execution");
  CheckBoxDOS->SetHint(
      "A DOS-Box invoked by Orv Quillon will be closed after execution of the command.");
  CheckBoxDOS->SetTransparent(true);
  CheckBoxDOS->SetChecked(true);
  CheckBoxDOS->SetEnabled(false);
}

void TForm1::CreateToolButtons() {
  SpbUpdate = ToolButton(this, this, "SpbUpdate", Bounds(8, 3, 73, 45), "&Update", "Update Views",
                         "GLYPH_UPDATE");
  SpbExplore = ToolButton(this, this, "SpbExplore", Bounds(88, 3, 73, 45), "&Explore",
                          "Open window for current directory", "GLYPH_EXPLORE");
  SpbExplorer = ToolButton(this, this, "SpbExplorer", Bounds(168, 3, 73, 45), "Explore&r",
                           "Launch Windows Explorer", "GLYPH_EXPLORER");
  SpBHelp = ToolButton(this, this, "SpBHelp", Bounds(272, 3, 25, 25), "", "Click or type HELP.",
                       "GLYPH_HELP");

  PanelSpeedbuttsRight = Placed<TTrsPanel>(this, this, "PanelSpeedbuttsRight", 313, 0, 256, 49);
  PanelSpeedbuttsRight->SetBevelOuter(bvNone);
  PanelSpeedbuttsRight->SetCaption("");
  SpbCross = ToolButton(this, PanelSpeedbuttsRight, "SpbCross", Bounds(15, 3, 73, 45),
                        "Insert '#'", "Insert Character '#' into command line", "GLYPH_CROSS");
  SPBFilter = ToolButton(this, PanelSpeedbuttsRight, "SPBFilter", Bounds(95, 3, 73, 45),
                         "Insert filter", "Insert filter into command line", "GLYPH_FILTER");
  SpBFName = ToolButton(this, PanelSpeedbuttsRight, "SpBFName", Bounds(174, 3, 75, 45),
                        "Insert filename", "Insert selected filename into command line",
                        "GLYPH_FNAME");
}


namespace {
TOrvRoundRectPanel* RoundPanel(TForm1* f, const char* name, int l, int t, int w, int h,
                               int clipL, int clipR, int clipT, int clipB) {
  auto* p = Placed<TOrvRoundRectPanel>(f, f, name, l, t, w, h);
  p->SetRndRadius(20);
  p->SetTabStop(false);
  p->SetClipMargins(clipL, clipR, clipT, clipB);
  return p;
}
}  // namespace

void TForm1::CreatePanes() {
  PanelDrive = RoundPanel(this, "PanelDrive", 8, 52, 273, 21, 2, 4, 2, 4);
  PanelDrive->SetClipFirstControl(true);
  DriveComboBox1 = Placed<TDriveComboBox>(this, PanelDrive, "DriveComboBox1", 9, 0, 257, 22);
  ArialFont(DriveComboBox1, 13);

  PanelWildcard = RoundPanel(this, "PanelWildcard", 288, 52, 273, 21, 2, 3, 2, 3);
  FilterLine = Placed<TEdit>(this, PanelWildcard, "FilterLine", 9, 3, 257, 17);
  FilterLine->SetBorderStyle(bsNone);
  ArialFont(FilterLine, 13);
  // Designed with OEM conversion, which turns every typed character the
  // OEM code page lacks into '?': a mask in Greek or Japanese could not be
  // typed. The line takes characters as they are typed.
  FilterLine->SetText("*.*");
  FilterLine->SetHint("You may enter a filter here");

  PanelDirs = RoundPanel(this, "PanelDirs", 8, 80, 273, 289, 1, 2, 1, 2);
  PanelDirs->SetClipFirstControl(true);
  DirectoryListBox1 =
      Placed<TDirectoryListBox>(this, PanelDirs, "DirectoryListBox1", 8, 8, 257, 273);
  DirectoryListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
  DirectoryListBox1->SetItemHeight(16);

  PanelFiles = RoundPanel(this, "PanelFiles", 288, 80, 273, 289, 1, 2, 1, 2);
  SpBAttribs = Placed<TSpeedButton>(this, PanelFiles, "SpBAttribs", 8, 272, 81, 13);
  SpBAttribs->SetFlat(true);
  SpBAttribs->SetCaption("R H ");
  SpBAttribs->SetHint("Attributes");
  SpBAttribs->SetAnchors(akLeft | akBottom);
  LabFileCount = Placed<TLabel>(this, PanelFiles, "LabFileCount", 128, 272, 137, 14);
  LabFileCount->SetAutoSize(false);
  LabFileCount->SetAlignment(taRightJustify);
  LabFileCount->SetCaption("123 File(s)");
  LabFileCount->SetAnchors(akRight | akBottom);
  Shape1 = Placed<TShape>(this, PanelFiles, "Shape1", 0, 270, 273, 1);
  Shape1->Pen()->SetColor(clSilver);
  Shape1->Pen()->SetStyle(psDot);
  Shape1->SetAnchors(akLeft | akRight | akBottom);
  FileListBox1 = Placed<TFileListBox>(this, PanelFiles, "FileListBox1", 8, 8, 257, 263);
  FileListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
  FileListBox1->SetItemHeight(16);
  FileListBox1->SetShowGlyphs(true);
  // The file list follows a button, a label and a shape among the panel's children.
  PanelFiles->SetClipFirstControl(true);
  PanelFiles->SetClipControlNr(3);

  PanelBatch = Placed<TTrsPanel>(this, this, "PanelBatch", 537, 374, 26, 26);
  PanelBatch->SetBevelOuter(bvNone);
  PanelBatch->SetCaption("");
  SpBBatch = ToolButton(this, PanelBatch, "SpBBatch", Bounds(1, 1, 24, 24), "", "Batch Execution",
                        "GLYPH_BATCH");

  DriveComboBox1->SetDirList(DirectoryListBox1);
  DirectoryListBox1->SetFileList(FileListBox1);
}

void TForm1::BindHandlers() {
  FilterLine->OnKeyPress = [this](TObject* s, wchar_t& k) { FilterLineKeyPress(s, k); };
  FilterLine->OnChange = [this](TObject* s) { FilterLineChange(s); };
  SpbUpdate->OnClick = [this](TObject* s) { SpbUpdateClick(s); };
  FileListBox1->OnChange = [this](TObject* s) { FileListBox1Change(s); };
  TimerProcess->OnTimer = [this](TObject* s) { TimerProcessTimer(s); };
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

  CommLine->OnKeyPress = [this](TObject* s, wchar_t& k) { CommKeyPress(s, k); };
  CommLine->OnEnter = [this](TObject* s) { CommLineEnter(s); };
  CommLine->OnExit = [this](TObject* s) { CommLineExit(s); };
  CommLine->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { CommLineKeyDown(s, k, sh); };
  CommLine->OnChange = [this](TObject* s) { CommLineChange(s); };
  auto typeAhead = [this](TObject* s, wchar_t& k) { DirectoryListBox1KeyPress(s, k); };
  DirectoryListBox1->OnKeyPress = typeAhead;
  FileListBox1->OnKeyPress = [this](TObject* s, wchar_t& k) { FileListBox1KeyPress(s, k); };
  auto listKeys = [this](TObject* s, WORD& k, TShiftState sh) { ListKeyDown(s, k, sh); };
  DirectoryListBox1->OnKeyDown = listKeys;
  FileListBox1->OnKeyDown = listKeys;
  CheckBoxDIR->OnKeyPress = typeAhead;
  CheckBoxDOS->OnKeyPress = typeAhead;
  CheckBoxDIR->OnClick = [this](TObject* s) { CheckBoxDIRClick(s); };
  CheckBoxDOS->OnClick = [this](TObject* s) { CheckBoxDOSClick(s); };
  // The space bar toggles a check box without a click; the second box must
  // still follow the first, so the state change keeps them in step.
  CheckBoxDIR->OnStateChange = [this](TObject*) {
    CheckBoxDOS->SetEnabled(CheckBoxDIR->Checked());
  };

  SpbCross->OnClick = [this](TObject* s) { SpbCrossClick(s); };
  SPBFilter->OnClick = [this](TObject* s) { SPBFilterClick(s); };
  SpBFName->OnClick = [this](TObject* s) { SpBFNameClick(s); };
  SpbExplore->OnClick = [this](TObject* s) { ExploreClick(s); };
  SpbExplorer->OnClick = [this](TObject* s) { SpbExplorerClick(s); };
  SpBHelp->OnClick = [this](TObject* s) { SpBHelpClick(s); };
  SpBBatch->OnClick = [this](TObject* s) { SpBBatchClick(s); };
  SpBAttribs->OnClick = [this](TObject* s) { SpBAttribsClick(s); };
  BindFileActions();
  BindDrops();
}

// ---- form handlers ----------------------------------------------------------------------
void TForm1::FormCreate(TObject* Sender) {
  tOrvFormMetal::FormCreate(Sender);
  Application->OnActivate = [this](TObject* s) { AppOnActivate(s); };
  Application->OnDeactivate = [this](TObject* s) { AppOnDeActivate(s); };
  Application->SetHintHidePause(4000);
  RestorePlacement("OrvQuill\\Main");
  SetCommandHost(this);
}

void TForm1::FormShow(TObject* Sender) {
  tOrvFormMetal::FormShow(Sender);
  ImgSysM->Picture()->Assign(Image1->Picture());
  // The task bar and the task switchers show the program's icon.
  SetWindowIcons(Handle(), "MAINICON", Dpi());
  ApplyLanguage(LoadLanguage());
  LoadHistory();
  // The intro box, shown since start-up, may go from now on.
  if (Introbox) Introbox->Timer1->SetEnabled(true);
  PanelSpeedbuttsRight->SetAnchors(akTop | akRight);
  PanelDirs->SetAnchors(akLeft | akTop | akBottom);
  PanelFiles->SetAnchors(akTop | akBottom);
  PanelDrive->SetAnchors(akLeft | akTop);
  PanelWildcard->SetAnchors(akTop);
  PanelCmd->SetAnchors(akLeft | akRight | akBottom);
  CheckBoxDIR->SetAnchors(akLeft | akBottom);
  CheckBoxDOS->SetAnchors(akLeft | akBottom);
  PanelBatch->SetAnchors(akRight | akBottom);
  DragDropFiles1->SetDragDropControl(CommLine);
  DragDropFiles2->SetDragDropControl(FileListBox1);
}

void TForm1::ApplyLanguage(const LanguageTexts& texts) {
  struct Target {
    LangLine Line;
    TControl* Control;
    bool Hint;
  };
  const Target targets[] = {
      {LangLine::UpdateCaption, SpbUpdate, false},    {LangLine::UpdateHint, SpbUpdate, true},
      {LangLine::ExploreCaption, SpbExplore, false},  {LangLine::ExploreHint, SpbExplore, true},
      {LangLine::ExplorerCaption, SpbExplorer, false}, {LangLine::ExplorerHint, SpbExplorer, true},
      {LangLine::CrossCaption, SpbCross, false},      {LangLine::CrossHint, SpbCross, true},
      {LangLine::FilterCaption, SPBFilter, false},    {LangLine::FilterHint, SPBFilter, true},
      {LangLine::FNameCaption, SpBFName, false},      {LangLine::FNameHint, SpBFName, true},
      {LangLine::DosCloseCaption, CheckBoxDOS, false}, {LangLine::DosCloseHint, CheckBoxDOS, true},
      {LangLine::DosModeCaption, CheckBoxDIR, false}, {LangLine::DosModeHint, CheckBoxDIR, true},
      {LangLine::CommLineHint, CommLine, true},       {LangLine::FilterLineHint, FilterLine, true},
      {LangLine::AttribsHint, SpBAttribs, true},      {LangLine::BatchHint, SpBBatch, true},
  };
  for (const Target& t : targets) {
    const std::string* text = texts.Text(t.Line);
    if (!text) continue;
    if (t.Hint) t.Control->SetHint(*text);
    else t.Control->SetCaption(*text);
  }
  // The count's word may have changed.
  FileListBox1Change(this);
}

void TForm1::FormResize(TObject* Sender) {
  tOrvFormMetal::FormResize(Sender);
  const int cw = PanelClient->ClientWidth();
  const int m = PanelDirs->Left();
  const int w = (cw - 3 * m) / 2;
  PanelDirs->SetWidth(w);
  PanelDrive->SetWidth(w);
  PanelFiles->SetBounds(2 * m + w, PanelFiles->Top(), w, PanelFiles->Height());
  PanelWildcard->SetBounds(PanelFiles->Left(), PanelWildcard->Top(), w, PanelWildcard->Height());
  SpBHelp->SetLeft((cw - SpBHelp->Width()) / 2);
}

void TForm1::FormActivate(TObject* Sender) {
  tOrvFormMetal::FormActivate(Sender);
  DragArmed = false;
  PanelSpeedbuttsRight->Invalidate();
}

void TForm1::FormDeactivate(TObject* Sender) {
  tOrvFormMetal::FormDeactivate(Sender);
  PanelSpeedbuttsRight->Invalidate();
}

void TForm1::AppOnActivate(TObject*) { LightActiveFrame(); }

void TForm1::AppOnDeActivate(TObject*) { DimActiveFrame(); }
