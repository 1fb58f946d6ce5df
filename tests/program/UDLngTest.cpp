// The language chooser and the loading of a language at start-up, with real
// pointer and language files in a program folder of the test's own. The
// modal chooser is driven by real messages from inside its own loop.
#include "dialogs/UDLng.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "DialogsTestUtil.h"
#include "controls/EnterExitButton.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/UHelp.h"
#include "drawing/PZLabel.h"
#include "framework/WideText.h"
#include "program/ProgramValues.h"

using namespace dlgtest;

namespace {

// Answers the chooser whenever it opens: the script runs inside the
// chooser's modal loop, once the chooser is on the screen.
class ChooserDriver {
 public:
  explicit ChooserDriver(std::function<void(TDLng*)> script) : FScript(std::move(script)) {
    FKey = Application->OnModalBegin.Add([this](TObject*) {
      if (!DLng) return;
      ++Opened;
      Application->QueueCall([this] {
        if (DLng) FScript(DLng);
      });
    });
  }
  ~ChooserDriver() { Application->OnModalBegin.Remove(FKey); }
  ChooserDriver(const ChooserDriver&) = delete;
  ChooserDriver& operator=(const ChooserDriver&) = delete;

  int Opened = 0;

 private:
  std::function<void(TDLng*)> FScript;
  int FKey = 0;
};

std::vector<std::string> Listed(TDLng* d) {
  std::vector<std::string> v = d->ListBox1->Items()->Items();
  std::sort(v.begin(), v.end());
  return v;
}

// Selects the entry with a real click on its row and presses OK.
void Choose(TDLng* d, const std::string& name) {
  const int i = d->ListBox1->Items()->IndexOf(name);
  ASSERT_GE(i, 0) << name;
  const TRect r = d->ListBox1->ItemRect(i);
  testkit::Click(d->ListBox1, r.left + 4, r.top + 3);
  ASSERT_TRUE(d->OrvNewButton3->Enabled());
  testkit::Click(d->OrvNewButton3, 50, 10);
}

void Cancel(TDLng* d) { testkit::Click(d->OrvNewButton4, 50, 10); }

class DLngTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramTexts();
    ProgramDir = Dir.Path() + "\\";
    ProgramPath = Dir / "OrvQuill.exe";
    const std::string data = DataFolder();
    ASSERT_FALSE(data.empty()) << "no data folder above " << testkit::ExeFolder();
    for (const char* f : {"English.OQL", "Deutsch.OQL"})
      ASSERT_TRUE(CopyFileA((data + f).c_str(), (Dir / f).c_str(), FALSE));
    Attribs = new TDAttribs(Application);
    Attribs->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Attribs);
    FreeAll<TWHelp>();
    testkit::PumpPending();
    EXPECT_EQ(nullptr, DLng);
    ResetProgramTexts();
  }
  std::string Pointer() const { return Dir / "OrvQuill.LNG"; }

  testkit::TempDir Dir;
  testkit::MessageBoxRecorder Boxes;
  TDAttribs* Attribs = nullptr;
};

}  // namespace

TEST_F(DLngTest, StartUpCases) {
  enum class Then { NoChooser, Cancel, ChooseGerman, ChooseEnglish };
  struct Case {
    const char* Name;
    const char* PointerText;  // null: no pointer file
    Then Chooser;
    const char* BoxText;      // the message shown first, or null
    const char* BoxCaption;
    const char* PointerAfter;  // null: still none
    const char* ErrorCaption;  // MessageTexts' "Error" afterwards: the language in force
  };
  const Case cases[] = {
      {"pointer to an existing file", "Deutsch.OQL\r\n", Then::NoChooser, nullptr, nullptr,
       "Deutsch.OQL\r\n", "Fehler"},
      {"only the first line counts", "English.OQL\r\nDeutsch.OQL\r\n", Then::NoChooser, nullptr,
       nullptr, "English.OQL\r\nDeutsch.OQL\r\n", "Error"},
      {"first start: chosen", nullptr, Then::ChooseGerman, nullptr, nullptr, "Deutsch.OQL\r\n",
       "Fehler"},
      {"first start: cancelled", nullptr, Then::Cancel, nullptr, nullptr, nullptr, "Error"},
      {"language file gone", "Klingon.OQL", Then::ChooseGerman,
       "Language specified in OrvQuill.lng does not exists!", "Error!", "Deutsch.OQL\r\n",
       "Fehler"},
      {"gone, and the chooser cancelled", "Klingon.OQL", Then::Cancel,
       "Language specified in OrvQuill.lng does not exists!", "Error!", "Klingon.OQL", "Error"},
      {"a line too short to name a file", "ab", Then::ChooseEnglish,
       "Language specified in OrvQuill.lng does not exists!", "Error!", "English.OQL\r\n",
       "Error"},
      {"a line naming a folder", "Folder.OQL", Then::ChooseGerman,
       "Language specified in OrvQuill.lng does not exists!", "Error!", "Deutsch.OQL\r\n",
       "Fehler"},
  };
  Dir.MakeDir("Folder.OQL");
  // Matches the mask only by a short 8.3 alias where the system makes one.
  Dir.Write("Deutsch.OQLX", "#\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ResetProgramTexts();
    TComponent::Free(Attribs);
    Attribs = Application->CreateForm<TDAttribs>();
    Boxes.Boxes.clear();
    DeleteFileA(Pointer().c_str());
    if (c.PointerText) Dir.Write("OrvQuill.LNG", c.PointerText);
    std::vector<std::string> listed;
    bool okEnabledAtFirst = true;
    ChooserDriver driver([&](TDLng* d) {
      listed = Listed(d);
      okEnabledAtFirst = d->OrvNewButton3->Enabled();
      if (c.Chooser == Then::ChooseGerman) Choose(d, "Deutsch");
      else if (c.Chooser == Then::ChooseEnglish) Choose(d, "English");
      else Cancel(d);
    });
    const LanguageTexts texts = LoadLanguage();
    EXPECT_EQ(driver.Opened, c.Chooser == Then::NoChooser ? 0 : 1);
    if (c.Chooser != Then::NoChooser) {
      EXPECT_EQ(listed, (std::vector<std::string>{"Deutsch", "English"}));
      EXPECT_FALSE(okEnabledAtFirst);
    }
    if (c.BoxText) {
      ASSERT_EQ(Boxes.Boxes.size(), 1u);
      EXPECT_EQ(Boxes.Boxes[0].Text, c.BoxText);
      EXPECT_EQ(Boxes.Boxes[0].Caption, c.BoxCaption);
      EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR);
    } else {
      EXPECT_TRUE(Boxes.Boxes.empty());
    }
    if (c.PointerAfter) EXPECT_EQ(testkit::ReadFile(Pointer()), c.PointerAfter);
    else EXPECT_FALSE(testkit::FileExists(Pointer()));
    EXPECT_EQ(MessageTexts[MessageId::Error], c.ErrorCaption);
    // The attribute dialog took the texts at once; the main window gets them
    // from the result.
    const bool german = std::string(c.ErrorCaption) == "Fehler";
    EXPECT_EQ(Attribs->ButtApply->Caption(), german ? "&Anwenden" : "&Apply");
    const std::string* update = texts.Text(LangLine::UpdateCaption);
    EXPECT_EQ(update ? *update : "<none>",
              c.Chooser == Then::Cancel ? "<none>" : german ? "&Aktualisieren" : "&Update");
    if (german) EXPECT_EQ(LanguageName, "Deutsch");
  }
}

// A pointer file that cannot be read, and then not written either: the user
// is told both, the old choice stays as it was, the texts stay English.
TEST_F(DLngTest, LockedPointerFileKeepsTheOldChoice) {
  Dir.Write("OrvQuill.LNG", "Deutsch.OQL\r\n");
  HANDLE lock = CreateFileA(Pointer().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ChooserDriver driver([](TDLng* d) { Choose(d, "English"); });
  LoadLanguage();
  CloseHandle(lock);
  ASSERT_EQ(Boxes.Boxes.size(), 2u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "Error reading language file OrvQuill.lng, please choose Language!");
  EXPECT_EQ(Boxes.Boxes[0].Caption, "Error");
  EXPECT_EQ(Boxes.Boxes[1].Text, "Error writing OrvQuill.lng!");
  EXPECT_EQ(Boxes.Boxes[1].Caption, "Error");
  EXPECT_TRUE(Boxes.Boxes[1].Flags & MB_ICONERROR);
  EXPECT_EQ(testkit::ReadFile(Pointer()), "Deutsch.OQL\r\n");
  EXPECT_EQ(MessageTexts[MessageId::Error], "Error");
  EXPECT_EQ(Attribs->ButtApply->Caption(), "&Apply");
  // No temporary file of the failed write is left behind.
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((Dir / "oq*.tmp").c_str(), &f);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << f.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

// The chooser's help buttons open the help texts in viewers that stay usable
// while the chooser is modal; the chooser is laid out in its frame.
TEST_F(DLngTest, HelpOpensViewersBesideTheModalChooser) {
  const std::string data = DataFolder();
  for (const char* f : {"Language.txt", "Sprache.txt"})
    ASSERT_TRUE(CopyFileA((data + f).c_str(), (Dir / f).c_str(), FALSE));
  std::vector<bool> viewersEnabled;
  ChooserDriver driver([&](TDLng* d) {
    // The grip's corner (286, 156) and the dialog frame's margin of one
    // pixel make the client panel, under the 18-pixel title bar.
    EXPECT_EQ(d->PanelClient->ClientWidth(), 287);
    EXPECT_EQ(d->PanelClient->ClientHeight(), 157);
    EXPECT_EQ(d->Height(), 18 + 157);
    // The chooser's own German line, whatever the process's code page.
    EXPECT_NE(d->PZLabel1->Caption().find(WideToAnsi(L"Verf\x00FCgbare Sprachen")), std::string::npos);
    {
      ShotWithFaces faces;
      ShotWithFaces::Save(d->Handle(), "DLng_chooser.png");
    }
    testkit::Click(d->OrvNewButton1, 50, 10);
    testkit::Click(d->OrvNewButton2, 50, 10);
    for (TWHelp* v : FormsOf<TWHelp>()) viewersEnabled.push_back(IsWindowEnabled(v->Handle()) != 0);
    Cancel(d);
  });
  ChooseLanguage(Pointer());
  EXPECT_EQ(viewersEnabled, (std::vector<bool>{true, true}));
  std::vector<std::string> captions;
  for (TWHelp* v : FormsOf<TWHelp>()) captions.push_back(WindowCaption(v->Handle()));
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_NE(captions[0].find("Language.txt"), std::string::npos);
  EXPECT_NE(captions[1].find("Sprache.txt"), std::string::npos);
}
