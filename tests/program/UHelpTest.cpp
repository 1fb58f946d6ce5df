#include "dialogs/UHelp.h"

#include <gtest/gtest.h>

#include "DialogsTestUtil.h"
#include "controls/OrvRoundRectPanel.h"
#include "dialogs/DialogRules.h"
#include "framework/WideText.h"
#include "program/ProgramValues.h"

using namespace dlgtest;

namespace {

const char kRtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}"
    "\\f0\\fs20 Plain words, then {\\b bold words} again.\\par}";

class WHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramTexts();
    SavedProgramDir = ProgramDir;
    ProgramDir = Dir.Path() + "\\";
  }
  void TearDown() override {
    FreeAll<TWHelp>();
    ProgramDir = SavedProgramDir;
    EXPECT_EQ(nullptr, WHelp);
  }

  // Runs a request the way a click or a typed command does: from the
  // message loop, where an escaping error reaches the default error box.
  void RunFromLoop(std::function<void()> request) {
    Application->QueueCall(std::move(request));
    Application->RunQueuedCalls();
  }

  static std::string Text(TWHelp* v) { return v->RichEdit1->Lines()->Text(); }
  static HWND Edit(TWHelp* v) { return v->RichEdit1->Handle(); }

  testkit::TempDir Dir;
  testkit::MessageBoxRecorder Boxes;
  std::string SavedProgramDir;
};

}  // namespace

TEST_F(WHelpTest, ManualTwiceOpensTwoIndependentViewers) {
  Dir.Write("ReadMe.RTF", kRtf);
  TWHelp* first = ShowManual("ReadMe.RTF", true);
  TWHelp* second = ShowManual("ReadMe.RTF", true);
  ASSERT_NE(first, second);
  EXPECT_EQ(second, WHelp);
  EXPECT_EQ(2u, FormsOf<TWHelp>().size());
  for (TWHelp* v : {first, second}) {
    EXPECT_TRUE(IsWindowVisible(v->Handle()));
    EXPECT_EQ("OrvQuillon -- Manual file: ReadMe.RTF", WindowCaption(v->Handle()));
    EXPECT_NE(std::string::npos, Text(v).find("Plain words, then bold words again."));
  }
  EXPECT_EQ("OrvQuill\\WHelp", first->FormKey());
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(WHelpTest, ClosingAViewerClearsTheReferenceEvenWithAnotherOpen) {
  Dir.Write("a.txt", "first\r\n");
  Dir.Write("b.txt", "second\r\n");
  TWHelp* a = ViewFile(Dir / "a.txt", false);
  TWHelp* b = ViewFile(Dir / "b.txt", false);
  ASSERT_EQ(b, WHelp);

  ASSERT_TRUE(CloseAndWait(a));
  EXPECT_EQ(nullptr, WHelp);
  ASSERT_TRUE(Alive(b));
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
  EXPECT_NE(std::string::npos, Text(b).find("second"));

  // The later one, closed last, frees itself as well.
  ASSERT_TRUE(CloseAndWait(b));
  EXPECT_TRUE(FormsOf<TWHelp>().empty());
}

TEST_F(WHelpTest, RtfNamesInAnyCaseShowFormattedText) {
  Dir.MakeDir("Build");
  for (const char* name : {"notes.RTF", "notes.rtf", "Notes.Rtf"}) {
    SCOPED_TRACE(name);
    const std::string path = Dir / (std::string("Build\\") + name);
    Dir.Write(std::string("Build\\") + name, kRtf);
    ASSERT_TRUE(IsRichTextName(path));
    TWHelp* v = ViewFile(path, IsRichTextName(path));
    EXPECT_FALSE(v->RichEdit1->PlainText());
    const std::string t = Text(v);
    EXPECT_EQ(std::string::npos, t.find("\\rtf"));
    EXPECT_EQ(std::string::npos, t.find("{"));
    CHARRANGE bold = FindInRichEdit(Edit(v), "bold words");
    CHARRANGE plain = FindInRichEdit(Edit(v), "Plain words");
    ASSERT_GE(bold.cpMin, 0);
    ASSERT_GE(plain.cpMin, 0);
    EXPECT_TRUE(FormatOf(Edit(v), bold).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(Edit(v), plain).dwEffects & CFE_BOLD);
    // "\B" of "\Build" stays in the title: the path is escaped, not markup.
    EXPECT_EQ("OrvQuillon -- VIEW " + path, WindowCaption(v->Handle()));
  }
}

TEST_F(WHelpTest, PlainTextIsShownAsItStandsInFixedSys10Points) {
  // Rich-text codes in a plain file are text, not formatting.
  Dir.Write("notes.txt", "first line\r\n{\\rtf1 {\\b not bold}}\r\n");
  const std::string path = Dir / "notes.txt";
  ASSERT_FALSE(IsRichTextName(path));
  TWHelp* v = ViewFile(path, false);
  EXPECT_TRUE(v->RichEdit1->PlainText());
  EXPECT_NE(std::string::npos, Text(v).find("{\\rtf1 {\\b not bold}}"));

  CHARFORMAT2A cf = FormatOf(Edit(v), FindInRichEdit(Edit(v), "not bold"));
  EXPECT_STREQ("FixedSys", cf.szFaceName);
  EXPECT_EQ(200, cf.yHeight);  // twips: 10 points
  EXPECT_EQ(FIXED_PITCH, cf.bPitchAndFamily & 3);
  EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
  cf = FormatOf(Edit(v), FindInRichEdit(Edit(v), "first line"));
  EXPECT_STREQ("FixedSys", cf.szFaceName);
  EXPECT_EQ(200, cf.yHeight);
}

// Columns stay aligned: narrow and wide letters take the same room, also
// where the system has no font of that name.
TEST_F(WHelpTest, PlainTextIsShownInAFixedPitchFont) {
  Dir.Write("cols.txt", "iiiiWWWW|\r\n");
  TWHelp* v = ViewFile(Dir / "cols.txt", false);
  testkit::PumpPending();
  auto x = [&](int at) {
    return LOWORD(SendMessageA(Edit(v), EM_POSFROMCHAR, static_cast<WPARAM>(at), 0));
  };
  EXPECT_GT(x(4), x(0));
  EXPECT_EQ(x(4) - x(0), x(8) - x(4));
}

TEST_F(WHelpTest, RtfNameHoldingPlainTextIsShownAsTheControlRendersIt) {
  Dir.Write("plain.RTF", "just text\r\nsecond line\r\n");
  TWHelp* v = ViewFile(Dir / "plain.RTF", true);
  const std::string t = Text(v);
  EXPECT_NE(std::string::npos, t.find("just text"));
  EXPECT_NE(std::string::npos, t.find("second line"));
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// A file that cannot be read: the default error box names it, and no viewer
// is left behind, shown or hidden.
TEST_F(WHelpTest, UnreadableFilesGiveTheErrorBoxAndNoViewer) {
  Dir.MakeDir("folder");
  Dir.Write("locked.txt", "secret");
  HANDLE lock = CreateFileA((Dir / "locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);

  struct Case {
    const char* what;
    std::function<void()> request;
    std::string named;
  } cases[] = {
      {"missing manual", [] { ShowManual("Missing.RTF", true); }, ProgramDir + "Missing.RTF"},
      {"directory", [this] { ViewFile(Dir / "folder", false); }, Dir / "folder"},
      {"locked file", [this] { ViewFile(Dir / "locked.txt", false); }, Dir / "locked.txt"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    Boxes.Boxes.clear();
    RunFromLoop(c.request);
    ASSERT_EQ(1u, Boxes.Boxes.size());
    EXPECT_NE(std::string::npos, Boxes.Boxes[0].Text.find(c.named));
    EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR);
    EXPECT_TRUE(FormsOf<TWHelp>().empty());
    EXPECT_EQ(nullptr, WHelp);
  }
  CloseHandle(lock);
}

TEST_F(WHelpTest, BinaryFileShowsEverythingAfterNulBytes) {
  Dir.Write("data.bin", std::string("head\0\0tail\x01\xFF end", 16));
  for (bool rich : {false, true}) {
    SCOPED_TRACE(rich);
    TWHelp* v = ViewFile(Dir / "data.bin", rich);
    const std::string t = Text(v);
    EXPECT_NE(std::string::npos, t.find("head"));
    EXPECT_NE(std::string::npos, t.find("tail"));
    EXPECT_NE(std::string::npos, t.find("end"));
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(WHelpTest, TextAreaFillsTheWindowWithAMarginAndFollowsResizing) {
  Dir.Write("a.txt", "x");
  TWHelp* v = ViewFile(Dir / "a.txt", false);
  TOrvRoundRectPanel* p = v->OrvRoundRectPanel1;
  auto expectMargins = [&] {
    EXPECT_EQ(8, p->Left());
    EXPECT_EQ(8, p->Top());
    EXPECT_EQ(v->PanelClient->ClientWidth() - 16, p->Width());
    EXPECT_EQ(v->PanelClient->ClientHeight() - 16, p->Height());
    // The text keeps its designed distance to every edge of the panel.
    EXPECT_EQ(p->Width() - 8 - 6, v->RichEdit1->Width());
    EXPECT_EQ(p->Height() - 8 - 7, v->RichEdit1->Height());
  };
  expectMargins();
  SetWindowPos(v->Handle(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  testkit::PumpPending();
  EXPECT_EQ(640, v->Width());
  expectMargins();
  EXPECT_TRUE(v->RichEdit1->ReadOnly());
  EXPECT_EQ(ssVertical, v->RichEdit1->ScrollBars());
}

// The shipped manual and help texts, as the user sees them.
TEST_F(WHelpTest, ShippedManualAndHelpTextsReadWhole) {
  const std::string data = DataFolder();
  if (data.empty()) GTEST_SKIP() << "no data folder above " << testkit::ExeFolder();
  ProgramDir = data;

  TWHelp* manual = ShowManual("ReadMe.RTF", true);
  const std::string t = Text(manual);
  EXPECT_EQ(std::string::npos, t.find("\\rtf"));
  // The last sentence arrives: no group of the file swallowed the rest.
  EXPECT_NE(std::string::npos, t.find("Orv Quillon keeps nothing else"));
  for (const char* topic : {"Built-in words", "The forms of CD", "OrvExec", "The batch window",
                            "The attribute dialog", "Drag and drop", "POSRESTORE",
                            "oqtyp.exe", "OrvQuill.lng"})
    EXPECT_NE(std::string::npos, t.find(topic)) << topic;
  ShotWithFaces::Save(manual->Handle(), "WHelp_manual.png");
  CHARFORMAT2A heading = FormatOf(Edit(manual), FindInRichEdit(Edit(manual), "4. Built-in words"));
  CHARFORMAT2A body = FormatOf(Edit(manual), FindInRichEdit(Edit(manual), "These words are"));
  EXPECT_TRUE(heading.dwEffects & CFE_BOLD);
  EXPECT_FALSE(body.dwEffects & CFE_BOLD);
  EXPECT_GT(heading.yHeight, body.yHeight);

  TWHelp* english = ShowManual("Language.txt", false);
  EXPECT_NE(std::string::npos, Text(english).find("hint of the batch button"));
  EXPECT_EQ("OrvQuillon -- Manual file: Language.txt", WindowCaption(english->Handle()));
  ShotWithFaces::Save(english->Handle(), "WHelp_plain.png");

  TWHelp* german = ShowManual("Sprache.txt", false);
  // Written in the legacy code page 1252 (the umlauts single bytes): shown
  // as the characters they are, whatever the program's own code page.
  EXPECT_NE(std::string::npos, Text(german).find(WideToAnsi(L"W\x00E4hlen Sie in der Liste eine Sprache")));
  EXPECT_NE(std::string::npos, Text(german).find(WideToAnsi(L"Schlie\x00DF" L"en")));
  EXPECT_TRUE(Boxes.Boxes.empty());
}
