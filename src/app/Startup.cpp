#include "app/Startup.h"

#include <windows.h>

#include "app/StartOptions.h"
#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "frame/UOberMetal.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/Seams.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"
#include "main/Main.h"

namespace {
bool IsExistingFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The whole parameter file, or nothing when any read fails: an unreadable
// file counts as empty, without a message.
std::vector<std::string> ReadParameterFile(const std::string& path) {
  try {
    return SplitLines(DecodeTextBytes(ReadWholeFile(path)).Text);
  } catch (const std::exception&) {
    return {};
  }
}
}  // namespace

std::string FindCommandInterpreter() {
  std::string value(40, '\0');
  DWORD n = GetEnvironmentVariableA("COMSPEC", value.data(), 40);
  if (n > 40) {
    value.assign(n, '\0');
    n = GetEnvironmentVariableA("COMSPEC", value.data(), n);
  }
  value.resize(n <= value.size() ? n : 0);
  if (!value.empty() && IsExistingFile(value)) return value;
  int answer = ShowMessageBox(nullptr, MessageTexts[MessageId::InterpreterQuestion],
                              MessageTexts[MessageId::Error], MB_YESNO);
  return answer == IDYES ? "COMMAND" : "CMD";
}

void ReadStartOptions(const std::vector<std::string>& args) {
  const std::string parFile = ProgramDir + "OrvQuill.par";
  // A folder of that name is no parameter file; a file that cannot be read
  // still is one (it counts as empty).
  const bool present = IsExistingFile(parFile);
  OptionSwitches s = ReadOptionSwitches(args, present, present ? ReadParameterFile(parFile)
                                                               : std::vector<std::string>{});
  LookDecisions d = ResolveOptions(s);
  if (d.StartTypeChooser) {
    // The chooser writes the parameter file and starts the program anew.
    Processes().WinExecFn(ProgramDir + "oqtyp.exe", SW_SHOWNORMAL);
    if (Application) Application->Terminate();
  }
  if (d.SelectShadedLook) SelectShadedLook();
  if (d.SelectWinBorder) SelectWinBorder();
  if (d.FreeMetalBitmaps) FreeMetalBitmaps();
  if (d.ButtonRegionsOff) TOrvNewButton::SetRegionsEnabled(false);
  if (d.PanelRegionsOff) TOrvRoundRectPanel::SetRegionsEnabled(false);
  if (d.ButtonBitmapsOff) {
    TOrvNewButton::SetBitmapsEnabled(false);
    TOrvNewButton::SetRegionsEnabled(false);
  }
  if (d.EnablePosRestore) EnablePosRestore();
  KeepHistory = d.KeepHistory;
}
