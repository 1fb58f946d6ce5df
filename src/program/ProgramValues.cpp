#include "program/ProgramValues.h"

std::string ProgramPath;
std::string ProgramDir;
bool KeepHistory = false;
std::string CommandInterpreter;
MessageTable MessageTexts;
std::string ManualFileName;
std::string DropHintText;
std::string InsertChar = "#";
const char* const InexactTextMessage =
    "This holds a character that cannot be passed on exactly (an unpaired surrogate, or a "
    "character outside the system's code page). Nothing was done.";
std::string LanguageName;
std::string BatchExecuteText;
std::string BatchCancelText;

void ResetProgramTexts() {
  const char* const english[kMessageCount] = {
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
      "The command is too long: the command interpreter takes at most 8191 characters.",
  };
  for (std::size_t i = 0; i < kMessageCount; ++i)
    MessageTexts[static_cast<MessageId>(i)] = english[i];
  ManualFileName = "ReadMe.RTF";
  DropHintText = "Press Enter to execute the copy operation.";
  InsertChar = "#";
  LanguageName = "English";
  BatchExecuteText = "E&xecute";
  BatchCancelText = "&Cancel";
}

