#include "oqtyp/TypeForm.h"

#include <windows.h>

#include <exception>
#include <string>

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Files.h"
#include "framework/Seams.h"
#include "oqtyp/TypeChoice.h"

TTypeForm::TTypeForm(TComponent* owner) : TForm(owner) {
  SetCaption("Orv Quillon - Window Type");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  // Tahoma, the system's dialog face: with Arial the system's check boxes
  // (under Wine) drew their labels wider than they measured them, and the
  // focus rectangle covered the last letter ("Brushed meta").
  Font()->SetName("Tahoma");
  Font()->SetHeight(-12);
  SetClientSize(330, 284);

  auto* intro = Placed<TLabel>(this, this, "LabelIntro", 12, 10, 306, 16);
  intro->SetCaption("How should the windows of Orv Quillon look?");

  auto* looks = Placed<TPanel>(this, this, "PanelLooks", 12, 32, 306, 96);
  looks->SetBevelOuter(bvLowered);
  looks->SetCaption("");
  const char* lookNames[] = {"&Brushed metal", "&Grey", "&Shaded", "&Windows border"};
  for (int i = 0; i < 4; ++i) {
    const std::string name = "RadioLook" + std::to_string(i);
    Look[i] = Placed<TRadioButton>(this, looks, name.c_str(), 10, 6 + 22 * i, 280, 20);
    Look[i]->SetCaption(lookNames[i]);
  }

  NoRegions = Option("CheckNoRegions", "No &rounded regions", 138);
  NoBitmaps = Option("CheckNoBitmaps", "No button &bitmaps", 160);
  Remember = Option("CheckRemember", "Remember window &positions", 182);
  History = Option("CheckHistory", "Keep command &history between runs", 204);

  auto* start = Placed<TButton>(this, this, "ButtonStart", 118, 244, 120, 28);
  start->SetCaption("S&tart Orv Quillon");
  start->SetDefault(true);
  start->OnClick = [this](TObject*) { StartClick(); };
  auto* cancel = Placed<TButton>(this, this, "ButtonCancel", 244, 244, 74, 28);
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->OnClick = [this](TObject*) { Close(); };

  OnCreate = [this](TObject*) { LoadChoice(); };
  OnShow = [this](TObject*) {
    SetWindowIcons(Handle(), "MAINICON", Dpi());
  };
}

TCheckBox* TTypeForm::Option(const char* name, const char* caption, int top) {
  auto* c = Placed<TCheckBox>(this, this, name, 14, top, 300, 20);
  c->SetCaption(caption);
  return c;
}

// The last choice, when there is a parameter file, is where we start from.
void TTypeForm::LoadChoice() {
  TStrings lines;
  const std::string par = ProgramFileFolder() + "OrvQuill.par";
  if (GetFileAttributesA(par.c_str()) != INVALID_FILE_ATTRIBUTES) {
    try {
      lines.LoadFromFile(par);
    } catch (const std::exception&) {
    }
  }
  TypeChoice c = ChoiceFromWords(lines.Items());
  Look[static_cast<int>(c.Look)]->SetChecked(true);
  NoRegions->SetChecked(c.NoRegions);
  NoBitmaps->SetChecked(c.NoButtonBitmaps);
  Remember->SetChecked(c.RememberPositions);
  History->SetChecked(c.KeepHistory);
}

void TTypeForm::StartClick() {
  TypeChoice c;
  for (int i = 0; i < 4; ++i)
    if (Look[i]->Checked()) c.Look = static_cast<WindowLook>(i);
  c.NoRegions = NoRegions->Checked();
  c.NoButtonBitmaps = NoBitmaps->Checked();
  c.RememberPositions = Remember->Checked();
  c.KeepHistory = History->Checked();
  const std::string folder = ProgramFileFolder();
  TStrings lines;
  lines.Assign(ParameterWords(c));
  try {
    lines.SaveToFile(folder + "OrvQuill.par");
  } catch (const std::exception& e) {
    Application->MessageBox(e.what(), "Orv Quillon", MB_OK | MB_ICONERROR);
    return;
  }
  const std::string exe = "\"" + folder + "OrvQuill.exe\"";
  UINT r = Processes().WinExecFn(exe, SW_SHOWNORMAL);
  if (r < 32) {
    Application->MessageBox("Orv Quillon could not be started: " + folder + "OrvQuill.exe",
                            "Orv Quillon", MB_OK | MB_ICONERROR);
    return;
  }
  Close();
}
