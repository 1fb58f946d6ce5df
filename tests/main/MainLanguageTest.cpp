// The language files as the user gets them, on the real main window, the
// attribute dialog and a new batch window.
#include <gtest/gtest.h>

#include "MainFixture.h"
#include "controls/EnterExitButton.h"
#include "dialogs/UBatch.h"
#include "dialogs/UDAttrib.h"
#include "framework/WideText.h"

namespace {

struct Texts {
  std::string Caption, Hint;
};

// Every text of the main window that a language file replaces.
std::vector<std::pair<const char*, Texts>> WindowTexts(TForm1* f) {
  std::vector<std::pair<const char*, Texts>> v;
  for (TControl* c : std::initializer_list<TControl*>{
           f->SpbUpdate, f->SpbExplore, f->SpbExplorer, f->SpbCross, f->SPBFilter, f->SpBFName,
           f->CheckBoxDOS, f->CheckBoxDIR, f->CommLine, f->FilterLine, f->SpBAttribs,
           f->SpBBatch})
    v.push_back({c->Name().c_str(), {c == f->CommLine || c == f->FilterLine ? "" : c->Caption(),
                                     c->Hint()}});
  return v;
}

void Shot(TForm* f, const std::string& name) {
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
  testkit::SaveWindowShot(f->Handle(), testkit::ShotsFolder() + name);
}

using MainLanguage = MainFixture;

}  // namespace

// The shipped English file says what the program says without it: every
// text of the window, the dialogs and the program stays as designed.
TEST_F(MainLanguage, EnglishFileKeepsTheDesignedTexts) {
  auto* designed = new TForm1(Application);  // never shown: no language read
  designed->AfterConstruction();
  const auto expected = WindowTexts(designed);
  TComponent::Free(designed);
  Form1 = F;
  const auto shown = WindowTexts(F);
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    SCOPED_TRACE(shown[i].first);
    EXPECT_EQ(shown[i].second.Caption, expected[i].second.Caption);
    EXPECT_EQ(shown[i].second.Hint, expected[i].second.Hint);
  }
  const std::string question = MessageTexts[MessageId::InterpreterQuestion];
  const std::string tooLong = MessageTexts[MessageId::CommandTooLong];
  ResetProgramTexts();
  EXPECT_EQ(question, MessageTexts[MessageId::InterpreterQuestion]);
  EXPECT_EQ(tooLong, MessageTexts[MessageId::CommandTooLong]);
  EXPECT_TRUE(Boxes.Boxes.empty());
  Shot(F, "Main_English.png");
}

TEST_F(MainLanguage, GermanReachesTheWindowTheDialogsAndLaterBatchWindows) {
  TComponent::Free(F);
  F = nullptr;
  auto* attribs = Application->CreateForm<TDAttribs>();
  UseLanguage("Deutsch");
  F = Application->CreateForm<TForm1>();
  attribs->SetFileList(F->FileListBox1);
  F->Show();
  ASSERT_TRUE(testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; }));
  EXPECT_TRUE(Boxes.Boxes.empty());

  // The shipped German file is written in code page 1252, as users' own
  // language files are; the program shows its characters.
  const auto Legacy = [](const std::string& bytes) { return DecodeTextBytes(bytes, 1252).Text; };
  const std::pair<TControl*, Texts> expected[] = {
      {F->SpbUpdate, {"&Aktualisieren", "Ansichten aktualisieren"}},
      {F->SpbExplore, {"&Ordner \xF6" "ffnen", "Fenster f\xFCr das aktuelle Verzeichnis \xF6" "ffnen"}},
      {F->SpbExplorer, {"E&xplorer", "Windows-Explorer starten"}},
      {F->SpbCross, {"'#' einf\xFCgen", "Zeichen '#' in die Befehlszeile einf\xFCgen"}},
      {F->SPBFilter, {"Filter einf\xFCgen", "Filter in die Befehlszeile einf\xFCgen"}},
      {F->SpBFName, {"Dateiname", "Markierten Dateinamen in die Befehlszeile einf\xFCgen"}},
      {F->CheckBoxDOS, {"DOS-Fenster nach Ausf\xFChrung schlie\xDF" "en", ""}},
      {F->CheckBoxDIR, {"Befehl im DOS-Fenster ausf\xFChren", ""}},
      {F->SpBBatch, {"", "Stapelverarbeitung"}},
      {F->FilterLine, {"", "Hier k\xF6nnen Sie einen Filter eingeben"}},
      {F->SpBAttribs, {"", "Attribute"}},
  };
  for (const auto& [control, texts] : expected) {
    SCOPED_TRACE(control->Name());
    if (!texts.Caption.empty()) EXPECT_EQ(control->Caption(), Legacy(texts.Caption));
    if (!texts.Hint.empty()) EXPECT_EQ(control->Hint(), Legacy(texts.Hint));
  }
  EXPECT_EQ(F->CommLine->Hint().substr(0, 15), Legacy("Dr\xFC" "cken Sie #,"));
  EXPECT_NE(F->LabFileCount->Caption().find("Objekt(e)"), std::string::npos);
  EXPECT_EQ(attribs->ButtApply->Caption(), "&Anwenden");
  EXPECT_EQ(attribs->ButtClose->Caption(), Legacy("&Schlie\xDF" "en"));
  EXPECT_EQ(attribs->Label1->Caption().substr(0, 15), "Die Dateiliste ");
  EXPECT_EQ(attribs->OrvCheck1->Caption(), "ReadOnly");  // not translated
  EXPECT_EQ(DropHintText, Legacy("Dr\xFC" "cken Sie die Eingabetaste, um den Kopiervorgang auszuf\xFChren."));

  TDBatch* batch = CreateBatchWindow();
  EXPECT_EQ(batch->OrvNewButton1->Caption(), "Star&ten");
  EXPECT_EQ(batch->OrvNewButton2->Caption(), "A&bbruch");
  EXPECT_EQ(batch->OrvNewButton3->Caption(), "&Speichern unter...");

  // A failed start speaks German too.
  F->ShowStartError(StartedAs::Program, 2);
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "Datei nicht gefunden!");
  EXPECT_EQ(Boxes.Boxes[0].Caption, "Fehler");
  // And so does a command too long for the interpreter.
  F->CheckBoxDIR->SetChecked(true);
  testkit::ProcessRecorder starts(false);
  F->RunCommand(std::string(9000, 'x'), true);
  EXPECT_EQ(Boxes.Boxes.back().Text,
            Legacy("Der Befehl ist zu lang: der Befehlsinterpreter nimmt h\xF6" "chstens 8191 Zeichen an."));

  Shot(F, "Main_Deutsch.png");
  batch->Show();
  Shot(batch, "DBatch_Deutsch.png");
  attribs->Show();
  Shot(attribs, "DAttribs_Deutsch.png");
  TComponent::Free(batch);
  TComponent::Free(attribs);
  ResetProgramTexts();
}
