#include "main/NameCompletion.h"

#include <gtest/gtest.h>

#include "framework/NameRules.h"

namespace {
// The text with '|' where the caret stands, taken apart.
std::pair<std::string, std::size_t> AtCaret(std::string marked) {
  const std::size_t caret = marked.find('|');
  marked.erase(caret, 1);
  return {marked, caret};
}
}  // namespace

TEST(NameCompletion, TheWordAtTheCaretAndItsCompletion) {
  struct Case {
    const char* Marked;   // '|': the caret
    const char* Folder;   // nullptr: no word ends at the caret
    const char* Prefix;
    const char* Name;     // completes the word
    const char* Result;   // the text afterwards
  } const cases[] = {
      {"type pl|", "", "pl", "plan b.txt", "type \"plan b.txt\""},
      {"type pl|", "", "pl", "plain.txt", "type plain.txt"},
      {"pl|", "", "pl", "plain.txt", "plain.txt"},
      {"type pl| more", "", "pl", "plain.txt", "type plain.txt more"},
      {"copy ..\\sub\\pa|", "..\\sub\\", "pa", "part.txt", "copy ..\\sub\\part.txt"},
      {"dir C:\\Win|", "C:\\", "Win", "Windows", "dir C:\\Windows"},
      {"dir C:Win|", "C:", "Win", "Windows", "dir C:Windows"},
      {"cd \"My Do|", "", "My Do", "My Documents", "cd \"My Documents\""},
      {"cd \"My Do|\"", "", "My Do", "My Documents", "cd \"My Documents\""},  // its closing quote
      {"cd \"x\"\\su|", "x\\", "su", "sub", "cd \"x\\sub\""},  // quotes kept
      {"cd \"Program Files\"\\Mi|", "Program Files\\", "Mi", "My app",
       "cd \"Program Files\\My app\""},
      {"type a&b|", "", "b", "b c", "type a&\"b c\""},
      {"type x>out|", "", "out", "out.txt", "type x>out.txt"},
      {"echo \"a b|", "", "a b", "a b c", "echo \"a b c\""},  // a blank inside quotes
      {"type \"|", "", "", "x", "type \"x\""},
      {"cd ..\\|", "..\\", "", "up", "cd ..\\up"},
      {"type name(1)|", "", "name(1)", "name(1).txt", "type \"name(1).txt\""},
      {"|", nullptr, "", "", ""},
      {"type |", nullptr, "", "", ""},
      {"type |pl", nullptr, "", "", ""},
      {"type a|b", "", "a", "abc", "type abcb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Marked);
    const auto [text, caret] = AtCaret(c.Marked);
    const CompletionWord w = FindCompletionWord(text, caret);
    ASSERT_EQ(w.Found, c.Folder != nullptr);
    if (!w.Found) continue;
    EXPECT_EQ(w.Folder, c.Folder);
    EXPECT_EQ(w.Prefix, c.Prefix);
    EXPECT_EQ(text.substr(0, w.Start) + CompletedWord(w, c.Name) + text.substr(w.End), c.Result);
  }
}

TEST(NameCompletion, InsertedNamesAreQuotedUnlessAQuoteIsOpen) {
  struct Case {
    const char* Marked;
    const char* Name;
    const char* Inserted;
  } const cases[] = {
      {"copy |", "my file.txt", "\"my file.txt\""},
      {"copy |", "plain.txt", "plain.txt"},
      {"copy \"C:\\x\\|", "my file.txt", "my file.txt"},  // inside an open quote
      {"copy \"a\" |", "my file.txt", "\"my file.txt\""},  // the quote is closed
      {"|", "[docs]", "\"[docs]\""},
  };
  for (const Case& c : cases) {
    const auto [text, caret] = AtCaret(c.Marked);
    EXPECT_EQ(InsertableName(text, caret, c.Name), c.Inserted) << c.Marked;
  }
  // Every character the interpreter quotes for, and only those.
  for (char ch : std::string(" \t&()[]{}^=;!'+,`~"))
    EXPECT_TRUE(NeedsQuotes(std::string("a") + ch)) << ch;
  for (char ch : std::string("-_.$#@%\\:\xC3\xA4"))
    EXPECT_FALSE(NeedsQuotes(std::string("a") + ch)) << ch;
}

TEST(NameCompletion, FoldersAndWordsBeforeTheCaret) {
  EXPECT_EQ(CompletionFolder("C:\\work", ""), "C:\\work");
  EXPECT_EQ(CompletionFolder("C:\\work", "..\\sub\\"), "C:\\work\\..\\sub\\");
  EXPECT_EQ(CompletionFolder("C:\\work", "\\Windows\\"), "C:\\Windows\\");
  EXPECT_EQ(CompletionFolder("\\\\srv\\share\\work", "\\x\\"), "\\\\srv\\share\\x\\");
  EXPECT_EQ(CompletionFolder("C:\\work", "D:\\"), "D:\\");
  EXPECT_EQ(CompletionFolder("C:\\work", "D:"), "D:");
  EXPECT_EQ(CompletionFolder("C:\\work", "\\\\srv\\share\\"), "\\\\srv\\share\\");

  struct Case {
    const char* Marked;
    const char* Left;  // the text before the caret after Ctrl+Backspace
  } const cases[] = {
      {"copy a.txt b.txt|", "copy a.txt "},   {"copy a.txt   |", "copy "},
      {"copy \"my file.txt\"|", "copy "},     {"copy a|b", "copy "},
      {"dir x>|", "dir x"},                   {"|", ""},
      {"word|", ""},
  };
  for (const Case& c : cases) {
    const auto [text, caret] = AtCaret(c.Marked);
    EXPECT_EQ(text.substr(0, WordStartBefore(text, caret)), c.Left) << c.Marked;
  }
}

TEST(NameCompletion, TheCycleWrapsBothWays) {
  CompletionCycle c;
  c.Begin({"a", "b", "c"}, true);
  std::string seen = c.Current();
  for (int i = 0; i < 3; ++i) {
    c.Step(true);
    seen += c.Current();
  }
  c.Step(false);
  seen += c.Current();
  EXPECT_EQ(seen, "abcac");
  c.Begin({"a", "b", "c"}, false);  // Shift+Tab first: the last name
  EXPECT_EQ(c.Current(), "c");
  c.Begin({}, true);
  EXPECT_FALSE(c.Active());

  // Case in any alphabet, as the file system folds it.
  std::u16string upper(65536, 0);
  for (std::size_t u = 0; u < upper.size(); ++u) upper[u] = static_cast<char16_t>(u);
  upper[u'l'] = u'L';
  upper[0x0142] = 0x0141;  // l with stroke
  const TCaseFold fold(upper);
  EXPECT_TRUE(fold.BeginsWith(u"\x0141\x00F3" u"dz", u"\x0142"));
  EXPECT_TRUE(fold.BeginsWith(u"plain", u"pL"));
  EXPECT_FALSE(fold.BeginsWith(u"pl", u"plain"));
  EXPECT_FALSE(fold.BeginsWith(u"\xD83D\xDE00", u"\xD83D\xDE01"));
}
