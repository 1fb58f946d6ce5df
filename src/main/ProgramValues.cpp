#include "main/ProgramValues.h"

std::string ProgramDir;
std::string CommandInterpreter;
std::array<std::string, 10> MessageTexts;
std::string ManualFileName;
std::string DropHintText;
char InsertChar = '#';
std::string LanguageName;
std::string BatchExecuteText;
std::string BatchCancelText;

void ResetProgramTexts() {
  MessageTexts = {
      "&Save as...",
      "Error",
      "Evaluation of environment variable COMPSPEC failed! Standard name for Command "
      "Interpreter will be used. This is \"COMMAND\" in Windows95/98 and \"CMD\" in Windows NT. "
      "Are you using Windows95/98?",
      "Command Interpreter not found!",
      "Out of memory!",
      "Bad file format!",
      "File not found!",
      "Path not found!",
      "Explorer not found!",
      "Object(s)",
  };
  ManualFileName = "ReadMe.RTF";
  DropHintText = "Press Enter to execute the copy operation.";
  InsertChar = '#';
  LanguageName = "English";
  BatchExecuteText = "E&xecute";
  BatchCancelText = "&Cancel";
}

