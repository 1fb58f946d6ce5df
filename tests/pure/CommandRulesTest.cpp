#include "main/CommandRules.h"

#include <gtest/gtest.h>

namespace {
ParsedCommand P(const std::string& t, bool dos = false) { return ParseCommand(t, dos); }
}  // namespace

TEST(CommandRules, DriveWordsAreExactlyTwoCharacters) {
  EXPECT_EQ(P("a:").Kind, CommandKind::Drive);
  EXPECT_EQ(P("A:").Argument, "A");
  EXPECT_EQ(P("C:\\").Kind, CommandKind::Run);
  EXPECT_EQ(P("d:", true).Kind, CommandKind::Drive);
  EXPECT_EQ(P("").Kind, CommandKind::None);
}

TEST(CommandRules, ChangeDirectoryForms) {
  EXPECT_EQ(P("CD").Kind, CommandKind::Run);  // a bare CD is no built-in
  ParsedCommand blank = P("CD ");
  EXPECT_EQ(blank.Kind, CommandKind::ChangeDir);
  EXPECT_EQ(blank.Argument, "");
  EXPECT_EQ(P("cdrom").Kind, CommandKind::Run);
  EXPECT_EQ(P("cd..").Argument, "..");
  EXPECT_EQ(P("CD ..").Argument, "..");
  EXPECT_EQ(P("CD \\TEMP").Argument, "\\TEMP");
  EXPECT_EQ(P("CD\\TEMP").Argument, "\\TEMP");
  EXPECT_EQ(P("cd D:\\X").Argument, "D:\\X");
  EXPECT_EQ(P("CD sub dir", true).Kind, CommandKind::ChangeDir);
}

TEST(CommandRules, DirViewHelpExitInBothModes) {
  ParsedCommand dir = P("DIR *.TXT");
  EXPECT_EQ(dir.Kind, CommandKind::Dir);
  EXPECT_EQ(dir.Argument, "*.TXT");
  EXPECT_FALSE(dir.ToInterpreter);
  EXPECT_EQ(P("dir").Argument, "");
  EXPECT_EQ(P("DIRECTORY").Kind, CommandKind::Run);
  EXPECT_TRUE(P("DIR /W", true).ToInterpreter);
  EXPECT_TRUE(P("DIR /W", true).KeepWindowOpen);

  EXPECT_EQ(P("VIEW ").Kind, CommandKind::Run);  // nothing to view
  EXPECT_EQ(P("view notes.txt").Argument, "notes.txt");
  EXPECT_TRUE(P("VIEW x", true).ToInterpreter);

  EXPECT_EQ(P("help").Kind, CommandKind::Help);
  EXPECT_EQ(P("HELP", true).Kind, CommandKind::Run);
  EXPECT_EQ(P("Exit").Kind, CommandKind::Exit);
  EXPECT_EQ(P("EXIT", true).Kind, CommandKind::Exit);
  EXPECT_EQ(P(" EXIT").Kind, CommandKind::Run);  // blanks are not trimmed
}

TEST(CommandRules, ChangeDirectoryTargets) {
  EXPECT_EQ(ResolveChangeDirectory("..", "C:\\A\\B", 'C'), "C:\\A");
  EXPECT_EQ(ResolveChangeDirectory("..", "C:\\A", 'C'), "C:\\");
  EXPECT_EQ(ResolveChangeDirectory("..", "C:\\", 'C'), "C:");
  EXPECT_EQ(ResolveChangeDirectory("\\TEMP", "C:\\A", 'D'), "D:\\TEMP");
  EXPECT_EQ(ResolveChangeDirectory("D:\\X", "C:\\A", 'C'), "D:\\X");
  EXPECT_EQ(ResolveChangeDirectory("sub", "C:\\A", 'C'), "C:\\A\\sub");
  EXPECT_EQ(ResolveChangeDirectory("..\\x", "C:\\A", 'C'), "C:\\A\\..\\x");
  EXPECT_EQ(ResolveChangeDirectory("", "C:\\A", 'C'), "");
}

// A quoted argument goes where the same path without quotes goes, in every
// form CD knows.
TEST(CommandRules, ChangeDirectoryTakesTheQuotesOff) {
  struct Case {
    const char* Argument;
    const char* Expected;
  } const cases[] = {
      {"\"with spaces\"", "C:\\A\\with spaces"},
      {"\"C:\\with spaces\"", "C:\\with spaces"},
      {"D:\"\\with spaces\"", "D:\\with spaces"},
      {"\"\\with spaces\"", "E:\\with spaces"},
      {"\"..\"", "C:\\"},
      {"\"\"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveChangeDirectory(c.Argument, "C:\\A", 'E'), c.Expected) << c.Argument;
}

TEST(CommandRules, TypeKeys) {
  // ASCII by its own rule, whatever the system says of the character.
  std::string keys;
  for (int c = 1; c < 128; ++c)
    if (IsTypeKey(static_cast<wchar_t>(c), c % 2 == 0)) keys += static_cast<char>(c);
  EXPECT_EQ(keys, "-.0123456789:ABCDEFGHIJKLMNOPQRSTUVWXYZ\\_abcdefghijklmnopqrstuvwxyz");
  // Beyond it, a letter or digit of any alphabet, as the system classes it:
  // the first non-ASCII unit, and 'ł', which an 8-bit cut turns into 'B'.
  EXPECT_TRUE(IsTypeKey(0x80, true));
  EXPECT_FALSE(IsTypeKey(0x80, false));
  EXPECT_TRUE(IsTypeKey(0x0142, true));
  EXPECT_FALSE(IsTypeKey(0x00A7, false));  // §
}

TEST(CommandRules, InsertionReplacesTheSelection) {
  InsertResult r = InsertIntoText("copy  x", 5, 0, "a.txt");
  EXPECT_EQ(r.Text, "copy a.txt x");
  EXPECT_EQ(r.Caret, 10);
  r = InsertIntoText("copy old x", 5, 3, "new");
  EXPECT_EQ(r.Text, "copy new x");
  EXPECT_EQ(r.Caret, 8);
  r = InsertIntoText("abc", 10, 10, "Z");  // clamped, never out of range
  EXPECT_EQ(r.Text, "abcZ");
  EXPECT_EQ(r.Caret, 4);
}

TEST(CommandRules, InterpreterLines) {
  EXPECT_EQ(InterpreterCommandLine("CMD", true, "dir"), "CMD /C dir");
  EXPECT_EQ(InterpreterCommandLine("C:\\windows\\system32\\cmd.exe", false, "copy a b"),
            "C:\\windows\\system32\\cmd.exe /K copy a b");
  // A command opening with a quote keeps its quotes through cmd's stripping.
  EXPECT_EQ(InterpreterCommandLine("CMD", false, "\"C:\\P\\OrvExec\" copy \"a b\" c"),
            "CMD /K \"\"C:\\P\\OrvExec\" copy \"a b\" c\"");
  EXPECT_EQ(InterpreterCommandLine("COMMAND", false, "\"x\" y"), "COMMAND /K \"x\" y");
  EXPECT_EQ(PrefixWithOrvExec("C:\\Orv Q\\", "copy a b"), "\"C:\\Orv Q\\OrvExec\" copy a b");
}


TEST(CommandRules, FileMenuItemsByExtension) {
  struct Case {
    bool selected;
    const char* entry;
    bool open, execute, view;
  } cases[] = {
      {true, "RUN.BAT", true, true, true},
      {true, "run.bat", true, true, true},
      {true, "TOOL.EXE", false, true, false},
      {true, "old.com", false, true, false},
      {true, "README.TXT", true, false, true},
      {true, "[docs]", true, false, true},
      {true, "[tools.exe]", true, false, true},  // a directory's bracket ends the name
      {true, "ab", true, false, true},
      {false, "RUN.BAT", false, false, false},
  };
  for (const Case& c : cases) {
    FileMenuItems m = FileMenuItemsFor(c.selected, c.entry);
    EXPECT_EQ(m.Open, c.open) << c.entry;
    EXPECT_EQ(m.Execute, c.execute) << c.entry;
    EXPECT_EQ(m.View, c.view) << c.entry;
  }
  EXPECT_TRUE(IsBatchName("x.Bat"));
  EXPECT_FALSE(IsBatchName("x.bat.txt"));
}

TEST(CommandRules, DropCommandsAndTheSameFolder) {
  EXPECT_EQ(DropCommand("C:\\a b\\c.txt", false), "copy \"C:\\a b\\c.txt\"");
  EXPECT_EQ(DropCommand("C:\\c.txt", true), "move \"C:\\c.txt\"");
  const std::string deep = "C:\\" + std::string(300, 'd');
  struct Case {
    const char* what;
    std::string file, dir;
    bool same;
  } cases[] = {
      {"same folder", "C:\\DATA\\x.txt", "C:\\DATA", true},
      {"directory with its backslash", "C:\\DATA\\x.txt", "C:\\DATA\\", true},
      {"root", "C:\\x.txt", "C:\\", true},
      {"case counts", "c:\\data\\x.txt", "C:\\DATA", false},
      {"a subfolder", "C:\\DATA\\sub\\x.txt", "C:\\DATA", false},
      {"a longer name", "C:\\DATA2\\x.txt", "C:\\DATA", false},
      {"a folder dropped", "C:\\DATA\\sub", "C:\\DATA", true},
      {"no folder at all", "x.txt", "C:\\DATA", false},
      // Long paths are compared whole: alike in the first 255 characters is
      // not the same folder.
      {"long, the same", deep + "\\x", deep, true},
      {"long, differing late", deep + "e\\x", deep, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsInDirectory(c.file, c.dir), c.same) << c.what;
}
