// A command-line window as the program makes it, in a scratch folder of its
// own: a program folder with the command file, a work folder with files.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "controls/OrvCustomCheck.h"
#include "drawing/PZSpButt.h"
#include "framework/WideText.h"
#include "main/Main.h"
#include "testkit/TestKit.h"

struct MainFixture : ::testing::Test {
  testkit::TempDir Dir;
  testkit::CurrentDirGuard Cwd;
  // No test waits on a message box: every box is recorded and answered OK.
  testkit::MessageBoxRecorder Boxes;
  TForm1* F = nullptr;
  std::string Work;  // the folder the panes show at the start

  void SetUp() override {
    ResetProgramTexts();
    Dir.MakeDir("prog");
    Dir.MakeDir("work");
    ProgramDir = Dir / "prog\\";
    ProgramPath = Dir / "prog\\OrvQuill.exe";
    Dir.Write("prog\\OrvExec.bat", "@echo off\r\n%*\r\n");
    // A language is chosen, so that no chooser opens when the window shows.
    UseLanguage("English");
    char comspec[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("COMSPEC", comspec, MAX_PATH);
    CommandInterpreter = n ? std::string(comspec, n) : "CMD";
    Work = Dir / "work";
    SetCurrentDirectoryA(Work.c_str());
    F = Application->CreateForm<TForm1>();
    // The window refreshes its panes once, a second after it starts. In a
    // test that refresh lands at any step (later, the slower the machine)
    // and drops the selection a click has just made; the test of the start
    // turns it on again.
    F->TimerProcess->SetEnabled(false);
    F->Show();
    testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; });
  }

  void TearDown() override {
    TComponent::Free(F);
    testkit::PumpPending();
  }

  // The shipped language file of that name, named by the pointer file.
  void UseLanguage(const std::string& name) {
    const std::string file = name + ".OQL";
    ASSERT_TRUE(CopyFileA((testkit::DataFolder() + file).c_str(),
                          (Dir / ("prog\\" + file)).c_str(), FALSE));
    Dir.Write("prog\\OrvQuill.LNG", file + "\r\n");
  }

  // Types into the command line's edit field with real key messages.
  void Type(const std::string& text) {
    F->CommLine->SetFocus();
    testkit::TypeText(F->CommLine->EditHandle(), text);
  }

  // The command line's selection as its edit field holds it, in UTF-16
  // units, and the field's own text: what the user sees.
  std::pair<int, int> FieldSelection() const {
    DWORD s = 0, e = 0;
    SendMessageW(F->CommLine->EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                 reinterpret_cast<LPARAM>(&e));
    return {static_cast<int>(s), static_cast<int>(e)};
  }
  // Sets the field's selection in its own units, as the mouse or the arrow
  // keys do.
  void SelectInField(int start, int end) {
    SendMessageW(F->CommLine->EditHandle(), EM_SETSEL, static_cast<WPARAM>(start), end);
  }

  std::string CurrentDir() const {
    char buf[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buf);
    return buf;
  }

  int IndexOf(const std::string& entry) const {
    return F->FileListBox1->Items()->IndexOf(entry);
  }
};
