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
  // Real files in several alphabets; the names travel in a UTF-8 list file
  // to the dragging program, which writes them wide into the block.
  const std::string polish = Src + "\\Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87.txt";
  const std::string japanese = Src + "\\\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e.txt";
  const std::string emoji = Src + "\\emoji \xf0\x9f\x98\x80.txt";
  const std::string cafe = Src + "\\Caf\xc3\xa9.txt";
  int lists = 0;
  auto list = [&](const std::string& f) {
    Dir.Write(f.substr(Dir.Path().size() + 1), "x");
    EXPECT_TRUE(testkit::FileExists(f)) << f;
    const std::string name = "names" + std::to_string(++lists) + ".txt";
    Dir.Write(name, f + "\n");
    return Quoted(Dir / name);
  };
  // A wide name with half a surrogate pair: no file can be named by it here.
  std::string lonely("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0C\0:\0\\\0a\0\x00\xD8\0\0\0\0", 34);
  Dir.Write("lonely.bin", lonely);
  struct Case {
    const char* what;
    std::string args;
    std::string answer;  // prefix of the result line
    std::string line;    // the command line afterwards; empty: unchanged
    bool refused;        // an error box says why nothing happened
  } cases[] = {
      {"two files", Quoted(file) + " " + Quoted(Src + "\\other.txt"), kDropped, "", false},
      {"Escape", "--escape " + Quoted(file), kCancelled, "", false},
      {"the second button", "--right " + Quoted(file), kCancelled, "", false},
      {"text, no files", "--text " + Quoted(file), kDropped + std::string(" 0"), "", false},
      {"a block whose names lie past its end", "--block " + Quoted(Dir / "block-past-end.bin"),
       kDropped, "", false},
      // Wide names arrive exactly, in any alphabet.
      {"a Polish name", "--wide --list " + list(polish), kDropped, "copy " + Quoted(polish), false},
      {"a Japanese name", "--wide --list " + list(japanese), kDropped, "copy " + Quoted(japanese),
       false},
      {"a name with an emoji", "--wide --list " + list(emoji), kDropped, "copy " + Quoted(emoji),
       false},
      // 8-bit names are in the dragging program's code page (it has no
      // manifest: the system's legacy one), not in ours.
      {"an 8-bit name", "--list " + list(cafe), kDropped, "copy " + Quoted(cafe), false},
      // A name without an exact form is refused, never replaced by another.
      {"half a surrogate pair", "--block " + Quoted(Dir / "lonely.bin"), kDropped, "", true},
      {"the move key", "--shift " + Quoted(file), kDropped + std::string(" 2"),
       "move " + Quoted(file), false},
      {"one file", Quoted(file), kDropped + std::string(" 1"), "copy " + Quoted(file), false},
  };
  for (const Case& c : cases) {
    F->CommLine->SetText("typed");
    const std::string result = DragFrom(c.args, Centre(F->CommLine));
    EXPECT_EQ(result.substr(0, c.answer.size()), c.answer) << c.what << ": " << result;
    if (c.line.empty()) {
      if (c.refused) {
        ASSERT_TRUE(testkit::PumpUntil([&] { return !Boxes.Boxes.empty(); })) << c.what;
        EXPECT_EQ(Boxes.Boxes.size(), 1u) << c.what;
        Boxes.Boxes.clear();
      }
      testkit::PumpPending();
      EXPECT_TRUE(Boxes.Boxes.empty()) << c.what;
      EXPECT_EQ(F->CommLine->Text(), "typed") << c.what;
      EXPECT_EQ(HintForm, nullptr) << c.what;
      continue;
    }
    ASSERT_TRUE(testkit::PumpUntil([&] { return F->CommLine->Text() == c.line; }))
        << c.what << ": " << F->CommLine->Text();
    EXPECT_EQ(F->CommLine->Items()->Count(), 0);  // nothing in the history before Enter
    // The caret after the command, counted as the field counts.
    const int units = static_cast<int>(AnsiToWide(c.line).size());
    EXPECT_EQ(FieldSelection(), std::make_pair(units, units)) << c.what;
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
    testkit::SaveWindowShot(F->Handle(), testkit::ShotsFolder() + "Main_dropped_on_command_line_" +
                                             std::to_string(&c - cases) + ".png");
    while (HintForm) TComponent::Free(HintForm);
  }

  // Enter runs what the drop wrote like any command: the interpreter copies
  // that very file into the shown directory.
  const std::string polishList = list(polish);
  Dir.Write(polish.substr(Dir.Path().size() + 1), "the content");
  F->CommLine->SetText("typed");
  DragFrom("--wide --list " + polishList, Centre(F->CommLine));
  ASSERT_TRUE(testkit::PumpUntil([&] { return F->CommLine->Text() == "copy " + Quoted(polish); }));
  while (HintForm) TComponent::Free(HintForm);
  testkit::ProcessRecorder starts(true);
  Type("\r");
  const std::string copied = Work + polish.substr(Src.size());
  // The copy exists before it holds its content: wait for the content.
  EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::ReadFile(copied) == "the content"; }, 20000))
      << testkit::ReadFile(copied);
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
  // The pointer shows no copy from the moment it enters.
  auto* data = new TDataObjectFiles({u"C:\\a.txt"});
  for (TDragDropFiles* d : {F->DragDropFiles1, F->DragDropFiles2}) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    IDropTarget* t = d->DropTarget();
    EXPECT_EQ(t->DragEnter(data, MK_LBUTTON, POINTL{0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << d->Name();
    t->DragLeave();
  }
  data->Release();
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
  const std::string polish = "Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87.txt";
  const std::string japanese = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e.txt";
  const std::string emoji = "emoji \xf0\x9f\x98\x80.txt";
  for (const std::string& n : {std::string("a.txt"), std::string("b.txt"), std::string("c.txt"),
                               std::string("d.txt"), std::string("e.txt"), polish, japanese, emoji})
    Dir.Write("work\\" + n, n);
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
  // Drops on the file list are counted once the form has handled them.
  int listDrops = 0;
  auto handleListDrop = F->DragDropFiles2->OnProcessDropped;
  F->DragDropFiles2->OnProcessDropped = [&](TObject* s, DWORD k, POINTL p, DWORD e) {
    handleListDrop(s, k, p, e);
    ++listDrops;
  };
  SetForegroundWindow(F->Handle());
  testkit::PumpUntil([&] { return GetForegroundWindow() == F->Handle(); });
  enum Target { Receiver, TheListItself };
  struct Case {
    const char* what;
    std::string name;
    mousepath::Ending end;
    Target to;
    bool arrives;
  } cases[] = {{"Escape", "b.txt", mousepath::Ending::Escape, Receiver, false},
               {"the second button", "b.txt", mousepath::Ending::SecondButton, Receiver, false},
               {"a drop", "b.txt", mousepath::Ending::Drop, Receiver, true},
               // The receiver has no manifest: the wide block gives it the
               // exact name, which an 8-bit one in its code page could not.
               {"a Polish name", polish, mousepath::Ending::Drop, Receiver, true},
               {"a Japanese name", japanese, mousepath::Ending::Drop, Receiver, true},
               {"a name with an emoji", emoji, mousepath::Ending::Drop, Receiver, true},
               // Back onto the list itself: nothing happens, and the drag's
               // end still has the panes refreshed.
               {"onto the list itself", "b.txt", mousepath::Ending::Drop, TheListItself, false}};
  // The second button's release over the list asks for its menu: none here.
  TPopupMenu::TrackHook() = [](TPopupMenu*) -> TMenuItem* { return nullptr; };
  for (const Case& c : cases) {
    const std::string out = Dir / "received.txt";
    DeleteFileA(out.c_str());
    testkit::ChildProcess receiver;
    if (c.to == Receiver) {
      ASSERT_TRUE(receiver.Start("\"" + testkit::ExeFolder() + "oq_dropfiles.exe\" \"" + out +
                                     "\" 20 300 160 160",
                                 Dir.Path()));
      ASSERT_TRUE(testkit::PumpUntil(
          [] { return FindWindowA("oq_dropfiles", "oq_dropfiles ready") != nullptr; }, 20000));
    }
    F->Timer1->SetEnabled(false);
    const int index = IndexOf(c.name);
    ASSERT_GE(index, 0) << c.what;
    F->FileListBox1->SetItemIndex(index);
    auto centre = [&](int row) {
      TRect r = F->FileListBox1->ItemRect(row);
      POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      ClientToScreen(F->FileListBox1->Handle(), &p);
      return p;
    };
    mousepath::Path path;
    path.From = centre(index);
    path.To = c.to == Receiver ? POINT{100, 380} : centre(IndexOf("e.txt"));
    path.End = c.end;
    const int drops = listDrops;
    bool handDone = false;
    std::thread hand([&] {
      mousepath::Press(path);
      mousepath::MoveAndEnd(path);
      handDone = true;
    });
    EXPECT_TRUE(testkit::PumpUntil([&] { return handDone; }, 30000)) << c.what;
    hand.join();
    if (c.arrives) {
      ASSERT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 10000)) << c.what;
      EXPECT_TRUE(receiver.WaitEnded(10000));
      EXPECT_EQ(testkit::ReadFile(out), "effect 1 keys 0 wide 1\n" + Work + "\\" + c.name + "\n")
          << c.what;
    } else if (c.to == TheListItself) {
      ASSERT_TRUE(testkit::PumpUntil([&] { return listDrops == drops + 1; })) << c.what;
      EXPECT_EQ(DBatch, nullptr) << c.what;
    } else {
      testkit::PumpPending();
      EXPECT_FALSE(testkit::FileExists(out)) << c.what;
    }
    EXPECT_FALSE(F->DragArmed) << c.what;
    EXPECT_TRUE(F->Timer1->Enabled() || refreshes == 1) << c.what;
    refreshes = 0;
    EXPECT_EQ(F->FileListBox1->ItemIndex(), index) << c.what;
    // The list has its release back: the pointer passing over other rows
    // selects nothing.
    const POINT over = centre(IndexOf(c.to == TheListItself ? "d.txt" : "e.txt"));
    mousepath::MoveTo(over);
    testkit::PumpUntil([&] {
      POINT p{};
      return GetCursorPos(&p) && p.y == over.y;
    });
    testkit::PumpPending();
    EXPECT_EQ(F->FileListBox1->ItemIndex(), index) << c.what;
  }
  TPopupMenu::TrackHook() = nullptr;
}
