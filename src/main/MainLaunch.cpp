// TForm1: starting programs and console sessions of the command interpreter.
#include <vector>

#include "controls/OrvCustomCheck.h"
#include "framework/Seams.h"
#include "framework/WideText.h"
#include "main/CommandRules.h"
#include "main/Main.h"
#include "program/StartFailures.h"

namespace {
const char kConsoleTitle[] = "Orv Quillon - Invoked DOS Session";
}  // namespace

void TForm1::ErrorBox(const std::string& text) {
  Application->MessageBox(text, MessageTexts[MessageId::Error], MB_OK | MB_ICONERROR);
}

int TForm1::StartProcess(const std::string& commandLine) {
  STARTUPINFOA own{};
  own.cb = sizeof own;
  GetStartupInfoA(&own);
  STARTUPINFOA si{};
  si.cb = own.cb;
  si.lpTitle = const_cast<char*>(kConsoleTitle);
  si.dwFlags = 0;  // no position, size, show state or handles of ours
  // The system may write into the command line it is given.
  std::vector<char> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back('\0');
  PROCESS_INFORMATION pi{};
  if (!Processes().CreateProcessFn(nullptr, cmd.data(), NORMAL_PRIORITY_CLASS, nullptr, &si, &pi))
    return static_cast<int>(GetLastError());
  LastProcess.Reset(pi);
  TimerProcess->SetEnabled(true);
  return 32;
}

bool TForm1::ShowStartError(StartedAs what, int code) {
  std::optional<MessageId> message = StartFailureMessage(what, code);
  if (message) ErrorBox(MessageTexts[*message]);
  return message.has_value();
}

void TForm1::RunCommand(const std::string& command, bool close) {
  std::string t = command;
  const bool dos = DosWindowMode();
  if (!dos) {
    int r = StartProcess(t);
    if (r >= 32) return;
    if (r == 2) {
      // Not a program: the interpreter runs it through the command file.
      t = PrefixWithOrvExec(ProgramDir, t);
    } else if (ShowStartError(StartedAs::Program, r)) {
      return;
    }
  }
  const std::string line = InterpreterCommandLine(CommandInterpreter, close && dos, t);
  // What follows the interpreter's name and its switch is the command it
  // reads; counted in the system's characters.
  const std::size_t head = AnsiToWide(CommandInterpreter).size() + 4;
  if (AnsiToWide(line).size() > head + kInterpreterMaxChars) {
    ErrorBox(MessageTexts[MessageId::CommandTooLong]);
    return;
  }
  int e = StartProcess(line);
  ShowStartError(StartedAs::Interpreter, e);
}

void TForm1::TimerProcessTimer(TObject*) {
  DWORD code = 0;
  if (LastProcess.Process() && GetExitCodeProcess(LastProcess.Process(), &code) &&
      code == STILL_ACTIVE)
    return;
  TimerProcess->SetEnabled(false);
  LastProcess.Reset();
  SpbUpdateClick(this);
}

bool TForm1::DosWindowMode() const { return CheckBoxDIR->Checked(); }

void TForm1::SetDosWindowMode(bool on) { CheckBoxDIR->SetChecked(on); }

bool TForm1::CloseSetting() const { return CheckBoxDOS->Checked(); }
