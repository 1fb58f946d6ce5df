// TFileListBox and the listing under it: filter semantics, masks, order,
// events, big directories (names in other alphabets: FileListingTest).
#include <gtest/gtest.h>

#include <algorithm>

#include "ManyFiles.h"
#include "framework/FileCtrl.h"
#include "framework/FileListing.h"
#include "framework/Forms.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TFileForm : public TForm {
 public:
  explicit TFileForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 280, 300);
    Files = Placed<TFileListBox>(this, this, "FileListBox1", 8, 8, 257, 280);
    Files->SetShowGlyphs(true);
  }
  TFileListBox* Files;
};

struct FileListFixture : testkit::FormFixture<TFileForm> {
  testkit::TempDir Dir;
  // After Dir: the current directory is restored first, since a folder that
  // is the current directory cannot be removed.
  testkit::CurrentDirGuard KeepDir;
  TFileListBox* Files = nullptr;
  int Changes = 0;

  void SetUp() override {
    FormFixture::SetUp();
    Files = Form->Files;
    Files->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
  }
  std::vector<std::string> Rows() const { return Files->Items()->Items(); }
  int WindowCount() const {
    return static_cast<int>(SendMessageA(Files->HandleIfAllocated(), LB_GETCOUNT, 0, 0));
  }
  void Attrib(const std::string& name, DWORD attrs) {
    ASSERT_TRUE(SetFileAttributesA((Dir / name).c_str(), attrs)) << name;
  }
  // A folder with one entry of each kind the filter tells apart.
  void MakeKinds() {
    for (const char* n : {"plain.txt", "readonly.txt", "hidden.txt", "system.txt", "hidsys.txt"})
      Dir.Write(n, "x");
    Dir.MakeDir("sub");
    Dir.MakeDir("hiddendir");
    Attrib("readonly.txt", FILE_ATTRIBUTE_READONLY);
    Attrib("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    Attrib("system.txt", FILE_ATTRIBUTE_SYSTEM);
    Attrib("hidsys.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Attrib("hiddendir", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  }
  std::vector<std::string> ListedWith(TFileType filter) {
    Files->SetFileType(filter);
    return Rows();
  }
};

using V = std::vector<std::string>;

}  // namespace

using FileList = FileListFixture;

TEST_F(FileList, StartsWithAllFilesNoAttributesAndTheCurrentDirectory) {
  EXPECT_EQ(Files->Mask(), "*.*");
  EXPECT_EQ(Files->FileType(), static_cast<TFileType>(ftNormal));
  EXPECT_EQ(Files->Directory(), CurrentDirectoryAnsi());
  EXPECT_EQ(Files->FileName(), "");
}

TEST_F(FileList, AttributeFilterDecidesWhatIsListed) {
  MakeKinds();
  Files->SetDirectory(Dir.Path());
  // ftNormal alone: no directories, nothing hidden or system.
  EXPECT_EQ(Rows(), (V{"plain.txt", "readonly.txt"}));
  EXPECT_EQ(ListedWith(ftDirectory), (V{"[.]", "[..]", "[sub]"}));
  EXPECT_EQ(ListedWith(ftHidden), (V{"hidden.txt"}));
  EXPECT_EQ(ListedWith(ftHidden | ftSystem), (V{"hidden.txt", "hidsys.txt", "system.txt"}));
  EXPECT_EQ(ListedWith(ftNormal | ftDirectory),
            (V{"[.]", "[..]", "[sub]", "plain.txt", "readonly.txt"}));
  EXPECT_EQ(ListedWith(ftReadOnly), (V{"readonly.txt"}));
  EXPECT_EQ(ListedWith(ftDirectory | ftHidden), (V{"[.]", "[..]", "[hiddendir]", "[sub]",
                                                   "hidden.txt"}));
  EXPECT_EQ(ListedWith(0), V{});
  EXPECT_EQ(WindowCount(), 0);
  // One listing per setter call that changed something, plus the first.
  int before = Changes;
  Files->SetFileType(0);
  EXPECT_EQ(Changes, before);
}

TEST_F(FileList, MasksSearchEachPatternInTurn) {
  for (const char* n : {"a.txt", "b.log", "c.doc", "abc.txt"}) Dir.Write(n, "");
  Files->SetDirectory(Dir.Path());
  Files->SetMask("*.txt;*.log");
  EXPECT_EQ(Rows(), (V{"a.txt", "abc.txt", "b.log"}));
  // Overlapping patterns find a file twice, and it is listed twice.
  Files->SetMask("a*;*.txt");
  EXPECT_EQ(Rows(), (V{"a.txt", "a.txt", "abc.txt", "abc.txt"}));
  Files->SetMask("*.none");
  EXPECT_EQ(Rows(), V{});
  int before = Changes;
  Files->SetMask("*.log ; *.doc");  // blanks around a pattern do not count
  EXPECT_EQ(Rows(), (V{"b.log", "c.doc"}));
  EXPECT_EQ(Changes, before + 1);
}

TEST_F(FileList, SortsWithoutCaseAndKeepsBlanksAndBrackets) {
  for (const char* n : {"b.txt", "C.txt", "a.TXT", "my file [1].txt", "[x] y.txt", "Zeta", "_u"})
    Dir.Write(n, "");
  Dir.MakeDir("Sub Dir");
  Files->SetDirectory(Dir.Path());
  Files->SetFileType(ftNormal | ftDirectory);
  EXPECT_EQ(Rows(), (V{"[.]", "[..]", "[Sub Dir]", "[x] y.txt", "_u", "a.TXT", "b.txt", "C.txt",
                       "my file [1].txt", "Zeta"}));
  // The full path of a selected entry, as listed, names the file.
  Files->SetItemIndex(8);
  EXPECT_EQ(Files->FileName(), Dir / "my file [1].txt");
  EXPECT_TRUE(testkit::FileExists(Files->FileName()));
  Files->SetItemIndex(2);
  EXPECT_EQ(Files->FileName(), Dir / "[Sub Dir]");
  Files->SetItemIndex(-1);
  EXPECT_EQ(Files->FileName(), "");
}

TEST_F(FileList, ReportsAfterEachListingAndEachSelectionChange) {
  for (const char* n : {"one.txt", "two.txt", "three.txt"}) Dir.Write(n, "");
  Changes = 0;
  Files->SetDirectory(Dir.Path());
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Files->ItemIndex(), -1);
  Files->SetDirectory(Dir.Path() + "\\");  // the same directory: no listing
  EXPECT_EQ(Changes, 1);

  // A click on the second row selects it and reports.
  int y = Files->ItemHeight() + Files->ItemHeight() / 2;
  testkit::Click(Files, 40, y);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Files->ItemIndex() == 1; }));
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Files->FileName(), Dir / "three.txt");

  // A new listing drops the selection and reports once.
  Dir.Write("four.txt", "");
  Files->Update();
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(Files->ItemIndex(), -1);
  EXPECT_EQ(Files->FileName(), "");
  EXPECT_EQ(Rows(), (V{"four.txt", "one.txt", "three.txt", "two.txt"}));
  EXPECT_EQ(WindowCount(), 4);

  // Type-ahead: a letter moves to the next entry that starts with it.
  PostMessageA(Files->Handle(), WM_CHAR, 't', 1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Files->ItemIndex() == 2; }));
  PostMessageA(Files->Handle(), WM_CHAR, 't', 1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Files->ItemIndex() == 3; }));
  EXPECT_EQ(Changes, 5);
}

TEST_F(FileList, VanishedDirectoryListsNothing) {
  Dir.MakeDir("gone");
  testkit::TempDir other;
  other.Write("x.txt", "");
  Files->SetDirectory(Dir / "gone");
  RemoveDirectoryA((Dir / "gone").c_str());
  Files->Update();
  EXPECT_EQ(Rows(), V{});
  EXPECT_EQ(WindowCount(), 0);
  // Still usable afterwards.
  Files->SetDirectory(other.Path());
  EXPECT_EQ(Rows(), V{"x.txt"});
}

TEST_F(FileList, ANewNumberOfRowsIsDrawnWithItsScrollBarAndAHiddenListStaysHidden) {
  // The rows change while the list draws nothing; then it is drawn once,
  // with the scroll bar that appeared meanwhile.
  Dir.Write("one.txt", "");
  Dir.MakeDir("many");
  ASSERT_TRUE(manyfiles::MakeEmptyFiles(Dir / "many", 60));
  HWND h = Files->Handle();
  auto style = [h](DWORD bit) { return (GetWindowLongA(h, GWL_STYLE) & bit) != 0; };
  Files->SetDirectory(Dir.Path());
  UpdateWindow(h);
  EXPECT_FALSE(style(WS_VSCROLL));
  Files->SetDirectory(Dir / "many");
  EXPECT_TRUE(style(WS_VISIBLE));
  ASSERT_TRUE(style(WS_VSCROLL));
  SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 59);
  UpdateWindow(h);
  // On the screen the bar's column shows the bar, not the rows' background.
  SCROLLBARINFO bar{sizeof bar};
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &bar));
  RECT wr;
  GetWindowRect(h, &wr);
  const testkit::Image shot = testkit::CaptureScreen(h);
  ASSERT_GT(shot.Width, 0);
  const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - wr.left;
  int barPixels = 0;
  for (int y = bar.rcScrollBar.top - wr.top; y < bar.rcScrollBar.bottom - wr.top; ++y)
    barPixels += shot.At(x, y) != testkit::Rgb(Files->Color());
  EXPECT_GT(barPixels, 10);

  // A hidden list takes its new rows and stays hidden.
  Files->SetVisible(false);
  Files->SetDirectory(Dir.Path());
  EXPECT_FALSE(style(WS_VISIBLE));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(WindowCount(), 1);
  EXPECT_FALSE(style(WS_VSCROLL));
}

TEST(FileListing, HourglassFromThe101stEntryAndBackAfterwards) {
  testkit::TempDir dir;
  ASSERT_TRUE(manyfiles::MakeEmptyFiles(dir.Path(), 100));
  int calls = 0;
  EXPECT_EQ(ListFiles(dir.Path(), "*.*", ftNormal, [&] { ++calls; }).size(), 100u);
  EXPECT_EQ(calls, 0);
  dir.Write("one more.dat", "");
  EXPECT_EQ(ListFiles(dir.Path(), "*.*", ftNormal, [&] { ++calls; }).size(), 101u);
  EXPECT_EQ(calls, 1);

  // The control shows it and puts the previous cursor back.
  Screen->SetCursor(crDefault);
  auto* files = new TFileListBox(nullptr);
  files->SetDirectory(dir.Path());
  EXPECT_EQ(files->Items()->Count(), 101);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  Screen->SetCursor(crCross);
  files->Update();
  EXPECT_EQ(Screen->Cursor(), crCross);
  Screen->SetCursor(crDefault);
  TComponent::Free(files);
}

TEST_F(FileList, HundredThousandEntries) {
  Dir.MakeDir("many");
  std::string many = Dir / "many";
  ASSERT_TRUE(manyfiles::MakeEmptyFiles(many, 100000, "File_", ".Txt"));
  Files->SetDirectory(many);
  ASSERT_EQ(Files->Items()->Count(), 100000);
  EXPECT_EQ(WindowCount(), 100000);
  EXPECT_EQ(Rows().front(), "File_000000.Txt");
  EXPECT_EQ(Rows().back(), "File_099999.Txt");
  Files->SetItemIndex(99999);
  EXPECT_EQ(Files->FileName(), many + "\\File_099999.Txt");
  EXPECT_EQ(SendMessageA(Files->Handle(), LB_GETCURSEL, 0, 0), 99999);
  // (Repaint would list anew: Update means listing for this control.)
  RedrawWindow(Files->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "FileList100000.png");
  // Removing 100,000 files one by one takes Wine minutes; the host is quick.
  if (manyfiles::UnderWine()) manyfiles::RemoveFromOutside(many, Dir.Path());
}
