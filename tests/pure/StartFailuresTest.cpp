#include "program/StartFailures.h"

#include <gtest/gtest.h>

TEST(StartFailures, EachKindOfStartHasItsOwnMessages) {
  using M = MessageId;
  struct Case {
    StartedAs What;
    int Result;
    std::optional<MessageId> Message;
  };
  const Case cases[] = {
      {StartedAs::Program, 0, M::OutOfMemory},
      {StartedAs::Program, 2, M::FileNotFound},
      {StartedAs::Program, 3, M::PathNotFound},
      {StartedAs::Program, 11, M::BadFormat},
      {StartedAs::Program, 5, std::nullopt},     // access denied: no message of its own
      {StartedAs::Program, 193, std::nullopt},   // not a valid program: the interpreter tries
      {StartedAs::Program, 32, std::nullopt},    // started
      {StartedAs::Interpreter, 0, M::OutOfMemory},
      {StartedAs::Interpreter, 2, M::InterpreterNotFound},
      {StartedAs::Interpreter, 3, std::nullopt},
      {StartedAs::Interpreter, 11, std::nullopt},
      {StartedAs::Explorer, 0, M::OutOfMemory},
      {StartedAs::Explorer, 2, M::ExplorerNotFound},
      {StartedAs::Explorer, 3, std::nullopt},
      {StartedAs::Explorer, 33, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.What) << " result " << c.Result);
    EXPECT_EQ(StartFailureMessage(c.What, c.Result), c.Message);
  }
}

TEST(StartFailures, MessagesAreTheEnglishTextsOfTheirNames) {
  ResetProgramTexts();
  EXPECT_EQ(MessageTexts[MessageId::SaveAs], "&Save as...");
  EXPECT_EQ(MessageTexts[MessageId::Error], "Error");
  EXPECT_EQ(MessageTexts[MessageId::InterpreterNotFound], "Command Interpreter not found!");
  EXPECT_EQ(MessageTexts[MessageId::OutOfMemory], "Out of memory!");
  EXPECT_EQ(MessageTexts[MessageId::BadFormat], "Bad file format!");
  EXPECT_EQ(MessageTexts[MessageId::FileNotFound], "File not found!");
  EXPECT_EQ(MessageTexts[MessageId::PathNotFound], "Path not found!");
  EXPECT_EQ(MessageTexts[MessageId::ExplorerNotFound], "Explorer not found!");
  EXPECT_EQ(MessageTexts[MessageId::Objects], "Object(s)");
}
