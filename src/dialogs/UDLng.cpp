#include "dialogs/UDLng.h"

#include <optional>

#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/UHelp.h"
#include "drawing/PZLabel.h"
#include "frame/OrvWindowSizeHook.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/WideText.h"
#include "program/ProgramValues.h"

TDLng* DLng = nullptr;

namespace {
void ButtonFont(TOrvNewButton* b, TFontStyles style, TColor color) {
  b->Font()->SetName("Arial");
  b->Font()->SetHeight(-13);
  b->Font()->SetStyle(style);
  b->Font()->SetColor(color);
}

TOrvNewButton* HelpButton(TDLng* f, const char* name, const char* caption, int top) {
  auto* b = Placed<TOrvNewButton>(f, f, name, 176, top, 100, 21);
  b->SetCaption(caption);
  // The kind goes first; the stored look then wins over its preset.
  b->SetKind(ibkOther);
  b->SetResBmpActive("BLUE100");
  b->SetResBmpNormal("SILVER100");
  ButtonFont(b, 0, clNavy);
  return b;
}

bool IsExistingFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void ErrorBox(const std::string& text, const std::string& caption) {
  Application->MessageBox(text, caption, MB_OK | MB_ICONERROR);
}

// The pointer file's first line; none when the file cannot be read.
std::optional<std::string> ReadPointerLine(const std::string& pointerPath) {
  try {
    return FirstLine(DecodeTextBytes(ReadWholeFile(pointerPath)).Text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The language file a pointer line names, when it is a file that exists.
std::optional<std::string> ExistingLanguageFile(const std::string& line) {
  std::optional<std::string> name = LanguageFileOfPointer(line);
  if (!name || !IsExistingFile(ProgramDir + *name)) return std::nullopt;
  return ProgramDir + *name;
}
}  // namespace

TDLng::TDLng(TComponent* AOwner) : tOrvFormMetal(AOwner) {
  SetName("DLng");
  SetCaption("Choose Language");
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetPosition(poScreenCenter);
  Font()->SetName("Arial");
  Font()->SetHeight(-11);

  PZLabel1 = Placed<TPZLabel>(this, this, "PZLabel1", 8, 8, 113, 28);
  PZLabel1->SetCaption(Utf8ToAnsi("Languages available:\\lbVerf\xC3\xBC" "gbare Sprachen:"));
  PZLabel1->SetHorzAlignment(haLeft);
  PZLabel1->SetVertAlignment(vaTop);

  OrvRoundRectPanel1 = Placed<TOrvRoundRectPanel>(this, this, "OrvRoundRectPanel1", 8, 48, 145, 97);
  OrvRoundRectPanel1->SetRndRadius(20);
  OrvRoundRectPanel1->SetClipMargins(2, 3, 2, 3);
  OrvRoundRectPanel1->SetTabStop(false);
  ListBox1 = Placed<TListBox>(this, OrvRoundRectPanel1, "ListBox1", 8, 8, 129, 81);
  ListBox1->SetBorderStyle(bsNone);
  ListBox1->SetItemHeight(14);
  ListBox1->OnChange = [this](TObject* s) { ListBox1Click(s); };

  CreateButtons();

  OrvWindowSizeHook1 = Placed<TOrvWindowSizeHook>(this, this, "OrvWindowSizeHook1", 270, 140, 16, 16);
  OrvWindowSizeHook1->SetActive(true);
  DLng = this;
}

TDLng::~TDLng() {
  if (DLng == this) DLng = nullptr;
}

void TDLng::CreateButtons() {
  OrvNewButton1 = HelpButton(this, "OrvNewButton1", "English Help", 48);
  OrvNewButton1->OnClick = [this](TObject* s) { Button1Click(s); };
  OrvNewButton2 = HelpButton(this, "OrvNewButton2", "Deutsche Hilfe", 72);
  OrvNewButton2->OnClick = [this](TObject* s) { Button2Click(s); };

  OrvNewButton3 = Placed<TOrvNewButton>(this, this, "OrvNewButton3", 176, 100, 100, 21);
  OrvNewButton3->SetKind(ibkOK);
  OrvNewButton3->SetResBmpActive("OKGREEN");
  OrvNewButton3->SetResBmpNormal("OKSILVER");
  ButtonFont(OrvNewButton3, fsBold, clGreen);
  OrvNewButton3->SetColorActive(11796403);
  OrvNewButton3->SetCaptionLeft(50);
  OrvNewButton3->SetCaptionHCenter(false);
  OrvNewButton3->SetCaption("OK");
  OrvNewButton3->SetDefault(true);
  OrvNewButton3->SetModalResult(1);
  OrvNewButton3->SetEnabled(false);

  OrvNewButton4 = Placed<TOrvNewButton>(this, this, "OrvNewButton4", 176, 124, 100, 21);
  OrvNewButton4->SetKind(ibkCancel);
  OrvNewButton4->SetResBmpActive("CANCELRED");
  OrvNewButton4->SetResBmpNormal("CANCELSILVER");
  ButtonFont(OrvNewButton4, fsBold, clMaroon);
  OrvNewButton4->SetColorActive(13487606);
  OrvNewButton4->SetCaptionLeft(35);
  OrvNewButton4->SetCaptionHCenter(false);
  OrvNewButton4->SetCaption("Abbruch");
  OrvNewButton4->SetCancel(true);
  OrvNewButton4->SetModalResult(2);
}

void TDLng::Loaded() {
  tOrvFormMetal::Loaded();
  // Only once the form exists is its client area known.
  SetClientSize(286, 156);
}

void TDLng::ListBox1Click(TObject*) { OrvNewButton3->SetEnabled(ListBox1->ItemIndex() >= 0); }

void TDLng::Button1Click(TObject*) { ShowManual("Language.txt", false); }

void TDLng::Button2Click(TObject*) { ShowManual("Sprache.txt", false); }

// ---- choosing and loading ---------------------------------------------------------------
void ChooseLanguage(const std::string& pointerPath) {
  auto* chooser = new TDLng(Application);
  chooser->AfterConstruction();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((ProgramDir + "*.OQL").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          IsLanguageFileName(found.cFileName))
        chooser->ListBox1->Items()->Add(LanguageNameOf(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  int result = 0;
  std::string chosen;
  try {
    result = chooser->ShowModal();
    const int i = chooser->ListBox1->ItemIndex();
    if (i >= 0) chosen = chooser->ListBox1->Items()->Strings(i);
  } catch (...) {
    TComponent::Free(chooser);
    throw;
  }
  TComponent::Free(chooser);
  if (result != 1 || chosen.empty()) return;
  try {
    WriteWholeFile(pointerPath, PointerFileText(chosen));
  } catch (const std::exception&) {
    ErrorBox("Error writing OrvQuill.lng!", "Error");
    return;
  }
  LanguageName = chosen;
}

LanguageTexts LoadLanguage() {
  // A program that ends at once (the type chooser was started in its place)
  // asks nothing: a chooser would flash up and vanish.
  if (Application && Application->Terminated()) return {};
  const std::string pointer = LanguagePointerPath(ProgramPath);
  if (!IsExistingFile(pointer)) ChooseLanguage(pointer);
  if (!IsExistingFile(pointer)) return {};

  std::optional<std::string> line = ReadPointerLine(pointer);
  if (line) LanguageName = LanguageNameOf(*line);
  std::optional<std::string> file = line ? ExistingLanguageFile(*line) : std::nullopt;
  if (!file) {
    if (!line)
      ErrorBox("Error reading language file OrvQuill.lng, please choose Language!", "Error");
    else
      ErrorBox("Language specified in OrvQuill.lng does not exists!", "Error!");
    ChooseLanguage(pointer);
    line = ReadPointerLine(pointer);
    file = line ? ExistingLanguageFile(*line) : std::nullopt;
    if (!file) return {};
  }

  std::string bytes;
  try {
    bytes = ReadWholeFile(*file);
  } catch (const std::exception&) {
    return {};  // no line could be read: every text stays as it is
  }
  // Users' own language files are written in their legacy code page, as
  // the shipped German one is; UTF-8 files are taken as they are.
  LanguageTexts texts = ReadLanguageFile(DecodeTextBytes(bytes).Text);
  ApplyProgramTexts(texts);
  if (DAttribs) DAttribs->ApplyLanguage(texts);
  return texts;
}
