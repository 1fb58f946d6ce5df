// The file list's actions: its popup menu, the double-click and the start of
// a drag out of it, driven by real messages to the list.
#include "dialogs/UBatch.h"
#include "dialogs/UHelp.h"
#include "dragdrop/DragDropFiles.h"
#include "framework/Clipbrd.h"
#include "framework/ComCtrls.h"
#include "main/MainFixture.h"

namespace {
struct MainFileActions : MainFixture {
  void SetUp() override {
    MainFixture::SetUp();
    F->FileListBox1->SetFileType(ftDirectory | ftNormal);
  }
  void TearDown() override {
    while (WHelp) TComponent::Free(WHelp);
    while (DBatch) TComponent::Free(DBatch);
    TPopupMenu::TrackHook() = nullptr;
    MainFixture::TearDown();
  }

  TPoint RowCentre(const std::string& entry) {
    TRect r = F->FileListBox1->ItemRect(IndexOf(entry));
    return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void DoubleClickRow(const std::string& entry) {
    TPoint p = RowCentre(entry);
    testkit::DoubleClick(F->FileListBox1, p.x, p.y);
  }
  // Opens the list's context menu over a row (none: over the empty list),
  // with a real WM_CONTEXTMENU, and chooses the item of that caption.
  void ChooseFromMenu(const std::string& entry, const char* caption, TMenuItem** open,
                      TMenuItem** exec, TMenuItem** view) {
    TPopupMenu::TrackHook() = [&](TPopupMenu* m) -> TMenuItem* {
      *open = m->Items()->Items(0);
      *exec = m->Items()->Items(1);
      *view = m->Items()->Items(2);
      for (TMenuItem* i : {*open, *exec, *view})
        if (caption && i->Caption() == caption && i->Enabled()) return i;
      return nullptr;
    };
    if (!entry.empty()) F->FileListBox1->SetItemIndex(IndexOf(entry));
    POINT p{5, 5};
    if (!entry.empty()) p = POINT{RowCentre(entry).x, RowCentre(entry).y};
    ClientToScreen(F->FileListBox1->Handle(), &p);
    PostMessageA(F->FileListBox1->Handle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(F->FileListBox1->Handle()), MAKELPARAM(p.x, p.y));
    testkit::PumpPending();
  }
};
}  // namespace

TEST_F(MainFileActions, PopupMenuItemsAndWhatTheyDo) {
  Dir.Write("work\\RUN.BAT", "echo one\r\necho two\r\n");
  Dir.Write("work\\TOOL.EXE", "MZ");
  Dir.Write("work\\README.TXT", "plain");
  Dir.Write("work\\GUIDE.RTF", "{\\rtf1 rich}");
  Dir.MakeDir("work\\docs");
  F->SpbUpdateClick(F);
  testkit::ProcessRecorder starts(false);
  struct Case {
    const char* entry;
    bool open, exec, view;
    const char* choose;
  } cases[] = {
      {"RUN.BAT", true, true, true, "&Open"},
      {"RUN.BAT", true, true, true, "&Execute"},
      {"TOOL.EXE", false, true, false, "&Execute"},
      {"README.TXT", true, false, true, "&View"},
      {"README.TXT", true, false, true, "&Open"},
      {"GUIDE.RTF", true, false, true, "&View"},
      {"[docs]", true, false, true, nullptr},
  };
  const std::vector<std::string> itemCaptions = {"&Open", "&Execute", "&View"};
  for (const Case& c : cases) {
    starts.ShellExecuteFiles.clear();
    TMenuItem *open = nullptr, *exec = nullptr, *view = nullptr;
    ChooseFromMenu(c.entry, c.choose, &open, &exec, &view);
    ASSERT_NE(open, nullptr) << c.entry;
    EXPECT_EQ(std::vector<std::string>({open->Caption(), exec->Caption(), view->Caption()}),
              itemCaptions);
    EXPECT_EQ(open->Enabled(), c.open) << c.entry;
    EXPECT_EQ(exec->Enabled(), c.exec) << c.entry;
    EXPECT_EQ(view->Enabled(), c.view) << c.entry;
    const std::string chosen = c.choose ? c.choose : "";
    const std::string full = Work + "\\" + c.entry;
    if (chosen == "&Open" && std::string(c.entry) == "RUN.BAT") {
      // A batch file opens in a new batch window, its lines ready to run.
      ASSERT_NE(DBatch, nullptr);
      EXPECT_EQ(DBatch->Memo1->Lines()->Items(), (std::vector<std::string>{"echo one", "echo two"}));
      EXPECT_TRUE(starts.ShellExecuteFiles.empty());
      TComponent::Free(DBatch);
    } else if (chosen == "&Open" || chosen == "&Execute") {
      EXPECT_EQ(starts.ShellExecuteFiles, std::vector<std::string>{full}) << c.entry;
    } else if (chosen == "&View") {
      ASSERT_NE(WHelp, nullptr) << c.entry;
      EXPECT_EQ(WHelp->RichEdit1->PlainText(), std::string(c.entry) == "README.TXT");
      TComponent::Free(WHelp);
      testkit::PumpPending();
    }
  }
  // Nothing selected: nothing to do.
  F->FileListBox1->SetItemIndex(-1);
  TMenuItem *open = nullptr, *exec = nullptr, *view = nullptr;
  ChooseFromMenu("", nullptr, &open, &exec, &view);
  ASSERT_NE(open, nullptr);
  EXPECT_FALSE(open->Enabled() || exec->Enabled() || view->Enabled());
}

TEST_F(MainFileActions, DoubleClickEntersDirectoriesAndOpensFiles) {
  Dir.MakeDir("work\\docs");
  Dir.MakeDir("work\\[odd]");
  Dir.Write("work\\notes]", "a file whose name ends like a directory's row");
  Dir.Write("work\\plain.txt", "x");
  F->SpbUpdateClick(F);
  // The shell's answer for each open, and the box it brings.
  struct Open {
    const char* entry;
    INT_PTR answer;
    const char* box;
  } opens[] = {{"plain.txt", 42, nullptr},  {"notes]", 42, nullptr},
               {"plain.txt", 2, "File not found!"}, {"plain.txt", 3, "Path not found!"},
               {"plain.txt", 0, "Out of memory!"},  {"plain.txt", 11, "Bad file format!"},
               {"plain.txt", 31, nullptr}};  // no application for the type: silent
  for (const Open& o : opens) {
    std::vector<std::string> asked;
    Processes().ShellExecuteFn = [&](HWND owner, const std::string& verb, const std::string& file,
                                     const std::string& params, const std::string& dir, int show) {
      EXPECT_EQ(owner, F->Handle());
      EXPECT_EQ(verb, "open");
      EXPECT_EQ(params, "");
      EXPECT_EQ(dir, ".");
      EXPECT_EQ(show, SW_SHOWNORMAL);
      asked.push_back(file);
      return reinterpret_cast<HINSTANCE>(o.answer);
    };
    const size_t boxes = Boxes.Boxes.size();
    F->DragArmed = true;
    DoubleClickRow(o.entry);
    EXPECT_FALSE(F->DragArmed);
    EXPECT_EQ(asked, std::vector<std::string>{Work + "\\" + o.entry}) << o.entry;
    EXPECT_EQ(CurrentDir(), Work);
    if (o.box) {
      ASSERT_EQ(Boxes.Boxes.size(), boxes + 1) << o.answer;
      EXPECT_EQ(Boxes.Boxes.back().Text, o.box);
      EXPECT_EQ(Boxes.Boxes.back().Caption, "Error");
      EXPECT_TRUE(Boxes.Boxes.back().Flags & MB_ICONERROR);
    } else {
      EXPECT_EQ(Boxes.Boxes.size(), boxes) << o.answer;
    }
  }
  ResetProcessSeams();

  testkit::ProcessRecorder starts(false);
  DoubleClickRow("[docs]");
  EXPECT_EQ(CurrentDir(), Work + "\\docs");
  F->FileListBox1->SetFileType(ftDirectory | ftNormal);
  DoubleClickRow("[..]");
  EXPECT_EQ(CurrentDir(), Work);
  // A directory with brackets in its own name.
  DoubleClickRow("[[odd]]");
  EXPECT_EQ(CurrentDir(), Work + "\\[odd]");
  EXPECT_TRUE(starts.ShellExecuteFiles.empty());
  // An empty list: a double-click does nothing.
  F->FilterLine->SetText("nothing-matches-*.zzz");
  F->ApplyFilter();
  ASSERT_EQ(F->FileListBox1->Items()->Count(), 0);
  testkit::DoubleClick(F->FileListBox1, 20, 20);
  EXPECT_TRUE(starts.ShellExecuteFiles.empty());
  EXPECT_EQ(CurrentDir(), Work + "\\[odd]");
}

TEST_F(MainFileActions, DragOutStartsBeyondItsThresholds) {
  for (const char* n : {"a.txt", "b.txt", "c.txt", "d.txt"}) Dir.Write(std::string("work\\") + n, n);
  F->SpbUpdateClick(F);
  int drags = 0;
  std::vector<std::string> dragged;
  F->DragDropFiles1->OnQueryContinueDrag = [&](BOOL, DWORD, HRESULT& r) {
    ++drags;
    dragged = F->DragDropFiles1->FileNames()->Items();
    r = DRAGDROP_S_CANCEL;  // no real mouse here: end the drag at once
  };
  struct Case {
    int dx, dy;
    bool drag;
  } cases[] = {{5, 2, false}, {7, 3, false}, {-7, -3, false}, {8, 0, true},
               {0, 4, true},  {-8, 1, true}, {2, -4, true}};
  const TPoint start = RowCentre("b.txt");
  for (const Case& c : cases) {
    drags = 0;
    F->FileListBox1->SetItemIndex(-1);
    F->Timer1->SetEnabled(false);
    testkit::MouseDown(F->FileListBox1, start.x, start.y, MK_LBUTTON);
    EXPECT_TRUE(F->DragArmed);
    EXPECT_EQ(F->FileListBox1->ItemIndex(), IndexOf("b.txt"));
    testkit::MouseMove(F->FileListBox1, start.x + c.dx, start.y + c.dy, MK_LBUTTON);
    EXPECT_EQ(drags > 0, c.drag) << c.dx << "," << c.dy;
    if (c.drag) {
      EXPECT_EQ(dragged, std::vector<std::string>{Work + "\\b.txt"});
      EXPECT_FALSE(F->DragArmed);
      EXPECT_TRUE(F->Timer1->Enabled());  // the panes look again after a drag
    } else {
      EXPECT_TRUE(F->DragArmed);
      testkit::MouseUp(F->FileListBox1, start.x + c.dx, start.y + c.dy, 0);
      EXPECT_FALSE(F->DragArmed);
    }
  }
  // The right button arms nothing; activation and a double-click disarm.
  testkit::MouseMove(F->FileListBox1, start.x, start.y, 0);
  PostMessageA(F->FileListBox1->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(start.x, start.y));
  testkit::PumpPending();
  EXPECT_FALSE(F->DragArmed);
  PostMessageA(F->FileListBox1->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(start.x, start.y));
  TPopupMenu::TrackHook() = [](TPopupMenu*) -> TMenuItem* { return nullptr; };
  testkit::PumpPending();
  F->DragArmed = true;
  auto* other = Application->CreateForm<TForm>();
  other->Show();
  testkit::PumpUntil([&] { return GetForegroundWindow() == other->Handle(); });
  SetForegroundWindow(F->Handle());
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->DragArmed; }));
  TComponent::Free(other);
  // A release that never came (another window took the mouse): a move past
  // the thresholds disarms and drags nothing.
  drags = 0;
  testkit::MouseDown(F->FileListBox1, start.x, start.y, MK_LBUTTON);
  ASSERT_TRUE(F->DragArmed);
  SetCapture(F->Handle());
  ReleaseCapture();
  testkit::MouseMove(F->FileListBox1, start.x + 20, start.y + 10, MK_LBUTTON);
  EXPECT_EQ(drags, 0);
  EXPECT_FALSE(F->DragArmed);
  // No selection: a move past the thresholds starts nothing.
  F->FilterLine->SetText("*.none");
  F->ApplyFilter();
  drags = 0;
  testkit::MouseDown(F->FileListBox1, 20, 5, MK_LBUTTON);
  testkit::MouseMove(F->FileListBox1, 40, 20, MK_LBUTTON);
  EXPECT_EQ(drags, 0);
  testkit::MouseUp(F->FileListBox1, 40, 20, 0);
}

// Enter opens as a double-click does, Backspace goes up, Ctrl+Shift+C puts
// the selected entry's full path on the clipboard, in both lists.
TEST_F(MainFileActions, EnterBackspaceAndCopyingThePathInTheLists) {
  Dir.MakeDir("work\\sub");
  Dir.Write("work\\a b.txt", "a");
  F->SpbUpdateClick(F);
  testkit::ProcessRecorder starts(false);
  const HWND files = F->FileListBox1->Handle(), dirs = F->DirectoryListBox1->Handle();
  F->FileListBox1->SetFocus();
  const TShiftState copy = ssCtrl | ssShift;
  struct Case {
    HWND List;
    const char* Select;  // a file-list row; nullptr: as it is
    WORD Vk;
    TShiftState Held;
    std::string Clipboard, Dir, Opened;
  } const cases[] = {
      {files, "a b.txt", 'C', copy, "\"" + Work + "\\a b.txt\"", Work, ""},
      {files, "[..]", 'C', copy, "\"" + Dir.Path() + "\"", Work, ""},
      {files, "a b.txt", VK_RETURN, 0, "", Work, Work + "\\a b.txt"},
      {files, "[sub]", VK_RETURN, 0, "", Work + "\\sub", ""},
      {files, nullptr, VK_BACK, 0, "", Work, ""},
      {dirs, nullptr, 'C', copy, "\"" + Work + "\"", Work, ""},
      {dirs, nullptr, VK_BACK, 0, "", Dir.Path(), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Select ? c.Select : "-") + " " + std::to_string(c.Vk));
    starts.ShellExecuteFiles.clear();
    if (c.Select) F->FileListBox1->SetItemIndex(IndexOf(c.Select));
    SetClipboardText(F->Handle(), "");
    testkit::PressKey(c.List, c.Vk, c.Held);
    EXPECT_EQ(testkit::ClipboardText(), c.Clipboard);
    EXPECT_EQ(CurrentDir(), c.Dir);
    EXPECT_EQ(starts.ShellExecuteFiles, c.Opened.empty() ? std::vector<std::string>{}
                                                         : std::vector<std::string>{c.Opened});
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// The menu acts on the row it is opened for: a right-click selects the row
// under the pointer (below the rows: none); the menu key and Shift+F10 open
// it, once, just below the selected row.
TEST_F(MainFileActions, TheMenuOpensForTheRowUnderThePointerOrBesideTheSelection) {
  for (const char* n : {"a.txt", "b.txt"}) Dir.Write(std::string("work\\") + n, n);
  F->SpbUpdateClick(F);
  std::vector<std::string> shownFor;
  TPoint at;
  TPopupMenu::TrackHook() = [&](TPopupMenu* m) -> TMenuItem* {
    const int i = F->FileListBox1->ItemIndex();
    shownFor.push_back(i < 0 ? "" : (*F->FileListBox1->Items())[i]);
    at = m->PopupPoint();
    return nullptr;
  };
  F->FileListBox1->SetItemIndex(IndexOf("a.txt"));
  for (TPoint p : {RowCentre("b.txt"), TPoint(20, 200)}) {
    testkit::PostMouseInPlace(F->FileListBox1, WM_RBUTTONDOWN, p.x, p.y, MK_RBUTTON);
    testkit::PostMouseInPlace(F->FileListBox1, WM_RBUTTONUP, p.x, p.y, 0);
    testkit::PumpPending();
  }
  EXPECT_EQ(shownFor, (std::vector<std::string>{"b.txt", ""}));
  const HWND list = F->FileListBox1->Handle();
  for (TShiftState held : {TShiftState(0), TShiftState(ssShift)}) {
    F->FileListBox1->SetItemIndex(IndexOf("a.txt"));
    shownFor.clear();
    testkit::PressKey(list, held ? VK_F10 : VK_APPS, held);
    EXPECT_EQ(shownFor, std::vector<std::string>{"a.txt"}) << held;
    const TRect row = F->FileListBox1->ItemRect(IndexOf("a.txt"));
    POINT p = at;
    ScreenToClient(list, &p);
    EXPECT_TRUE(p.y >= row.top && p.y <= row.bottom && p.x > row.left && p.x < row.right);
  }
}
