// Start-up of the command-line window: the command interpreter, the program
// folder and the option words.
#pragma once

#include <string>
#include <vector>

// COMSPEC when it names an existing file; otherwise the user is asked
// whether this is Windows 95/98 ("COMMAND") or NT ("CMD").
std::string FindCommandInterpreter();

// Reads the option words (arguments, else ProgramDir + "OrvQuill.par") and
// applies the look switches. ASK, or no options and no parameter file,
// starts the type chooser and asks the application to end.
void ReadStartOptions(const std::vector<std::string>& args);
