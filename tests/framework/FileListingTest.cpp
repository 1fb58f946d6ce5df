// The file panes with names in every alphabet: what the lists hold and what
// another program reads from them, masks by characters and without case,
// the user's sort order, names no 8-bit form spells exactly, the native
// directory query against the search, and a process of the legacy code page.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "ManyFiles.h"
#include "PanesFixture.h"
#include "framework/FileListing.h"
#include "framework/FolderReader.h"
#include "testkit/FolderReads.h"
#include "framework/SystemNames.h"
#include "framework/TextRules.h"
#include "framework/WideText.h"

namespace {

std::string Utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// The path form without the classic length limit: a 255-character name in
// a test folder is longer than MAX_PATH.
std::wstring Long(const std::string& folder, const std::wstring& name) {
  return L"\\\\?\\" + AnsiToWide(folder) + L"\\" + name;
}

bool MakeFile(const std::string& folder, const std::wstring& name) {
  HANDLE h = CreateFileW(Long(folder, name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool MakeDir(const std::string& folder, const std::wstring& name) {
  return CreateDirectoryW(Long(folder, name).c_str(), nullptr) != FALSE;
}

// Sorted as the system's own string comparison orders, case ignored.
std::vector<std::wstring> SystemOrder(std::vector<std::wstring> v) {
  std::stable_sort(v.begin(), v.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                           static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                           nullptr, nullptr, 0) == CSTR_LESS_THAN;
  });
  return v;
}

std::vector<std::string> Texts(const std::vector<std::wstring>& v, const char* open = "",
                               const char* close = "") {
  std::vector<std::string> out;
  for (const std::wstring& w : v) out.push_back(open + Utf8(w) + close);
  return out;
}

// What oq_readlist writes for rows read in UTF-16: "<units>:<text>" a line.
std::string AsReadInUtf16(const std::vector<std::string>& rows) {
  std::string s;
  for (const std::string& r : rows) s += std::to_string(AnsiToWide(r).size()) + ":" + r + "\n";
  return s;
}

std::wstring Repeat(const std::wstring& piece, int times) {
  std::wstring s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

const std::wstring kJapanese = L"日本語.txt", kPolish = L"Łódź notes.txt",
                   kEmoji = L"emoji \U0001F600.txt", kPlain = L"plain.txt", kSigma = L"σοφία.txt",
                   kUmlaut = L"Äpfel.txt", kZebra = L"zebra.txt", kGreekDir = L"Ελληνικά",
                   kReadme = L"readme.txt";
// 255 Japanese characters: 765 bytes in UTF-8. A volume of a system that
// keeps names in UTF-8 (Wine's, on Linux) holds at most 255 bytes of a name
// and cuts the rest when the file is made: the tests go by the name kept.
const std::wstring kLongName = Repeat(L"日本語", 85), kLongDir = Repeat(L"語本日", 85);
// A folder two levels deep whose path takes over 400 bytes in UTF-8 (and
// fewer than MAX_PATH UTF-16 units): no 8-bit buffer of MAX_PATH bytes
// holds it.
const std::wstring kDeep = Repeat(L"深層", 20);

// The name the volume kept for one made with the given start.
std::wstring KeptName(const std::string& folder, const std::wstring& start) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Long(folder, start.substr(0, 6) + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return {};
  FindClose(h);
  return fd.cFileName;
}

struct FileNames : PanesFixture {
  void SetUp() override {
    PanesFixture::SetUp();
    if (GetACP() != CP_UTF8) GTEST_SKIP() << "the system ignores the UTF-8 code page";
    for (const std::wstring& n : {kJapanese, kPolish, kEmoji, kPlain, kSigma, kUmlaut, kZebra,
                                  kLongName})
      ASSERT_TRUE(MakeFile(Proj, n)) << Utf8(n);
    for (const std::wstring& n : {kGreekDir, kLongDir, kDeep}) ASSERT_TRUE(MakeDir(Proj, n)) << Utf8(n);
    LongName = KeptName(Proj, kLongName);
    LongDir = KeptName(Proj, kLongDir);
    // 85 characters are the 255 bytes a UTF-8 volume keeps.
    ASSERT_GE(LongName.size(), 85u);
    ASSERT_GE(LongDir.size(), 85u);
    AllFiles = {kJapanese, kPolish, kEmoji, kPlain, kSigma, kUmlaut, kZebra, LongName, kReadme};
    AllDirs = {L"alpha", L"Beta", L"gamma dir", kGreekDir, LongDir, kDeep};
    Dirs->Update();
    Files->Update();
  }
  std::wstring LongName, LongDir;
  std::vector<std::wstring> AllFiles, AllDirs;
  std::vector<std::string> Rows() const { return Files->Items()->Items(); }
  std::string ReadByAnotherProcess(HWND wnd) {
    const std::string out = Dir / "entries.txt";
    DeleteFileA(out.c_str());
    testkit::ChildProcess reader;
    EXPECT_TRUE(reader.Start("\"" + testkit::ExeFolder() + "oq_readlist.exe\" " +
                                 std::to_string(reinterpret_cast<INT_PTR>(wnd)) + " \"" + out +
                                 "\" list W",
                             Dir.Path()));
    EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 30000));
    EXPECT_TRUE(reader.WaitEnded(10000));
    return testkit::ReadFile(out);
  }
};

}  // namespace

TEST_F(FileNames, ListsShowTheRealNamesInTheUsersOrderAndAnotherProgramReadsThemWhole) {
  // Files: every name whole, ordered as the system compares (Äpfel among
  // the a's, not after z as its bytes would put it).
  const std::vector<std::string> files = Texts(SystemOrder(AllFiles));
  EXPECT_EQ(Rows(), files);
  EXPECT_LT(std::find(files.begin(), files.end(), Utf8(kUmlaut)),
            std::find(files.begin(), files.end(), Utf8(kZebra)));
  for (int i = 0; i < Files->Items()->Count(); ++i) EXPECT_TRUE(Files->IsExactRow(i)) << i;
  // A row is found by its name in any case, in every alphabet.
  EXPECT_EQ(Files->Items()->IndexOf("ŁÓDŹ NOTES.TXT"),
            std::find(files.begin(), files.end(), Utf8(kPolish)) - files.begin());
  EXPECT_EQ(ReadByAnotherProcess(Files->Handle()), AsReadInUtf16(files));

  // The long name is whole in the full path, which finds the file.
  Files->SetItemIndex(static_cast<int>(
      std::find(files.begin(), files.end(), Utf8(LongName)) - files.begin()));
  EXPECT_EQ(Files->FileName(), Proj + "\\" + Utf8(LongName));
  EXPECT_NE(GetFileAttributesW((L"\\\\?\\" + AnsiToWide(Files->FileName())).c_str()),
            INVALID_FILE_ATTRIBUTES);

  // Directories first ('[' sorts before letters), by their names.
  Files->SetFileType(ftNormal | ftDirectory);
  std::vector<std::string> both{"[.]", "[..]"};
  for (const std::string& d : Texts(SystemOrder(AllDirs), "[", "]")) both.push_back(d);
  both.insert(both.end(), files.begin(), files.end());
  EXPECT_EQ(Rows(), both);

  // The directory list: the path, then the subdirectories in the same order.
  const std::vector<std::string> dirRows = Dirs->Items()->Items();
  const std::vector<std::string> subdirs = Texts(SystemOrder(AllDirs));
  ASSERT_GE(dirRows.size(), subdirs.size());
  EXPECT_EQ(std::vector<std::string>(dirRows.end() - static_cast<long>(subdirs.size()), dirRows.end()),
            subdirs);
  EXPECT_EQ(ReadByAnotherProcess(Dirs->Handle()), AsReadInUtf16(dirRows));
  const int greek = RowOf(Proj + "\\" + Utf8(kGreekDir));
  ASSERT_GE(greek, 0);
  EXPECT_TRUE(Dirs->IsExactRow(greek));

  // Type-ahead without case in other alphabets: the real keys' characters.
  Files->SetFileType(ftNormal);
  PostMessageW(Files->Handle(), WM_CHAR, L'ł', 1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Files->ItemIndex() >= 0; }));
  EXPECT_EQ(Rows()[static_cast<size_t>(Files->ItemIndex())], Utf8(kPolish));
  PostMessageW(Files->Handle(), WM_CHAR, L'Σ', 1);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Rows()[static_cast<size_t>(Files->ItemIndex())] == Utf8(kSigma); }));

  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "FilePanesEveryAlphabet.png");

  // A folder whose path takes more bytes than MAX_PATH: entered, listed,
  // and its file's full path finds the file.
  const std::string deep = Proj + "\\" + Utf8(kDeep) + "\\" + Utf8(kDeep);
  ASSERT_TRUE(MakeDir(Proj, kDeep + L"\\" + kDeep));
  ASSERT_TRUE(MakeFile(Proj, kDeep + L"\\" + kDeep + L"\\" + kDeep + L".txt"));
  Dirs->SetDirectory(deep);
  EXPECT_EQ(Dirs->Directory(), deep);
  EXPECT_EQ(CurrentDirectoryAnsi(), deep);
  ASSERT_EQ(Rows(), std::vector<std::string>{Utf8(kDeep) + ".txt"});
  Files->SetItemIndex(0);
  EXPECT_GT(Files->FileName().size(), 400u);
  EXPECT_NE(GetFileAttributesA(Files->FileName().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileNames, MasksMatchCharactersWithoutCaseInEveryAlphabet) {
  struct Case {
    const wchar_t* mask;
    TFileType filter;
    std::vector<std::wstring> listed;  // before sorting
  };
  const Case cases[] = {
      {L"???.txt", ftNormal, {kJapanese}},  // three characters, nine bytes
      {L"?????????.txt", ftNormal, {}},
      {L"emoji ?.txt", ftNormal, {kEmoji}},  // a surrogate pair is one character
      {L"emoji ??.txt", ftNormal, {}},
      {L"ŁÓDŹ*", ftNormal, {kPolish}},
      {L"łódź NOTES.TXT", ftNormal, {kPolish}},
      {L"Lodz*", ftNormal, {}},  // no look-alikes
      {L"Σ*", ftNormal, {kSigma}},
      {L"ΣΟΦΊΑ.TXT", ftNormal, {kSigma}},
      {L"äPFEL.*", ftNormal, {kUmlaut}},
      {L"ελληνικά", ftDirectory, {L"[" + kGreekDir + L"]"}},
      {L"*.", ftNormal, {LongName}},  // names without an extension
      {L"日本語*", ftNormal, {kJapanese, LongName}},
      // An entry two patterns find is listed twice.
      {L"日*.txt;*語.txt", ftNormal, {kJapanese, kJapanese}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.mask));
    Files->SetFileType(c.filter);
    Files->SetMask(Utf8(c.mask));
    EXPECT_EQ(Rows(), Texts(SystemOrder(c.listed)));
  }
}

TEST_F(FileNames, ANameWithAnUnpairedSurrogateIsListedMarkedAndNeverOpened) {
  // Windows allows a name with a lone surrogate; Wine's volumes cannot hold
  // one, and there the listing is handed the entries beside the real ones.
  // A real file and folder carry the replacement character that such a
  // name shows: what the row says names them, not the entry.
  const std::wstring badFile = L"bad\xD800name.txt", badDir = L"dir\xDC00";
  const std::wstring lookAlikeFile = L"bad\xFFFDname.txt", lookAlikeDir = L"dir\xFFFD";
  ASSERT_TRUE(MakeFile(Proj, lookAlikeFile));
  ASSERT_TRUE(MakeDir(Proj, lookAlikeDir));
  std::vector<TFolderEntry> extra;
  const bool realFile = MakeFile(Proj, badFile), realDir = MakeDir(Proj, badDir);
  if (!realFile) extra.push_back({badFile, L"", FILE_ATTRIBUTE_ARCHIVE});
  if (!realDir) extra.push_back({badDir, L"", FILE_ATTRIBUTE_DIRECTORY});
  testkit::ExtraEntries hook(AnsiToWide(Proj), extra);
  Files->SetMask("bad*");
  Dirs->Update();

  // Listed twice with the same text, one of them marked.
  const std::string shown = "bad\xEF\xBF\xBDname.txt";
  ASSERT_EQ(Rows(), (std::vector<std::string>{shown, shown}));
  EXPECT_NE(Files->IsExactRow(0), Files->IsExactRow(1));
  const int exactRow = Files->IsExactRow(0) ? 0 : 1;
  Files->SetItemIndex(exactRow);
  EXPECT_EQ(Files->FileName(), Proj + "\\" + shown);
  // Another program reads the row as it shows: U+FFFD for the surrogate.
  EXPECT_EQ(ReadByAnotherProcess(Files->Handle()), AsReadInUtf16(Rows()));

  // The directory list: the marked row is refused, with the error box, and
  // the shown directory stays; the exact one enters its folder.
  std::vector<int> dirRows;
  for (int i = 0; i < Dirs->Items()->Count(); ++i)
    if ((*Dirs->Items())[i] == "dir\xEF\xBF\xBD") dirRows.push_back(i);
  ASSERT_EQ(dirRows.size(), 2u);
  const int marked = Dirs->IsExactRow(dirRows[0]) ? dirRows[1] : dirRows[0];
  const int exact = marked == dirRows[0] ? dirRows[1] : dirRows[0];
  EXPECT_FALSE(Dirs->IsExactRow(marked));
  EXPECT_TRUE(Dirs->IsExactRow(exact));
  testkit::MessageBoxRecorder boxes;
  testkit::DoubleClick(Dirs, 60, RowY(marked));
  ASSERT_TRUE(testkit::PumpUntil([&] { return boxes.Boxes.size() == 1; }));
  EXPECT_EQ(boxes.Boxes[0].Flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(DirChanges, 0);
  testkit::DoubleClick(Dirs, 60, RowY(exact));
  ASSERT_TRUE(testkit::PumpUntil([&] { return DirChanges == 1; }));
  EXPECT_EQ(Dirs->Directory(), Proj + "\\dir\xEF\xBF\xBD");
}

TEST_F(FileNames, TheNativeQueryReadsWhatTheSearchReads) {
  // Names, attributes and short aliases (the two record layouts of the
  // native query), compared with the search's answer for the same folder.
  using Entry = std::tuple<std::wstring, std::wstring, DWORD>;
  for (bool shortNames : {false, true}) {
    SCOPED_TRACE(shortNames ? "with short names" : "without short names");
    std::multiset<Entry> native, search;
    const std::wstring folder = AnsiToWide(Proj);
    ASSERT_TRUE(ReadFolderNative(folder, shortNames, [&](const TFolderEntry& e) {
      native.insert({std::wstring(e.Name), std::wstring(e.ShortName), e.Attributes});
    }));
    ASSERT_TRUE(ReadFolderBySearch(folder, shortNames, [&](const TFolderEntry& e) {
      search.insert({std::wstring(e.Name), std::wstring(e.ShortName), e.Attributes});
    }));
    EXPECT_EQ(native, search);
    EXPECT_EQ(native.size(), AllFiles.size() + AllDirs.size() + 3);  // ., .. and .hid
    if (shortNames) EXPECT_TRUE(std::any_of(native.begin(), native.end(), [](const Entry& e) {
      return !std::get<1>(e).empty();
    }));
  }
  EXPECT_FALSE(ReadFolderNative(AnsiToWide(Proj + "\\no such folder"), false,
                                [](const TFolderEntry&) {}));
}

TEST(FileListing, ALegacyCodePageListsNamesItLacksByTheirShortAliases) {
  // A process without the manifest has the system's legacy code page (1252
  // here): a name it cannot write is listed by its short alias, which finds
  // the very file, never by a best-fit look-alike.
  testkit::TempDir dir;
  for (const std::wstring& n : {std::wstring(L"caf\x00E9.txt"), std::wstring(L"Żółw.txt"), kEmoji,
                                std::wstring(L"plain.txt")})
    ASSERT_TRUE(MakeFile(dir.Path(), n)) << Utf8(n);
  const std::string out = dir / "rows.txt";
  testkit::ChildProcess lister;
  ASSERT_TRUE(lister.Start("\"" + testkit::ExeFolder() + "oq_listfolder.exe\" \"" + dir.Path() +
                               "\" \"" + out + "\"",
                           dir.Path()));
  ASSERT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 30000));
  ASSERT_TRUE(lister.WaitEnded(10000));
  const std::string rows = testkit::ReadFile(out);
  ASSERT_EQ(rows.rfind("acp ", 0), 0u) << rows;
  if (std::stoul(rows.substr(4)) == CP_UTF8) GTEST_SKIP() << "the legacy code page is UTF-8";
  std::vector<std::string> lines = SplitLines(rows);
  ASSERT_EQ(lines.size(), 5u) << rows;
  int aliases = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    // Every row is exact and finds its file by its text in that process.
    EXPECT_NE(lines[i].find(" exact found"), std::string::npos);
    const std::string hex = lines[i].substr(0, lines[i].find(' '));
    bool alias = false;
    for (size_t k = 0; k + 1 < hex.size(); k += 2) {
      EXPECT_NE(hex.substr(k, 2), "3f");  // no default character '?'
      alias = alias || hex.substr(k, 2) == "7e";  // the '~' of an alias
    }
    aliases += alias;
  }
  EXPECT_EQ(aliases, 2);  // Żółw.txt and the emoji
  if (std::stoul(rows.substr(4)) == 1252)
    EXPECT_NE(rows.find("636166e92e747874 exact found"), std::string::npos);  // café.txt
}

TEST(FileListing, SortKeysAreTheSystemsOwn) {
  // Keys of plain ASCII names are made without a call per name; they must
  // be the very bytes the system gives, or names of both kinds would sort
  // apart from the system's order.
  for (const wchar_t* name : {L"file_000123.dat", L"Read Me (2).TXT", L"a-b.txt", L"co'op",
                              L"~$x y.Z", L"[sub", L"0129", L"Zeta", L"\u00c4pfel.txt",
                              L"\u65e5\u672c.txt", L"!#%&()+,;=@^`{}"}) {
    SCOPED_TRACE(Utf8(name));
    BYTE key[512];
    const int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name,
                                -1, reinterpret_cast<LPWSTR>(key), sizeof key, nullptr, nullptr, 0);
    ASSERT_GT(n, 1);
    // Without the key's closing zero byte.
    const std::string system(reinterpret_cast<const char*>(key), static_cast<size_t>(n - 1));
    EXPECT_EQ(NameSortKey(name), system);
  }
}

TEST(FileListing, RowsAreInTheSystemsOrderOfTheirNamesWithTiesAsFound) {
  // Plain ASCII names take keys made without the system (punctuation,
  // digits and case are where a hand-made order would go wrong; hyphen and
  // apostrophe weigh apart in word sort), and the order skips the sort
  // where the system already reported a part in order: every row must
  // still stand where the system's own comparison puts it, directories by
  // their bracket, and rows that compare equal (the file "[b" and the
  // directory "b", the file "[~d" and the directory "~d") in the order the
  // folder reports them.
  testkit::TempDir dir;
  const std::vector<std::wstring> files = {
      L"a-b.txt", L"ab.txt", L"a_b.txt", L"a b.txt", L"A'c.txt", L"ac.txt", L"co-op", L"coop",
      L"co'op", L"file10.txt", L"file9.txt", L"file_10", L"File-9", L"~tmp", L"$x", L"#1",
      L"!bang", L"(paren)", L"[x]y", L"]z", L"{brace}", L"@at", L"0zero", L"9nine", L"Zeta",
      L"zeta2", L"MiXeD.TXT", L"mixed2.txt", L"a.b.c", L"a..b", L"a;b", L"a=b", L"a+b", L"a,b",
      L"a%b", L"a&b", L"a^b", L"a`b", L"[b", L"[~d"};
  const std::vector<std::wstring> dirs = {L"sub-dir", L"sub_dir", L"Sub dir", L"sub'dir",
                                          L"0dir",    L"zdir",    L"[br]",    L"~d", L"b"};
  for (const std::wstring& f : files) ASSERT_TRUE(MakeFile(dir.Path(), f)) << Utf8(f);
  for (const std::wstring& d : dirs) ASSERT_TRUE(MakeDir(dir.Path(), d)) << Utf8(d);

  // The rows as the folder reports them, each with the text it sorts by.
  struct Found {
    std::wstring SortsBy;
    std::string Text;
  };
  std::vector<Found> found;
  ASSERT_TRUE(ReadFolderFromSystem(AnsiToWide(dir.Path()), false,
                                   [&](const TFolderEntry& e) {
                                     const std::wstring name(e.Name);
                                     if (e.Attributes & FILE_ATTRIBUTE_DIRECTORY)
                                       found.push_back({L"[" + name, "[" + Utf8(name) + "]"});
                                     else
                                       found.push_back({name, Utf8(name)});
                                   }));
  ASSERT_EQ(found.size(), files.size() + dirs.size() + 2);  // "." and ".."
  std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.SortsBy.data(),
                           static_cast<int>(a.SortsBy.size()), b.SortsBy.data(),
                           static_cast<int>(b.SortsBy.size()), nullptr, nullptr,
                           0) == CSTR_LESS_THAN;
  });
  std::vector<std::string> expected;
  for (const Found& f : found) expected.push_back(f.Text);

  std::vector<std::string> listed;
  for (const TListedEntry& row : ListFiles(dir.Path(), "*.*", ftNormal | ftDirectory))
    listed.push_back(row.Text);
  EXPECT_EQ(listed, expected);
}

TEST(FileListing, ABigFolderListsAsASmallOneDoes) {
  // A folder of more entries than one batch has its rows made on a second
  // thread while it is read; the rows, their order and the hourglass must
  // be what the listing made in one go gives (a mask of two patterns, the
  // second finding nothing, takes that way).
  testkit::TempDir parent;
  parent.MakeDir("big");
  const std::string big = parent / "big";
  // The few first: under Wine each file made looks through the whole folder.
  for (const wchar_t* d : {L"sub-dir", L"Zed", L"[b]", L"0"}) ASSERT_TRUE(MakeDir(big, d));
  for (const wchar_t* f : {L"row_004500.a", L"[Zed", L"co'op", L"a-b"}) ASSERT_TRUE(MakeFile(big, f));
  ASSERT_TRUE(manyfiles::MakeEmptyFiles(big, 9000, "Row_", ".Txt"));
  int busyInOneGo = 0, busy = 0;
  const std::vector<TListedEntry> inOneGo =
      ListFiles(big, "*.*;*.none", ftNormal | ftDirectory, [&] { ++busyInOneGo; });
  const std::vector<TListedEntry> rows = ListFiles(big, "*.*", ftNormal | ftDirectory, [&] { ++busy; });
  ASSERT_EQ(rows.size(), 9000u + 4 + 2 + 4);
  ASSERT_EQ(rows.size(), inOneGo.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].Text, inOneGo[i].Text) << i;
    ASSERT_EQ(rows[i].Key, inOneGo[i].Key) << i;
    ASSERT_EQ(rows[i].Glyph, inOneGo[i].Glyph) << i;
  }
  EXPECT_EQ(busy, 1);
  EXPECT_EQ(busyInOneGo, 1);
  EXPECT_EQ(rows.front().Text, "[.]");
  EXPECT_EQ(rows.back().Text, "Row_008999.Txt");
  if (manyfiles::UnderWine()) manyfiles::RemoveFromOutside(big, parent.Path());
}
