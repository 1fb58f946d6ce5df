// TRichEdit: rich and plain loading, fonts, big and binary files, errors.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TViewerForm : public TForm {
 public:
  explicit TViewerForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(120, 60, 433, 307);
    RichEdit1 = Placed<TRichEdit>(this, this, "RichEdit1", 8, 8, 395, 242);
    RichEdit1->SetReadOnly(true);
    RichEdit1->SetScrollBars(ssVertical);
  }
  TRichEdit* RichEdit1;
};

struct RichEditFixture : testkit::FormFixture<TViewerForm> {
  TRichEdit* Edit = nullptr;
  testkit::TempDir Dir;
  void SetUp() override {
    FormFixture::SetUp();
    Edit = Form->RichEdit1;
    Form->Show();
  }
  // The character format at a text position.
  CHARFORMAT2A FormatAt(int pos) {
    HWND h = Edit->Handle();
    SendMessageA(h, EM_SETSEL, pos, pos + 1);
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(h, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
  }
};

const char kRtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 plain {\\b bold} end\\par}";

}  // namespace

using RichEdit = RichEditFixture;

TEST_F(RichEdit, RichTextIsFormattedAndPlainModeShowsItsSource) {
  Dir.Write("notes.rtf", kRtf);
  Edit->Lines()->LoadFromFile(Dir / "notes.rtf");
  std::string text = Edit->Text();
  EXPECT_EQ(text.substr(0, 14), "plain bold end");
  EXPECT_TRUE(FormatAt(7).dwEffects & CFE_BOLD);
  EXPECT_FALSE(FormatAt(1).dwEffects & CFE_BOLD);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "richedit-rtf.png");

  Edit->SetPlainText(true);
  Edit->Lines()->LoadFromFile(Dir / "notes.rtf");
  EXPECT_EQ(Edit->Text(), kRtf);
  EXPECT_FALSE(FormatAt(30).dwEffects & CFE_BOLD);
}

TEST_F(RichEdit, PlainTextTakesTheFontWhole) {
  Dir.Write("notes.txt", "first line\r\nsecond line\r\n");
  Edit->SetPlainText(true);
  Edit->LoadFromFile(Dir / "notes.txt");
  Edit->Font()->SetName("FixedSys");
  Edit->Font()->SetSize(10);
  EXPECT_EQ(Edit->Lines()->Count(), 2);
  EXPECT_EQ(Edit->Lines()->Strings(1), "second line");
  for (int pos : {0, 15}) {
    CHARFORMAT2A cf = FormatAt(pos);
    EXPECT_STREQ(cf.szFaceName, "FixedSys");
    EXPECT_EQ(cf.yHeight, 200);  // twips: 10 points
  }
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "richedit-plain.png");
}

TEST_F(RichEdit, BigFilesLoadWholeAndBinaryFilesKeepTheirLength) {
  std::string big;
  while (big.size() < 1000000) big += "dir /s /b c:\\windows\\system32 > list.txt\r\n";
  Dir.Write("big.txt", big);
  Edit->SetPlainText(true);
  Edit->LoadFromFile(Dir / "big.txt");
  EXPECT_EQ(Edit->Text().size(), big.size());

  // A NUL would end the text in the control: the rest must still show.
  Dir.Write("prog.bin", std::string("MZP\0\0\0header\0tail", 17));
  Edit->LoadFromFile(Dir / "prog.bin");
  EXPECT_EQ(Edit->Text(), std::string("MZP   header tail"));

  // Rich-text mode reads a file that is no rich text as text as well.
  Edit->SetPlainText(false);
  Edit->LoadFromFile(Dir / "prog.bin");
  EXPECT_EQ(Edit->Text().substr(6), "header tail");
}

TEST_F(RichEdit, AFileThatCannotBeOpenedRaisesEFOpenError) {
  Edit->SetText("kept");
  std::string missing = Dir / "ReadMe.RTF";
  try {
    Edit->LoadFromFile(missing);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    std::string what = e.what();
    EXPECT_NE(what.find(missing), std::string::npos);
    EXPECT_GT(what.size(), missing.size() + 20);  // with the system's message
  }
  EXPECT_EQ(Edit->Text(), "kept");
}

TEST_F(RichEdit, ANewWindowKeepsTheFormattedText) {
  Dir.Write("notes.rtf", kRtf);
  Edit->LoadFromFile(Dir / "notes.rtf");
  HWND before = Edit->Handle();
  Edit->SetScrollBars(ssBoth);
  EXPECT_NE(Edit->Handle(), before);
  EXPECT_EQ(Edit->Text().substr(0, 14), "plain bold end");
  EXPECT_TRUE(FormatAt(7).dwEffects & CFE_BOLD);
  EXPECT_NE(GetWindowLongA(Edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
}
