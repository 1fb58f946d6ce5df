#include "program/StartFailures.h"

std::optional<MessageId> StartFailureMessage(StartedAs what, int result) {
  if (result == 0) return MessageId::OutOfMemory;
  switch (what) {
    case StartedAs::Program:
      switch (result) {
        case 2: return MessageId::FileNotFound;
        case 3: return MessageId::PathNotFound;
        case 11: return MessageId::BadFormat;
        default: return std::nullopt;
      }
    case StartedAs::Interpreter:
      if (result == 2) return MessageId::InterpreterNotFound;
      return std::nullopt;
    case StartedAs::Explorer:
      if (result == 2) return MessageId::ExplorerNotFound;
      return std::nullopt;
  }
  return std::nullopt;
}
