// The process-wide values of the module Main: set at start-up, read by the
// main window and the dialogs; the texts may be replaced by a language file.
// No window here.
#pragma once

#include <array>
#include <string>

// The program's folder with a trailing backslash.
extern std::string ProgramDir;
// The command interpreter's path from COMSPEC, or "COMMAND" / "CMD".
extern std::string CommandInterpreter;
extern std::array<std::string, 10> MessageTexts;
extern std::string ManualFileName;
extern std::string DropHintText;
extern char InsertChar;
extern std::string LanguageName;
extern std::string BatchExecuteText;
extern std::string BatchCancelText;

// Puts every text back to its English start value.
void ResetProgramTexts();
