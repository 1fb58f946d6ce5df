// Starting programs and console sessions: real processes under Wine.

#include "framework/ProcessFigures.h"
#include "main/MainFixture.h"

namespace {

struct MainLaunch : MainFixture {
  std::string WriteFileExe;  // a program of the tests that writes a file and ends

  void SetUp() override {
    MainFixture::SetUp();
    WriteFileExe = testkit::ExeFolder() + "oq_writefile.exe";
  }
  void TearDown() override {
    // A console left open by /K must not outlive the test.
    if (F && F->LastProcess.Process()) TerminateProcess(F->LastProcess.Process(), 0);
    MainFixture::TearDown();
  }
  bool WaitForFile(const std::string& name, int ms = 20000) {
    return testkit::PumpUntil([&] { return testkit::FileExists(Dir / ("work\\" + name)); }, ms);
  }
};

}  // namespace

TEST_F(MainLaunch, AProgramStartsDirectlyAndThePanesFollowItsEnd) {
  testkit::ProcessRecorder starts;
  F->SpbUpdateClick(F);
  ASSERT_EQ(F->FileListBox1->Items()->Count(), 0);
  F->RunCommand("\"" + WriteFileExe + "\" made.txt hello", true);
  ASSERT_TRUE(WaitForFile("made.txt"));
  EXPECT_EQ(testkit::ReadFile(Dir / "work\\made.txt"), "hello");
  // One direct start, no interpreter.
  ASSERT_EQ(starts.CreateProcessLines.size(), 1u);
  EXPECT_EQ(starts.CreateProcessLines[0].find(CommandInterpreter), std::string::npos);
  // The watch sees the end within about a second and lists the new file.
  EXPECT_TRUE(testkit::PumpUntil([&] { return IndexOf("made.txt") >= 0; }, 5000));
  EXPECT_FALSE(F->TimerProcess->Enabled());
}

TEST_F(MainLaunch, AnInternalCommandRunsInTheInterpreterThroughTheCommandFile) {
  testkit::ProcessRecorder starts;
  Dir.Write("work\\a b.txt", "content");
  // Typed as a user would, with quotes.
  Type("copy \"a b.txt\" c.txt\r");
  ASSERT_TRUE(WaitForFile("c.txt"));
  EXPECT_EQ(testkit::ReadFile(Dir / "work\\c.txt"), "content");
  ASSERT_EQ(starts.CreateProcessLines.size(), 2u);
  EXPECT_EQ(starts.CreateProcessLines[0], "copy \"a b.txt\" c.txt");
  // The switch is K whatever the close setting, since DOS-window mode is off.
  EXPECT_EQ(starts.CreateProcessLines[1],
            CommandInterpreter + " /K \"\"" + ProgramDir + "OrvExec\" copy \"a b.txt\" c.txt\"");
  EXPECT_TRUE(F->Timer1->Enabled());
}

TEST_F(MainLaunch, DosWindowModeWithCloseEndsTheConsoleByItself) {
  testkit::ProcessRecorder starts;
  Dir.Write("work\\a.txt", "x");
  F->CheckBoxDIR->SetChecked(true);
  ASSERT_TRUE(F->CheckBoxDOS->Checked());
  Type("copy a.txt d.txt\r");
  ASSERT_TRUE(WaitForFile("d.txt"));
  ASSERT_EQ(starts.CreateProcessLines.size(), 1u);
  EXPECT_EQ(starts.CreateProcessLines[0], CommandInterpreter + " /C copy a.txt d.txt");
  // The console ends on its own and the panes are refreshed.
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->TimerProcess->Enabled(); }, 10000));
  EXPECT_GE(IndexOf("d.txt"), 0);
}

// The road a command takes when a start fails, by the failure's code: the
// command lines tried, in order, and the message shown. A start refused for
// any code below 32 but 0, 2, 3 and 11 (here 5, access denied) goes to the
// interpreter unchanged, with /K outside DOS-window mode. (The system's own
// codes differ between platforms; the window's answer to each is tested.)
TEST_F(MainLaunch, FailedStartsTakeTheRoadTheirCodeSays) {
  const std::string cmd = "tool.exe /x";
  const std::string ci = CommandInterpreter;
  struct Case {
    const char* name;
    bool dos, close;
    std::vector<DWORD> fails;  // the direct start's, then the interpreter's
    std::vector<std::string> lines;
    const char* box;  // nullptr: none
  };
  const Case cases[] = {
      {"access denied", false, true, {5, 5}, {cmd, ci + " /K " + cmd}, nullptr},
      {"out of memory", false, true, {0}, {cmd}, "Out of memory!"},
      {"bad format", false, true, {11}, {cmd}, "Bad file format!"},
      {"path not found", false, true, {3}, {cmd}, "Path not found!"},
      {"interpreter out of memory", false, true, {2, 0},
       {cmd, ci + " /K \"\"" + ProgramDir + "OrvExec\" " + cmd + "\""}, "Out of memory!"},
      {"DOS window, kept open", true, false, {5}, {ci + " /K " + cmd}, nullptr},
      {"DOS window, closed after", true, true, {5}, {ci + " /C " + cmd}, nullptr},
  };
  for (const Case& c : cases) {
    Boxes.Boxes.clear();
    F->CheckBoxDIR->SetChecked(c.dos);
    F->CheckBoxDOS->SetChecked(c.close);
    {
      testkit::ProcessRecorder starts(false);
      starts.FailWithEach = c.fails;
      F->RunCommand(cmd, F->CheckBoxDOS->Checked());
      EXPECT_EQ(starts.CreateProcessLines, c.lines) << c.name;
    }
    if (!c.box) {
      EXPECT_TRUE(Boxes.Boxes.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(Boxes.Boxes.size(), 1u) << c.name;
    EXPECT_EQ(Boxes.Boxes[0].Text, c.box) << c.name;
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Error") << c.name;
    EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR) << c.name;
  }
}

// The interpreter reads at most 8191 characters (the system's, not bytes)
// of a command: a longer one gets a message instead of a console window
// that closes without a word.
TEST_F(MainLaunch, ACommandTooLongForTheInterpreterIsReported) {
  F->CheckBoxDIR->SetChecked(true);
  testkit::ProcessRecorder starts(false);
  starts.FailWith = ERROR_ACCESS_DENIED;  // nothing starts, nothing to say
  std::string cmd = "echo ";
  while (cmd.size() < 2 * 8191 - 5) cmd += "\xCE\xB1";  // Greek alpha: two bytes
  F->RunCommand(cmd, true);  // 8191 characters
  F->RunCommand(cmd + "x", true);
  EXPECT_EQ(starts.CreateProcessLines.size(), 1u);
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "The command is too long: the command interpreter takes at most 8191 characters.");
}

// The timers that refresh the panes. The watch's first tick without a
// process refreshes them once and stops; a command from the command line
// refreshes them once more later (Timer1, 1.3 s) and switches that off; DIR
// and VIEW given to the interpreter in DOS-window mode start no late refresh.
TEST_F(MainLaunch, TheWatchAndTheLateRefresh) {
  F->TimerProcess->SetEnabled(true);  // as at the window's start
  Dir.Write("work\\first.txt", "1");
  ASSERT_LT(IndexOf("first.txt"), 0);
  EXPECT_TRUE(testkit::PumpUntil([&] { return IndexOf("first.txt") >= 0; }));
  EXPECT_FALSE(F->TimerProcess->Enabled());
  EXPECT_FALSE(F->Timer1->Enabled());

  testkit::ProcessRecorder starts(false);
  starts.FailWith = ERROR_ACCESS_DENIED;  // nothing starts, no box
  Type("tool.exe\r");
  EXPECT_TRUE(F->Timer1->Enabled());
  EXPECT_EQ(F->Timer1->Interval(), 1300u);
  Dir.Write("work\\later.txt", "2");
  EXPECT_TRUE(testkit::PumpUntil([&] { return IndexOf("later.txt") >= 0; }));
  EXPECT_FALSE(F->Timer1->Enabled());

  F->CheckBoxDIR->SetChecked(true);
  for (const char* typed : {"dir *.txt\r", "view first.txt\r"}) {
    const size_t before = starts.CreateProcessLines.size();
    Type(typed);
    EXPECT_EQ(starts.CreateProcessLines.size(), before + 1) << typed;  // to the interpreter
    EXPECT_FALSE(F->Timer1->Enabled()) << typed;
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(MainLaunch, AMissingInterpreterIsReported) {
  CommandInterpreter = "no-such-interpreter.exe";
  F->CheckBoxDIR->SetChecked(true);
  F->RunCommand("dir", true);
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "Command Interpreter not found!");
}

TEST_F(MainLaunch, ADocumentNameStartsNothingAndShowsNothing) {
  testkit::ProcessRecorder starts;
  Dir.Write("work\\notes.txt", "just text");
  F->RunCommand("notes.txt", true);
  testkit::PumpPending();
  EXPECT_TRUE(Boxes.Boxes.empty());
  // The one direct try failed with a code of 32 or more: nothing else ran.
  EXPECT_EQ(starts.CreateProcessLines.size(), 1u);
}

TEST_F(MainLaunch, OnlyTheLastStartIsWatchedAndNoHandleLeaks) {
  const int before = OpenHandleCount();
  for (int i = 0; i < 4; ++i)
    F->RunCommand("\"" + WriteFileExe + "\" f" + std::to_string(i) + ".txt", true);
  ASSERT_TRUE(WaitForFile("f3.txt"));
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->TimerProcess->Enabled(); }, 10000));
  EXPECT_EQ(F->LastProcess.Process(), nullptr);  // released once it ended
  EXPECT_LE(OpenHandleCount(), before + 1);
}

TEST_F(MainLaunch, ALongCommandLineArrivesWhole) {
  // Close to the system's limit for a command line.
  std::string text(31000, 'x');
  F->RunCommand("\"" + WriteFileExe + "\" long.txt " + text, true);
  ASSERT_TRUE(WaitForFile("long.txt"));
  EXPECT_TRUE(testkit::PumpUntil(
      [&] { return testkit::ReadFile(Dir / "work\\long.txt").size() == text.size(); }));
}
