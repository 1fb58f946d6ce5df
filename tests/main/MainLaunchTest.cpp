// Starting programs and console sessions: real processes under Wine.

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
    if (F && F->LastProcess.hProcess) TerminateProcess(F->LastProcess.hProcess, 0);
    MainFixture::TearDown();
  }
  bool WaitForFile(const std::string& name, int ms = 20000) {
    return testkit::PumpUntil([&] { return testkit::FileExists(Dir / ("work\\" + name)); }, ms);
  }
};

DWORD HandleCount() {
  DWORD n = 0;
  GetProcessHandleCount(GetCurrentProcess(), &n);
  return n;
}

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

TEST_F(MainLaunch, StartErrorsShowTheirMessages) {
  {
    // The system's answer for a missing path differs between platforms;
    // the window's answer to "path not found" is what is tested here.
    testkit::ProcessRecorder starts(false);
    starts.FailWith = ERROR_PATH_NOT_FOUND;
    F->RunCommand("C:\\no\\such\\folder\\prog.exe", true);
    EXPECT_EQ(starts.CreateProcessLines.size(), 1u);  // nothing else is tried
  }
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "Path not found!");
  EXPECT_EQ(Boxes.Boxes[0].Caption, "Error");
  EXPECT_TRUE(Boxes.Boxes[0].Flags & MB_ICONERROR);
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
  DWORD before = HandleCount();
  for (int i = 0; i < 4; ++i)
    F->RunCommand("\"" + WriteFileExe + "\" f" + std::to_string(i) + ".txt", true);
  ASSERT_TRUE(WaitForFile("f3.txt"));
  EXPECT_TRUE(testkit::PumpUntil([&] { return !F->TimerProcess->Enabled(); }, 10000));
  EXPECT_EQ(F->LastProcess.hProcess, nullptr);  // released once it ended
  EXPECT_LE(HandleCount(), before + 1);
}

TEST_F(MainLaunch, ALongCommandLineArrivesWhole) {
  // Close to the system's limit for a command line.
  std::string text(31000, 'x');
  F->RunCommand("\"" + WriteFileExe + "\" long.txt " + text, true);
  ASSERT_TRUE(WaitForFile("long.txt"));
  EXPECT_TRUE(testkit::PumpUntil(
      [&] { return testkit::ReadFile(Dir / "work\\long.txt").size() == text.size(); }));
}
