#include "main/NameCompletion.h"

#include <gtest/gtest.h>

namespace {
// The text with '|' where the caret stands, taken apart.
std::pair<std::string, std::size_t> AtCaret(std::string marked) {
  const std::size_t caret = marked.find('|');
  marked.erase(caret, 1);
  return {marked, caret};
}
}  // namespace

TEST(NameCompletion, WordsFoldersQuotesAndTheCycle) {
  struct Case {
    const char* Marked;  // '|': the caret
    const char* Folder;  // nullptr: no word ends at the caret
    const char* Name;    // completes the word
    const char* Result;  // the text afterwards
  } const cases[] = {
      {"type pl| more", "", "plan b.txt", "type \"plan b.txt\" more"},
      {"copy ..\\sub\\pa|", "..\\sub\\", "part.txt", "copy ..\\sub\\part.txt"},
      {"dir C:Win|", "C:", "Windows", "dir C:Windows"},
      {"cd \"My Do|\"", "", "My Documents", "cd \"My Documents\""},  // its closing quote
      {"cd \"Program Files\"\\Mi|", "Program Files\\", "My app", "cd \"Program Files\\My app\""},
      {"type a&b|", "", "b(1)", "type a&\"b(1)\""},
      {"echo \"a b|", "", "a b c", "echo \"a b c\""},  // a blank inside quotes
      {"type |", nullptr, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Marked);
    const auto [text, caret] = AtCaret(c.Marked);
    const CompletionWord w = FindCompletionWord(text, caret);
    ASSERT_EQ(w.Found, c.Folder != nullptr);
    if (!w.Found) continue;
    EXPECT_EQ(w.Folder, c.Folder);
    EXPECT_EQ(text.substr(0, w.Start) + CompletedWord(w, c.Name) + text.substr(w.End), c.Result);
  }
  EXPECT_EQ(CompletionFolder("C:\\work", "\\Windows\\"), "C:\\Windows\\");
  EXPECT_EQ(CompletionFolder("\\\\srv\\share\\work", "\\x\\"), "\\\\srv\\share\\x\\");
  // Inserted names: quoted, unless a quote is open at the caret.
  EXPECT_EQ(InsertableName("copy ", 5, "a;b"), "\"a;b\"");
  EXPECT_EQ(InsertableName("copy \"C:\\", 9, "a b"), "a b");
  EXPECT_EQ(InsertableName("copy \"a\" ", 9, "a~b"), "\"a~b\"");
  EXPECT_EQ(InsertableName("copy ", 5, "a-b_c.d"), "a-b_c.d");
  // Ctrl+Backspace: the blanks, then the word, a quoted name as one.
  EXPECT_EQ(WordStartBefore("copy \"a b\"  ", 12), 5u);
  EXPECT_EQ(WordStartBefore("dir x>", 6), 5u);

  CompletionCycle cycle;
  cycle.Begin({"a", "b"}, false);  // Shift+Tab first: the last name
  std::string seen = cycle.Current();
  for (bool forward : {true, true, false}) {
    cycle.Step(forward);
    seen += cycle.Current();
  }
  EXPECT_EQ(seen, "baba");
}
