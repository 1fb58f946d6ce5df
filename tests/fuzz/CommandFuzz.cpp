// The command line: built-in words, CD, insertion into the text, the word a
// completion works on and the word it makes, the interpreter's command
// line, the batch window's joined command, and the message of a failed
// start.
#include "FuzzInput.h"
#include "dialogs/DialogRules.h"
#include "framework/TextRules.h"
#include "main/CommandRules.h"
#include "main/NameCompletion.h"
#include "program/StartFailures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  const int selStart = in.Int32(), selLength = in.Int32();
  const std::string shown = in.String();
  const std::string inserted = in.String();
  const std::string text = in.Rest();
  const bool dos = flags & 1;

  const ParsedCommand c = ParseCommand(text, dos);
  FUZZ_CHECK((c.Kind == CommandKind::None) == text.empty());
  FUZZ_CHECK(c.Argument.size() <= text.size());
  if (c.Kind == CommandKind::Help) FUZZ_CHECK(!dos);
  if (c.Kind == CommandKind::ChangeDir) {
    const std::string to = ResolveChangeDirectory(c.Argument, shown, static_cast<char>('A' + flags % 26));
    // CD never makes a path out of nothing but the drive it names.
    FUZZ_CHECK(to.size() <= shown.size() + c.Argument.size() + 2);
  }

  const InsertResult r = InsertIntoText(text, selStart, selLength, inserted);
  FUZZ_CHECK(r.Caret >= 0 && static_cast<std::size_t>(r.Caret) <= r.Text.size());
  FUZZ_CHECK(r.Text.compare(static_cast<std::size_t>(r.Caret) - inserted.size(), inserted.size(),
                            inserted) == 0);
  FUZZ_CHECK(r.Text.size() <= text.size() + inserted.size());

  // A word completed with a name (no quote, none of < > |, as no file
  // name has) stays one word, from where it began.
  const std::size_t caret = static_cast<std::size_t>(selStart) % (text.size() + 1);
  const CompletionWord w = FindCompletionWord(text, caret);
  if (w.Found && !inserted.empty() && inserted.find_first_of("\"<>|") == std::string::npos) {
    const std::string after = text.substr(0, w.Start) + CompletedWord(w, inserted);
    FUZZ_CHECK(FindCompletionWord(after, after.size()).Start == w.Start);
  }
  FUZZ_CHECK(WordStartBefore(text, caret) <= caret);

  const std::string line = InterpreterCommandLine(shown, flags & 2, text);
  FUZZ_CHECK(line.compare(0, shown.size(), shown) == 0);
  FUZZ_CHECK(line.size() >= shown.size() + 4 + text.size());
  FUZZ_CHECK(PrefixWithOrvExec(shown, text).size() == shown.size() + 10 + text.size());

  const std::vector<std::string> lines = SplitLines(text);
  const std::string joined = JoinBatchLines(lines);
  if (!lines.empty()) FUZZ_CHECK(joined.compare(0, lines[0].size(), lines[0]) == 0);
  (void)IsRichTextName(text);
  (void)IsTypeKey(static_cast<wchar_t>(flags), (flags & 1) != 0);

  for (StartedAs what : {StartedAs::Program, StartedAs::Interpreter, StartedAs::Explorer}) {
    const auto msg = StartFailureMessage(what, selStart);
    if (selStart >= 32) FUZZ_CHECK(!msg);
  }
  return 0;
}
