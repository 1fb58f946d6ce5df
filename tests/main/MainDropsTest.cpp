// Drops on the main window from another program, and a drag out of the file
// list into another program: real processes, the real pointer driven through
// the system's input queue, the system's own drag loop in between.
#include <thread>

#include "dialogs/UBatch.h"
#include "dialogs/UHintWin.h"
#include "dragdrop/DragDropFiles.h"
#include "main/MainFixture.h"
#include "progs/MousePath.h"

namespace {
// Where the dragging program's own window sits: well away from the main
// window, which is centred on the screen.
constexpr int kFromX = 990, kFromY = 740;

struct MainDrops : MainFixture {
  void SetUp() override {
    MainFixture::SetUp();
    Dir.MakeDir("src");
    Src = Dir / "src";
  }
  void TearDown() override {
    // A console left open by /K must not outlive the test.
    if (F && F->LastProcess.Process()) TerminateProcess(F->LastProcess.Process(), 0);
    while (HintForm) TComponent::Free(HintForm);
    while (DBatch) TComponent::Free(DBatch);
    MainFixture::TearDown();
  }

  std::string Src;

  static POINT Centre(TWinControl* c) {
    RECT r{};
    GetWindowRect(c->Handle(), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  // Runs the dragging program onto a point; returns its result line ("<answer
  // of the drag> <effect>").
  std::string DragFrom(const std::string& args, POINT to) {
    const std::string result = Dir / "drag-result.txt";
    DeleteFileA(result.c_str());
    testkit::ChildProcess p;
    EXPECT_TRUE(p.Start("\"" + testkit::ExeFolder() + "oq_dragfiles.exe\" \"" + result + "\" " +
                            std::to_string(kFromX) + " " + std::to_string(kFromY) + " " +
                            std::to_string(to.x) + " " + std::to_string(to.y) + " " + args,
                        Dir.Path()));
    EXPECT_TRUE(p.WaitEnded(60000));
    testkit::PumpPending();
    std::string r = testkit::ReadFile(result);
    while (!r.empty() && (r.back() == '\n' || r.back() == '\r')) r.pop_back();
    return r;
  }

  std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
};

const char kDropped[] = "00040100";
const char kCancelled[] = "00040101";
}  // namespace

TEST_F(MainDrops, OneFileOnTheCommandLineBecomesACommandReadyForEnter) {
  Dir.Write("src\\a b.txt", "the content");
  Dir.Write("block-past-end.bin", std::string("\xA0\x0F\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0x\0\0", 23));
  const std::string file = Src + "\\a b.txt";
  Dir.Write("japanese.txt", Src + "\\\xe6\x97\xa5\xe6\x9c\xac.txt\n");  // UTF-8
  struct Case {
    const char* what;
    std::string args;
    std::string answer;  // prefix of the result line
    std::string line;    // the command line afterwards; empty: unchanged
  } cases[] = {
      {"two files", Quoted(file) + " " + Quoted(Src + "\\other.txt"), kDropped, ""},
      {"Escape", "--escape " + Quoted(file), kCancelled, ""},
      {"the second button", "--right " + Quoted(file), kCancelled, ""},
      {"text, no files", "--text " + Quoted(file), kDropped + std::string(" 0"), ""},
      {"a block whose names lie past its end", "--block " + Quoted(Dir / "block-past-end.bin"),
       kDropped, ""},
      {"a wide name", "--wide " + Quoted(Src + "\\w\xe9.txt"), kDropped,
       "copy " + Quoted(Src + "\\w\xe9.txt")},
      // What the code page cannot hold arrives as the system's stand-in.
      {"a wide name outside the code page", "--wide --list " + Quoted(Dir / "japanese.txt"),
       kDropped, "copy " + Quoted(Src + "\\??.txt")},
      {"the move key", "--shift " + Quoted(file), kDropped + std::string(" 2"),
       "move " + Quoted(file)},
      {"one file", Quoted(file), kDropped + std::string(" 1"), "copy " + Quoted(file)},
  };
  for (const Case& c : cases) {
    F->CommLine->SetText("typed");
    const std::string result = DragFrom(c.args, Centre(F->CommLine));
    EXPECT_EQ(result.substr(0, c.answer.size()), c.answer) << c.what << ": " << result;
    if (c.line.empty()) {
      EXPECT_EQ(F->CommLine->Text(), "typed") << c.what;
      EXPECT_EQ(HintForm, nullptr) << c.what;
      continue;
    }
    ASSERT_TRUE(testkit::PumpUntil([&] { return F->CommLine->Text() == c.line; }))
        << c.what << ": " << F->CommLine->Text();
    EXPECT_EQ(F->CommLine->Items()->Count(), 0);  // nothing in the history before Enter
    // The program comes to the front, with the hint just above the check
    // boxes, and the command line has the focus for Enter.
    EXPECT_EQ(GetForegroundWindow(), F->Handle()) << c.what;
    ASSERT_NE(HintForm, nullptr) << c.what;
    EXPECT_EQ(HintForm->Label1->Caption(), "Press Enter to execute the copy operation.");
    RECT hint{};
    GetWindowRect(HintForm->Handle(), &hint);
    TPoint at = F->CheckBoxDIR->Parent()->ClientToScreen(
        TPoint(F->CheckBoxDIR->Left() + 3, F->CheckBoxDIR->Top() - 5));
    EXPECT_EQ(hint.left, at.x);
    EXPECT_EQ(hint.top, at.y);
    EXPECT_TRUE(F->CommLine->Focused());
    testkit::SaveWindowShot(F->Handle(), testkit::ShotsFolder() + "Main_dropped_on_command_line.png");
    while (HintForm) TComponent::Free(HintForm);
  }

  // Enter runs it like any command: the interpreter copies the file into
  // the shown directory.
  testkit::ProcessRecorder starts(true);
  F->CommLine->SetText("copy " + Quoted(file));
  Type("\r");
  EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(Work + "\\a b.txt"); }, 20000));
  EXPECT_EQ(testkit::ReadFile(Work + "\\a b.txt"), "the content");
}

TEST_F(MainDrops, FilesOnTheFileListFillABatchWindow) {
  const std::string list = Dir / "names.txt";
  std::string many;
  for (int i = 0; i < 10000; ++i) many += Src + "\\file" + std::to_string(i) + ".txt\n";
  const std::string longName = Src + "\\" + std::string(1000 - Src.size() - 1, 'n');
  std::string lower = Work;
  for (char& ch : lower) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
  struct Case {
    const char* what;
    std::string args;
    std::vector<std::string> lines;  // of the new batch window; none: no window
    size_t count;                    // for the long list: lines only counted
  } cases[] = {
      {"three files in order",
       Quoted(Src + "\\c.txt") + " " + Quoted(Src + "\\a.txt") + " " + Quoted(Src + "\\b b.txt"),
       {"copy " + Quoted(Src + "\\c.txt"), "copy " + Quoted(Src + "\\a.txt"),
        "copy " + Quoted(Src + "\\b b.txt")},
       3},
      {"the move key", "--shift " + Quoted(Src + "\\a.txt"), {"move " + Quoted(Src + "\\a.txt")}, 1},
      {"a name of 1,000 characters", Quoted(longName), {"copy " + Quoted(longName)}, 1},
      {"from the shown folder", Quoted(Work + "\\x.txt") + " " + Quoted(Src + "\\y.txt"), {}, 0},
      // Another case of the same folder's name is another folder.
      {"the shown folder in other letters", Quoted(lower + "\\q.txt"),
       {"copy " + Quoted(lower + "\\q.txt")}, 1},
      {"10,000 files", "--list " + Quoted(list), {}, 10000},
      {"no file at all", "--list " + Quoted(Dir / "empty.txt"), {}, 0},
  };
  Dir.Write("names.txt", many);
  Dir.Write("empty.txt", "");
  for (const Case& c : cases) {
    while (DBatch) TComponent::Free(DBatch);
    F->Timer1->SetEnabled(true);
    const std::string result = DragFrom(c.args, Centre(F->FileListBox1));
    EXPECT_EQ(result.substr(0, 8), kDropped) << c.what << ": " << result;
    if (c.count == 0) {
      EXPECT_EQ(DBatch, nullptr) << c.what;
      if (std::string(c.what) == "from the shown folder") EXPECT_FALSE(F->Timer1->Enabled());
      continue;
    }
    ASSERT_TRUE(testkit::PumpUntil([] { return DBatch && DBatch->Visible(); })) << c.what;
    const std::vector<std::string> lines = DBatch->Memo1->Lines()->Items();
    EXPECT_EQ(lines.size(), c.count) << c.what;
    if (!c.lines.empty()) EXPECT_EQ(lines, c.lines) << c.what;
    if (c.count == 10000) {
      EXPECT_EQ(lines.front(), "copy " + Quoted(Src + "\\file0.txt"));
      EXPECT_EQ(lines.back(), "copy " + Quoted(Src + "\\file9999.txt"));
    }
    if (c.count == 3) testkit::SaveWindowShot(DBatch->Handle(), testkit::ShotsFolder() + "Batch_filled_by_drop.png");
  }
}

TEST_F(MainDrops, NoDropsWhileAModalBoxHoldsTheWindow) {
  // A modal box disables the window it belongs to.
  EnableWindow(F->Handle(), FALSE);
  F->CommLine->SetText("typed");
  std::string result = DragFrom(Quoted(Src + "\\a.txt"), Centre(F->CommLine));
  EXPECT_EQ(result, std::string(kDropped) + " 0");
  result = DragFrom(Quoted(Src + "\\a.txt"), Centre(F->FileListBox1));
  EXPECT_EQ(result, std::string(kDropped) + " 0");
  EnableWindow(F->Handle(), TRUE);
  testkit::PumpPending();
  EXPECT_EQ(F->CommLine->Text(), "typed");
  EXPECT_EQ(DBatch, nullptr);
  EXPECT_EQ(HintForm, nullptr);
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(MainDrops, AFileDraggedOutOfTheListArrivesInAnotherProgram) {
  for (const char* n : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
    Dir.Write(std::string("work\\") + n, n);
  F->SpbUpdateClick(F);
  // The refreshes of the panes would list the files anew and take the
  // selection this test follows: the start's one is not waited for, and the
  // one after a drag is counted instead.
  F->TimerProcess->SetEnabled(false);
  int refreshes = 0;
  F->Timer1->OnTimer = [&](TObject*) {
    F->Timer1->SetEnabled(false);
    ++refreshes;
  };
  SetForegroundWindow(F->Handle());
  testkit::PumpUntil([&] { return GetForegroundWindow() == F->Handle(); });
  struct Case {
    mousepath::Ending end;
    bool arrives;
  } cases[] = {{mousepath::Ending::Escape, false},
               {mousepath::Ending::SecondButton, false},
               {mousepath::Ending::Drop, true}};
  // The second button's release over the list asks for its menu: none here.
  TPopupMenu::TrackHook() = [](TPopupMenu*) -> TMenuItem* { return nullptr; };
  for (const Case& c : cases) {
    const std::string out = Dir / "received.txt";
    DeleteFileA(out.c_str());
    testkit::ChildProcess receiver;
    ASSERT_TRUE(receiver.Start("\"" + testkit::ExeFolder() + "oq_dropfiles.exe\" \"" + out +
                                   "\" 20 300 160 160",
                               Dir.Path()));
    ASSERT_TRUE(testkit::PumpUntil(
        [] { return FindWindowA("oq_dropfiles", "oq_dropfiles ready") != nullptr; }, 20000));
    F->Timer1->SetEnabled(false);
    TRect row = F->FileListBox1->ItemRect(IndexOf("b.txt"));
    POINT from{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(F->FileListBox1->Handle(), &from);
    mousepath::Path path;
    path.From = from;
    path.To = POINT{100, 380};
    path.End = c.end;
    bool handDone = false;
    std::thread hand([&] {
      mousepath::Press(path);
      mousepath::MoveAndEnd(path);
      handDone = true;
    });
    EXPECT_TRUE(testkit::PumpUntil([&] { return handDone; }, 30000));
    hand.join();
    if (c.arrives) {
      ASSERT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 10000));
      EXPECT_TRUE(receiver.WaitEnded(10000));
      EXPECT_EQ(testkit::ReadFile(out), "effect 1 keys 0\n" + Work + "\\b.txt\n");
    } else {
      testkit::PumpPending();
      EXPECT_FALSE(testkit::FileExists(out));
    }
    EXPECT_FALSE(F->DragArmed);
    EXPECT_TRUE(F->Timer1->Enabled() || refreshes == 1);
    refreshes = 0;
    EXPECT_EQ(F->FileListBox1->ItemIndex(), IndexOf("b.txt"));
    // The list has its release back: the pointer passing over other rows
    // selects nothing.
    TRect other = F->FileListBox1->ItemRect(IndexOf("e.txt"));
    POINT over{(other.left + other.right) / 2, (other.top + other.bottom) / 2};
    ClientToScreen(F->FileListBox1->Handle(), &over);
    mousepath::MoveTo(over);
    testkit::PumpUntil([&] {
      POINT p{};
      return GetCursorPos(&p) && p.y == over.y;
    });
    testkit::PumpPending();
    EXPECT_EQ(F->FileListBox1->ItemIndex(), IndexOf("b.txt"));
  }
  TPopupMenu::TrackHook() = nullptr;
}
