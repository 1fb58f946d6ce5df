// The program body: module start-up in dependency order, then the windows
// and the message loop.
#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "controls/EnterExitButton.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/introbntrob.h"
#include "frame/UOberMetal.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "main/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  InitFramework();
  std::vector<std::string> args(__argv, __argv + __argc);
  const std::string program = ProgramFilePath();
  const std::string folder = ProgramFileFolder();

  // The modules the main module uses start first.
  LoadFrameSkin(folder);
  InitEnterExitButtonModule(args, folder);

  ResetProgramTexts();
  CommandInterpreter = FindCommandInterpreter();
  ProgramPath = program;
  ProgramDir = folder;
  ReadStartOptions(args);

  Application->Initialize();
  Application->SetTitle("Orv Quillon");
  Application->CreateForm<TForm1>();
  Application->CreateForm<TIntrobox>();
  Application->CreateForm<TDAttribs>()->SetFileList(Form1->FileListBox1);
  // One instance of the bare frame form exists for the program's run, unseen.
  Application->CreateForm<TOberFormMetal>();
  Application->Run();

  delete Application;
  Application = nullptr;
  OleUninitialize();
  return 0;
}
