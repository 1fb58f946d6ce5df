// Which message a failed start shows. Start results follow one convention
// for process creation, the simple program start and the shell's open: 32 or
// more is a start, 0 out of memory, 2 file not found, 3 path not found, 11 a
// bad format. No window here.
#pragma once

#include <optional>

#include "program/ProgramValues.h"

enum class StartedAs {
  Program,      // a typed command started directly, or a file opened by the shell
  Interpreter,  // the command interpreter for a console session
  Explorer,     // the system's file explorer
};

// The message for a start that ended with the given result; none when the
// start succeeded or its failure has no message of its own.
std::optional<MessageId> StartFailureMessage(StartedAs what, int result);
