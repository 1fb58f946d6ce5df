#include "framework/FileRules.h"

#include <gtest/gtest.h>

namespace {
// System attribute bits as the search reports them.
constexpr unsigned kRO = 0x01, kHid = 0x02, kSys = 0x04, kDir = 0x10, kArc = 0x20;
constexpr unsigned kNormalAttr = 0x80;  // FILE_ATTRIBUTE_NORMAL: none of the above

std::vector<std::string> Texts(std::vector<TListedEntry> v) {
  std::vector<std::string> out;
  for (auto& e : v) out.push_back(e.Text);
  return out;
}

TListedEntry Row(const std::string& text) { return {text, SortKey(text), fgDocument}; }
}  // namespace

TEST(FileRules, DefaultFilterListsPlainReadOnlyArchiveButNoHiddenSystemOrDirectories) {
  for (unsigned a : {kNormalAttr, kRO, kArc, kRO | kArc}) EXPECT_TRUE(IsListed(a, ftNormal)) << a;
  for (unsigned a : {kHid, kSys, kDir, kHid | kArc, kSys | kRO, kDir | kArc})
    EXPECT_FALSE(IsListed(a, ftNormal)) << a;
}

TEST(FileRules, SingleKindFiltersListOnlyThatKind) {
  // Directories alone: only (non-hidden, non-system) directories.
  EXPECT_TRUE(IsListed(kDir, ftDirectory));
  EXPECT_TRUE(IsListed(kDir | kArc, ftDirectory));
  EXPECT_FALSE(IsListed(kArc, ftDirectory));
  EXPECT_FALSE(IsListed(kDir | kHid, ftDirectory));  // hidden needs ftHidden too
  // Hidden alone: hidden entries that are neither system nor directories.
  EXPECT_TRUE(IsListed(kHid, ftHidden));
  EXPECT_TRUE(IsListed(kHid | kRO | kArc, ftHidden));
  EXPECT_FALSE(IsListed(kNormalAttr, ftHidden));
  EXPECT_FALSE(IsListed(kHid | kSys, ftHidden));
  EXPECT_FALSE(IsListed(kHid | kDir, ftHidden));
  EXPECT_TRUE(IsListed(kHid | kSys, ftHidden | ftSystem));
  // Read-only alone: found are the plain kinds, listed the read-only ones.
  EXPECT_TRUE(IsListed(kRO, ftReadOnly));
  EXPECT_FALSE(IsListed(kArc, ftReadOnly));
  EXPECT_FALSE(IsListed(kRO | kHid, ftReadOnly));
  // The empty set lists nothing.
  for (unsigned a : {kNormalAttr, kRO, kHid, kSys, kDir, kArc}) EXPECT_FALSE(IsListed(a, 0)) << a;
}

TEST(FileRules, NormalWithOtherKindsListsBoth) {
  TFileType f = ftNormal | ftDirectory;
  EXPECT_TRUE(IsListed(kNormalAttr, f));
  EXPECT_TRUE(IsListed(kDir, f));
  EXPECT_FALSE(IsListed(kHid, f));
  // With ftNormal every found entry is listed, hidden ones too once found.
  EXPECT_TRUE(IsListed(kHid, ftNormal | ftHidden));
  EXPECT_TRUE(FoundBySearch(kHid | kDir, ftHidden | ftDirectory));
  EXPECT_FALSE(FoundBySearch(kHid | kDir, ftDirectory));
}

TEST(FileRules, ListedTextAndGlyphs) {
  EXPECT_EQ(ListedText("temp", true), "[temp]");
  EXPECT_EQ(ListedText("..", true), "[..]");
  EXPECT_EQ(ListedText("a b [c].txt", false), "a b [c].txt");
  for (const char* n : {"x.exe", "X.EXE", "run.Bat", "c.com", "old.PIF", ".exe"})
    EXPECT_EQ(GlyphForName(n, false), fgExecutable) << n;
  for (const char* n : {"exe", "x.exe.txt", "x.exef", "readme", "a.bat~"})
    EXPECT_EQ(GlyphForName(n, false), fgDocument) << n;
  EXPECT_EQ(GlyphForName("tools.exe", true), fgFolder);
  EXPECT_EQ(GlyphForListedText("[sub]"), fgFolder);
  EXPECT_EQ(GlyphForListedText("[a].exe"), fgExecutable);
  EXPECT_EQ(GlyphForListedText("]"), fgDocument);
}

TEST(FileRules, MaskPatternsSplitInOrderAndDropBlanks) {
  using V = std::vector<std::string>;
  EXPECT_EQ(MaskPatterns("*.*"), V{"*.*"});
  EXPECT_EQ(MaskPatterns("*.txt;*.log"), (V{"*.txt", "*.log"}));
  EXPECT_EQ(MaskPatterns(" *.txt ; *.log;;  ;a b.c"), (V{"*.txt", "*.log", "a b.c"}));
  EXPECT_EQ(MaskPatterns(""), V{});
}

TEST(FileRules, SortIgnoresCaseAndKeepsDuplicates) {
  std::vector<TListedEntry> v{Row("beta.txt"), Row("Alpha.txt"), Row("ALPHA.log"),
                              Row("alpha.txt"), Row("10.txt"), Row("_x"), Row("zed")};
  SortListing(v);
  EXPECT_EQ(Texts(v), (std::vector<std::string>{"_x", "10.txt", "ALPHA.log", "Alpha.txt",
                                                "alpha.txt", "beta.txt", "zed"}));
}

TEST(FileRules, DirectoriesSortByTheirNamesInsideBrackets) {
  std::vector<TListedEntry> v{Row("a.txt"), Row("[sub]"), Row("[..]"), Row("[.]"),
                              Row("[sub dir]"), Row("[Sub2]")};
  SortListing(v);
  // Punctuation sorts before letters, so the bracketed entries come first;
  // inside them the closing bracket ends the name.
  EXPECT_EQ(Texts(v), (std::vector<std::string>{"[.]", "[..]", "[sub]", "[sub dir]", "[Sub2]",
                                                "a.txt"}));
}

TEST(FileRules, SortKeyOrdersUpperHalfAfterAscii) {
  EXPECT_LT(SortKey("Z"), SortKey("\xC4"));  // an upper-half letter after every ASCII one
  EXPECT_EQ(SortKey("abc"), SortKey("ABC"));
  EXPECT_EQ(SortKey("a").size(), 1u);
  EXPECT_LT(SortKey("a"), SortKey("a.txt"));
}

TEST(FileRules, FolderOfAFileEndsAtItsLastBackslash) {
  // Whatever the file is called: a renamed program still finds its companions.
  EXPECT_EQ(FolderOfFile("C:\\Tools\\Orv\\renamed-quill.exe"), "C:\\Tools\\Orv\\");
  EXPECT_EQ(FolderOfFile("Z:\\a/b\\oq_program_tests.exe"), "Z:\\a/b\\");
  EXPECT_EQ(FolderOfFile("plain.exe"), "");
}

TEST(FileRules, SplitDirectoryPath) {
  using V = std::vector<std::string>;
  TPathParts p = SplitDirectoryPath("C:\\Program Files\\Tools");
  EXPECT_EQ(p.Root, "C:\\");
  EXPECT_EQ(p.Names, (V{"Program Files", "Tools"}));
  p = SplitDirectoryPath("c:\\");
  EXPECT_EQ(p.Root, "c:\\");
  EXPECT_TRUE(p.Names.empty());
  p = SplitDirectoryPath("D:\\a\\\\b\\");
  EXPECT_EQ(p.Names, (V{"a", "b"}));
  p = SplitDirectoryPath("\\\\server\\share\\dir");
  EXPECT_EQ(p.Root, "\\\\server\\share\\");
  EXPECT_EQ(p.Names, V{"dir"});
  EXPECT_EQ(SplitDirectoryPath("relative\\x").Root, "");
  EXPECT_EQ(SplitDirectoryPath("\\\\server").Root, "");
}

TEST(FileRules, DirectoryRowsIndentPathAndSubdirectories) {
  std::vector<TListedEntry> subs{Row("zeta"), Row("Alpha"), Row("mid dir")};
  std::vector<TDirEntry> r = BuildDirectoryEntries("C:\\Work\\Proj", subs);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[0].Name, "C:\\");
  EXPECT_EQ(r[0].Path, "C:\\");
  EXPECT_EQ(r[0].Level, 0);
  EXPECT_EQ(r[0].Glyph, dgOpen);
  EXPECT_EQ(r[1].Name, "Work");
  EXPECT_EQ(r[1].Path, "C:\\Work");
  EXPECT_EQ(r[1].Level, 1);
  EXPECT_EQ(r[1].Glyph, dgOpen);
  EXPECT_EQ(r[2].Name, "Proj");
  EXPECT_EQ(r[2].Level, 2);
  EXPECT_EQ(r[2].Glyph, dgCurrent);
  EXPECT_EQ(r[3].Name, "Alpha");
  EXPECT_EQ(r[3].Path, "C:\\Work\\Proj\\Alpha");
  EXPECT_EQ(r[4].Name, "mid dir");
  EXPECT_EQ(r[5].Name, "zeta");
  for (int i = 3; i < 6; ++i) {
    EXPECT_EQ(r[i].Level, 3);
    EXPECT_EQ(r[i].Glyph, dgClosed);
  }
}

TEST(FileRules, DirectoryRowsAtTheRoot) {
  std::vector<TDirEntry> r = BuildDirectoryEntries("C:\\", {Row("b"), Row("a")});
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].Glyph, dgCurrent);
  EXPECT_EQ(r[1].Path, "C:\\a");
  EXPECT_EQ(r[1].Level, 1);
  EXPECT_TRUE(BuildDirectoryEntries("no root", {}).empty());
}

TEST(FileRules, DrivesAndPaths) {
  EXPECT_EQ(DriveOfPath("c:\\x"), 'C');
  EXPECT_EQ(DriveOfPath("Z:"), 'Z');
  EXPECT_EQ(DriveOfPath("\\\\srv\\share"), 0);
  EXPECT_EQ(DriveOfPath("1:\\"), 0);
  EXPECT_EQ(JoinPath("C:\\", "a"), "C:\\a");
  EXPECT_EQ(JoinPath("C:\\x", "a"), "C:\\x\\a");
}

TEST(FileRules, DriveEntryTexts) {
  EXPECT_EQ(DriveEntryText('a', dkRemovable, "IGNORED"), "A:");
  EXPECT_EQ(DriveEntryText('c', dkFixed, "SYSTEM"), "C: [SYSTEM]");
  EXPECT_EQ(DriveEntryText('D', dkCDROM, "Disc 1"), "D: [Disc 1]");
  EXPECT_EQ(DriveEntryText('R', dkRAM, "ram"), "R: [ram]");
  EXPECT_EQ(DriveEntryText('n', dkNetwork, "\\\\srv\\pub"), "N: \\\\srv\\pub");
  EXPECT_EQ(DriveEntryText('e', dkFixed, ""), "E:");
  EXPECT_EQ(DriveEntryText('n', dkNetwork, ""), "N:");
}

TEST(FileRules, TypeAheadFindsTheNextRowWithTheLetter) {
  std::vector<std::string> rows{"[..]", "apple", "Banana", "avocado", "b.txt"};
  EXPECT_EQ(NextRowStartingWith(rows, -1, "a"), 1);
  EXPECT_EQ(NextRowStartingWith(rows, 1, "A"), 3);
  EXPECT_EQ(NextRowStartingWith(rows, 3, "a"), 1);  // wraps around
  EXPECT_EQ(NextRowStartingWith(rows, 2, "b"), 4);
  EXPECT_EQ(NextRowStartingWith(rows, 4, "b"), 2);
  EXPECT_EQ(NextRowStartingWith(rows, 0, "["), 0);  // only itself
  EXPECT_EQ(NextRowStartingWith(rows, 0, "z"), -1);
  EXPECT_EQ(NextRowStartingWith({}, -1, "a"), -1);
  EXPECT_EQ(NextRowStartingWith(rows, 99, "a"), 1);
}

TEST(FileRules, ParentsAndQualifiedPaths) {
  EXPECT_EQ(ParentDirectory("C:\\a\\b"), "C:\\a");
  EXPECT_EQ(ParentDirectory("C:\\a"), "C:\\");
  EXPECT_EQ(ParentDirectory("C:\\"), "");
  EXPECT_EQ(ParentDirectory("\\\\srv\\share\\x"), "\\\\srv\\share\\");
  EXPECT_EQ(ParentDirectory("sub"), "");
  EXPECT_TRUE(IsFullyQualified("C:\\x"));
  EXPECT_TRUE(IsFullyQualified("c:/"));
  EXPECT_TRUE(IsFullyQualified("\\\\srv\\share"));
  for (const char* p : {"C:", "C:x", "\\x", "..\\x", "sub", ""}) EXPECT_FALSE(IsFullyQualified(p)) << p;
}
