#include "program/LanguageFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Utf8.h"

#include "program/ProgramValues.h"

namespace {
// A file whose line n reads "L<n>", joined with the given line end.
std::string NumberedLines(int count, const std::string& end = "\r\n") {
  std::string s;
  for (int n = 1; n <= count; ++n) s += "L" + std::to_string(n) + end;
  return s;
}

std::string TextOf(const LanguageTexts& t, int line) {
  const std::string* s = t.Text(static_cast<LangLine>(line));
  return s ? *s : "<absent>";
}

}  // namespace

TEST(LanguageFile, LineRules) {
  struct Case {
    const char* Name;
    std::string Bytes;
    // line -> expected text ("<absent>": not in force)
    std::vector<std::pair<int, std::string>> Expect;
  };
  const std::string longLine(100000, 'x');
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  const Case cases[] = {
      {"38 lines: line 39 keeps its text", NumberedLines(38),
       {{1, "L1"}, {9, "L9"}, {34, "L34"}, {38, "L38"}, {39, "<absent>"}}},
      {"39 lines", NumberedLines(39), {{38, "L38"}, {39, "L39"}}},
      {"an empty line 39 keeps its text", NumberedLines(38) + "\r\nL40\r\n", {{39, "<absent>"}}},
      {"no final line end", NumberedLines(37) + "L38", {{37, "L37"}, {38, "L38"}}},
      {"LF and lone CR", "a\nb\rc\r\nd", {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, ""}}},
      {"33 lines: the rest stays", NumberedLines(33), {{33, "L33"}, {34, "<absent>"}, {38, "<absent>"}}},
      {"20 lines: 21 to 33 empty, 34 ends", NumberedLines(20),
       {{20, "L20"}, {21, ""}, {30, ""}, {33, ""}, {34, "<absent>"}, {37, "<absent>"}}},
      {"empty line 34 ends even with more after it",
       NumberedLines(33) + "\r\nL35\r\nL36\r\n", {{33, "L33"}, {34, "<absent>"}, {35, "<absent>"}}},
      {"34 lines: 35 to 38 empty", NumberedLines(34), {{34, "L34"}, {35, ""}, {38, ""}}},
      {"empty file", "", {{1, ""}, {33, ""}, {34, "<absent>"}}},
      {"UTF-8 mark skipped", "\xEF\xBB\xBF\xA7\r\n", {{1, "\xA7"}}},
      {"long lines cut, the next line intact", longLine + "\r\nL2\r\n",
       {{1, std::string(kMaxLanguageText, 'x')}, {2, "L2"}}},
      {"a long message keeps more", NumberedLines(22) + longLine + "\nL24\n",
       {{23, std::string(kMaxLanguageMessage, 'x')}, {24, "L24"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    LanguageTexts t = ReadLanguageFile(c.Bytes);
    for (const auto& [line, text] : c.Expect) EXPECT_EQ(TextOf(t, line), text) << "line " << line;
  }
  // Bytes of any kind: no text longer than its limit, nothing read past 38.
  for (const std::string& bytes : {binary, std::string(300000, '\0'), binary + longLine}) {
    LanguageTexts t = ReadLanguageFile(bytes);
    for (int n = 1; n <= kLanguageLineCount; ++n)
      if (const std::string* s = t.Text(static_cast<LangLine>(n))) {
        EXPECT_LE(CountCharacters(*s), kMaxLanguageMessage);
      }
  }
}

TEST(LanguageFile, InsertCharacterAndItsReplacement) {
  struct Case {
    std::string Line1, Line9, Expected9;
    std::optional<std::string> Insert;
  };
  const Case cases[] = {
      {"\xA7", "Insert '#'", "Insert '\xA7'", "\xA7"},  // a legacy byte left as it is
      {"\xA7 and the rest is ignored", "Zeichen # oder #", "Zeichen \xA7 oder #", "\xA7"},
      {"\xC2\xA7", "Insert '#'", "Insert '\xC2\xA7'", "\xC2\xA7"},  // UTF-8: one character
      {"\xE2\x82\xAC!", "Insert '#'", "Insert '\xE2\x82\xAC'", "\xE2\x82\xAC"},
      {"\xF0\x9F\x98\x80", "Insert '#'", "Insert '#'", std::nullopt},  // typed as two halves
      {"\xC2\x85", "Insert '#'", "Insert '#'", std::nullopt},  // a control character
      {"#", "Insert '#'", "Insert '#'", "#"},
      {"", "Insert '#'", "Insert '#'", std::nullopt},          // empty: '#' stays
      {" x", "Insert '#'", "Insert '#'", std::nullopt},        // a blank cannot be typed as one
      {std::string(1, '\0'), "Insert '#'", "Insert '#'", std::nullopt},
      {"$", "no mark here", "no mark here", "$"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Line1);
    std::string file = c.Line1 + "\r\nmanual\r\n";
    for (int n = 3; n <= 8; ++n) file += "\r\n";
    file += c.Line9 + "\r\n" + c.Line9 + "\r\n";  // lines 9 and 10
    for (int n = 11; n <= 18; ++n) file += "\r\n";
    file += "Press # for " + c.Line9 + "\r\n";  // line 19
    file += "# stays in line 20\r\n";
    LanguageTexts t = ReadLanguageFile(file);
    EXPECT_EQ(t.InsertCharacter(), c.Insert);
    EXPECT_EQ(TextOf(t, 9), c.Expected9);
    EXPECT_EQ(TextOf(t, 10), c.Expected9);
    if (c.Insert && *c.Insert != "#") {
      EXPECT_EQ(TextOf(t, 19), "Press " + *c.Insert + " for " + c.Line9);
    }
    EXPECT_EQ(TextOf(t, 20), "# stays in line 20");
  }
  std::string far = std::string(255, 'a') + "#";
  ReplaceInsertChar(far, "$");
  EXPECT_EQ(far.back(), '#');  // only the first 255 characters are looked at
  std::string near = std::string(254, 'a') + "#";
  ReplaceInsertChar(near, "$");
  EXPECT_EQ(near.back(), '$');
  // Characters, not bytes: 254 two-byte characters still come before it.
  std::string wide;
  for (int i = 0; i < 254; ++i) wide += "\xC3\xA4";
  wide += "#";
  ReplaceInsertChar(wide, "\xC2\xA7");
  EXPECT_EQ(wide.substr(wide.size() - 2), "\xC2\xA7");
}

TEST(LanguageFile, ProgramTextsTakeTheirLines) {
  ResetProgramTexts();
  std::string file = "\xA7\r\nHandbuch.RTF\r\n";
  for (int n = 3; n <= 21; ++n) file += "x\r\n";
  file += "Fehler\r\nFrage\r\nKein Interpreter\r\nKein Speicher\r\nFormat\r\nKeine Datei\r\n"
          "Kein Pfad\r\nKein Explorer\r\nObjekt(e)\r\nLabel\r\nAn&wenden\r\n&Schlie\xDF" "en\r\n"
          "Eingabe dr\xFC" "cken\r\n&Ausf\xFChren\r\n&Abbrechen\r\n&Speichern unter...\r\nStapel\r\n"
          "Zu lang\r\n";
  ApplyProgramTexts(ReadLanguageFile(file));
  EXPECT_EQ(InsertChar, "\xA7");
  EXPECT_EQ(ManualFileName, "Handbuch.RTF");
  EXPECT_EQ(MessageTexts[MessageId::Error], "Fehler");
  EXPECT_EQ(MessageTexts[MessageId::InterpreterQuestion], "Frage");
  EXPECT_EQ(MessageTexts[MessageId::InterpreterNotFound], "Kein Interpreter");
  EXPECT_EQ(MessageTexts[MessageId::OutOfMemory], "Kein Speicher");
  EXPECT_EQ(MessageTexts[MessageId::BadFormat], "Format");
  EXPECT_EQ(MessageTexts[MessageId::FileNotFound], "Keine Datei");
  EXPECT_EQ(MessageTexts[MessageId::PathNotFound], "Kein Pfad");
  EXPECT_EQ(MessageTexts[MessageId::ExplorerNotFound], "Kein Explorer");
  EXPECT_EQ(MessageTexts[MessageId::Objects], "Objekt(e)");
  EXPECT_EQ(DropHintText, "Eingabe dr\xFC" "cken");
  EXPECT_EQ(BatchExecuteText, "&Ausf\xFChren");
  EXPECT_EQ(BatchCancelText, "&Abbrechen");
  EXPECT_EQ(MessageTexts[MessageId::SaveAs], "&Speichern unter...");
  EXPECT_EQ(MessageTexts[MessageId::CommandTooLong], "Zu lang");

  // A file of 33 lines leaves the later texts English; an empty line 1
  // leaves '#'.
  ResetProgramTexts();
  ApplyProgramTexts(ReadLanguageFile("\r\n" + NumberedLines(32)));
  EXPECT_EQ(InsertChar, "#");
  EXPECT_EQ(ManualFileName, "L1");
  EXPECT_EQ(MessageTexts[MessageId::Objects], "L29");
  EXPECT_EQ(DropHintText, "Press Enter to execute the copy operation.");
  EXPECT_EQ(BatchExecuteText, "E&xecute");
  EXPECT_EQ(MessageTexts[MessageId::SaveAs], "&Save as...");
  ResetProgramTexts();
}

TEST(LanguageFile, PointerFileRules) {
  EXPECT_EQ(LanguagePointerPath("C:\\Orv Q\\OrvQuill.exe"), "C:\\Orv Q\\OrvQuill.LNG");
  EXPECT_EQ(LanguagePointerPath("Z:\\x\\other.exe"), "Z:\\x\\other.LNG");
  EXPECT_EQ(FirstLine("Deutsch.OQL\r\nignored\r\n"), "Deutsch.OQL");
  EXPECT_EQ(FirstLine("English.OQL"), "English.OQL");
  EXPECT_EQ(FirstLine(""), "");
  const std::pair<std::string, std::optional<std::string>> pointers[] = {
      {"Deutsch.OQL", "Deutsch.OQL"}, {"A.OQ", "A.OQ"}, {"OQL", std::nullopt}, {"", std::nullopt}};
  for (const auto& [line, file] : pointers) EXPECT_EQ(LanguageFileOfPointer(line), file) << line;
  EXPECT_EQ(LanguageNameOf("Deutsch.OQL"), "Deutsch");
  EXPECT_EQ(PointerFileText("Deutsch"), "Deutsch.OQL\r\n");
  const std::pair<std::string, bool> names[] = {
      {"English.OQL", true}, {"deutsch.oql", true}, {"Deutsch.OQLX", false},
      {"x.OQL.bak", false},  {".OQL", false},       {"OQL", false}};
  for (const auto& [name, listed] : names) EXPECT_EQ(IsLanguageFileName(name), listed) << name;
}
