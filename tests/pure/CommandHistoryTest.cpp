#include "main/CommandHistory.h"

#include <gtest/gtest.h>

#include "framework/Utf8.h"

namespace {
using Lines = std::vector<std::string>;

std::string Numbered(int from, int to) {
  std::string s;
  for (int i = from; i <= to; ++i) s += "cmd " + std::to_string(i) + "\r\n";
  return s;
}
}  // namespace

TEST(CommandHistory, ReadsWhatItCanOfDamagedFiles) {
  const std::string u = "dir \xC3\xA4\xE6\x97\xA5";  // ä and a CJK character
  struct Case {
    const char* what;
    std::string bytes;
    bool partial;
    Lines expected;
  } cases[] = {
      {"CR LF, LF, lone CR", "a\r\nb\nc\rd", false, {"a", "b", "c", "d"}},
      {"byte-order mark and empty lines", "\xEF\xBB\xBF\r\n\r\none\r\n\n\ntwo\r\n", false,
       {"one", "two"}},
      {"UTF-8 kept as it is", u + "\r\n", false, {u}},
      {"no line end at all", "just one command", false, {"just one command"}},
      // A run of NULs where a write never reached the disk, and a command after it.
      {"NUL bytes", std::string("a\r\n\0\0\0\0b\r\nc\0d\r\n", 15), false, {"a", "b", "c", "d"}},
      {"invalid UTF-8 lines are skipped", "ok\r\nbad \xC3\r\n\xFF\xFE\r\nfine\r\n", false,
       {"ok", "fine"}},
      {"a cut UTF-8 sequence at the end", "a\r\nb\xE6\x97", false, {"a"}},
      {"blanks are a command", "  \r\n", false, {"  "}},
      {"bytes from inside a file lose their first line", "tail of a long one\r\nnext\r\n", true,
       {"next"}},
      {"from inside a file without a line end", "only a tail", true, {}},
  };
  for (const Case& c : cases) {
    HistoryLines h = ReadHistoryLines(c.bytes, c.partial);
    EXPECT_EQ(h.Commands, c.expected) << c.what;
    EXPECT_EQ(h.Total, c.expected.size()) << c.what;
  }
}

TEST(CommandHistory, KeepsTheNewestThousandAndCutsLongLines) {
  HistoryLines h = ReadHistoryLines(Numbered(1, 1500));
  ASSERT_EQ(h.Commands.size(), kHistoryMaxCommands);
  EXPECT_EQ(h.Total, 1500u);
  EXPECT_EQ(h.Commands.front(), "cmd 501");
  EXPECT_EQ(h.Commands.back(), "cmd 1500");

  // A megabyte in one line, of two-byte characters: cut by characters,
  // never inside one.
  std::string line;
  while (line.size() < (1u << 20)) line += "\xC3\xA4";
  h = ReadHistoryLines("before\r\n" + line + "\r\nafter");
  ASSERT_EQ(h.Commands.size(), 3u);
  EXPECT_EQ(CountCharacters(h.Commands[1]), kHistoryLineChars);
  EXPECT_TRUE(IsValidUtf8(h.Commands[1]));
  EXPECT_EQ(h.Commands[2], "after");
}

TEST(CommandHistory, WhatIsWrittenReadsBackTheSame) {
  const Lines commands = {"copy \"a b\" c", "  ", "echo \xE6\x97\xA5", "x"};
  for (const std::string& c : commands) EXPECT_TRUE(IsStorableCommand(c)) << c;
  EXPECT_EQ(ReadHistoryLines(HistoryFileText(commands)).Commands, commands);
  // Appended to a file whose last line a crash cut short: the cut line and
  // the new command stay two lines.
  EXPECT_EQ(ReadHistoryLines("old\r\ncut" + HistoryAppendText({"new"}, false)).Commands,
            (Lines{"old", "cut", "new"}));
  EXPECT_EQ(HistoryAppendText({"new"}, true), "new\r\n");
  // These would read back as other commands, or as none.
  for (const std::string& c :
       {std::string(), std::string("two\r\nlines"), std::string("a\nb"), std::string("a\0b", 3),
        std::string("bad \xC3"), std::string(kHistoryLineChars + 1, 'x'),
        std::string("\xEF\xBB\xBF" "dir")})
    EXPECT_FALSE(IsStorableCommand(c)) << c;
  // A byte order mark after a NUL run starts no command: written back first,
  // it would be taken for the file's own and the command changed.
  const Lines read = ReadHistoryLines(std::string(1, '\0') + "\xEF\xBB\xBF" "dir\r\n\xEF\xBB\xBF\r\nx").Commands;
  EXPECT_EQ(read, (Lines{"dir", "x"}));
  EXPECT_EQ(ReadHistoryLines(HistoryFileText(read)).Commands, read);
}

TEST(CommandHistory, UpDownAndPrefixSearchWalkFromTheNewest) {
  const Lines items = {"dir", "copy a b", "DIR *.txt", "echo"};
  auto prefix = [](const std::string& e, const std::string& p) {
    if (p.size() > e.size()) return false;
    for (size_t i = 0; i < p.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(e[i])) !=
          std::toupper(static_cast<unsigned char>(p[i])))
        return false;
    return true;
  };
  HistoryWalk w;
  EXPECT_EQ(w.Newer(items), std::nullopt);  // not walking: Down does nothing
  EXPECT_EQ(w.Older(items, "typed"), "echo");
  EXPECT_EQ(w.Older(items, "echo"), "DIR *.txt");
  EXPECT_EQ(w.Newer(items), "echo");
  EXPECT_EQ(w.Newer(items), "typed");  // past the newest: the typed text
  EXPECT_FALSE(w.Walking());
  EXPECT_EQ(w.Older(items, ""), "echo");
  EXPECT_EQ(w.Older(items, "echo"), "DIR *.txt");
  EXPECT_EQ(w.Older(items, ""), "copy a b");
  EXPECT_EQ(w.Older(items, ""), "dir");
  EXPECT_EQ(w.Older(items, "dir"), std::nullopt);  // the oldest stays

  w.Reset();
  EXPECT_EQ(w.Search(items, "di", prefix), "DIR *.txt");
  EXPECT_EQ(w.Search(items, "DIR *.txt", prefix), "dir");  // the prefix, not the shown text
  // Past the oldest match, round again from the newest, as the
  // interpreter's F8 does.
  EXPECT_EQ(w.Search(items, "dir", prefix), "DIR *.txt");
  EXPECT_EQ(w.Newer(items), "echo");
  w.Reset();
  EXPECT_EQ(w.Search(items, "", prefix), "echo");  // nothing typed: as Up
  EXPECT_EQ(w.Search(items, "echo", prefix), "DIR *.txt");
  w.Reset();
  EXPECT_EQ(w.Search(items, "zz", prefix), std::nullopt);
  EXPECT_EQ(w.Newer(items), "zz");
  EXPECT_EQ(HistoryWalk().Older({}, "x"), std::nullopt);
}
