// What another program (a screen reader, an automation tool) reads from the
// framework's lists and combo boxes: every entry whole, asked for in UTF-16
// and in 8-bit form, however long, and the window still answers afterwards.
#include <gtest/gtest.h>

#include <memory>

#include "PanesFixture.h"
#include "framework/StdCtrls.h"
#include "framework/WideText.h"

namespace {

// The rows the file list and the directory list draw and answer from, set
// by the test: no file name is 100,000 characters long.
class TLongRows : public TGlyphListBox {
 public:
  using TGlyphListBox::TGlyphListBox;
  void Show(std::vector<std::string> rows) { SetRows(std::move(rows), -1); }

 protected:
  void DrawItem(int index, const TRect& rect, UINT) override {
    DrawRow(rect, 0, nullptr, (*Items())[index], false);
  }
};

// A plain system control holding the same texts: what the system itself
// answers is what the program's controls must answer.
struct SystemList {
  SystemList(HWND parent, bool combo) : Combo(combo) {
    Wnd = CreateWindowExW(0, combo ? L"COMBOBOX" : L"LISTBOX", L"",
                          WS_CHILD | (combo ? CBS_DROPDOWN | CBS_AUTOHSCROLL : LBS_HASSTRINGS),
                          0, 0, 100, 100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~SystemList() { DestroyWindow(Wnd); }
  SystemList(const SystemList&) = delete;
  SystemList& operator=(const SystemList&) = delete;
  void Add(const std::string& text) const {
    SendMessageW(Wnd, Combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(AnsiToWide(text).c_str()));
  }
  HWND Wnd;
  bool Combo;
};

std::string LongText(size_t n, char seed) {
  std::string s = "entry of " + std::to_string(n) + " characters: ";
  while (s.size() < n) s += static_cast<char>('a' + (s.size() * 7 + seed) % 26);
  return s;
}

}  // namespace

using ListEntries = PanesFixture;

TEST_F(ListEntries, AnotherProcessReadsEveryEntryWholeAndTheWindowAnswersAfterwards) {
  auto* history = Add<TComboBox>(8, 8, 200, 21);
  auto* languages = Add<TListBox>(8, 40, 200, 100);
  auto* rows = Add<TLongRows>(8, 150, 200, 100);
  const std::vector<std::string> texts{LongText(2000, 1), "short", LongText(100000, 2)};
  for (const std::string& t : texts) {
    history->Items()->Add(t);
    languages->Items()->Add(t);
  }
  rows->Show(texts);
  // The drive box holds its drives; a long entry stands for a network
  // drive's name (the system keeps the drive box's texts).
  const int drives = static_cast<int>(SendMessageW(Drive->Handle(), CB_GETCOUNT, 0, 0));
  for (const std::string& t : texts)
    SendMessageW(Drive->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(t).c_str()));

  struct Case {
    const char* name;
    HWND wnd;
    bool combo;
    std::vector<std::string> entries;
  };
  std::vector<std::string> driveEntries = Drive->EntryTexts();
  driveEntries.insert(driveEntries.end(), texts.begin(), texts.end());
  ASSERT_EQ(static_cast<int>(driveEntries.size()), drives + 3);
  const Case cases[] = {
      {"history", history->Handle(), true, texts},
      {"drive box", Drive->Handle(), true, driveEntries},
      {"language list", languages->Handle(), false, texts},
      {"rows of the file panes", rows->Handle(), false, texts},
      {"file list", Files->Handle(), false, Files->Items()->Items()},
      {"directory list", Dirs->Handle(), false, Dirs->Items()->Items()},
  };

  auto read = [&](HWND wnd, bool combo, bool wide) {
    const std::string out = Dir / "entries.txt";
    DeleteFileA(out.c_str());
    testkit::ChildProcess reader;
    const std::string cmd = "\"" + testkit::ExeFolder() + "oq_readlist.exe\" " +
                            std::to_string(reinterpret_cast<INT_PTR>(wnd)) + " \"" + out +
                            "\" " + (combo ? "combo" : "list") + (wide ? " W" : " A");
    EXPECT_TRUE(reader.Start(cmd, Dir.Path()));
    // The reader's requests are answered while this thread pumps.
    EXPECT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(out); }, 30000));
    EXPECT_TRUE(reader.WaitEnded(10000));
    return testkit::ReadFile(out);
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string want;
    for (const std::string& e : c.entries)
      want += std::to_string(AnsiToWide(e).size()) + ":" + e + "\n";
    EXPECT_EQ(read(c.wnd, c.combo, true), want);

    // 8-bit: as a plain system control of the same texts answers.
    SystemList plain(Form->Handle(), c.combo);
    for (const std::string& e : c.entries) plain.Add(e);
    EXPECT_EQ(read(c.wnd, c.combo, false), read(plain.Wnd, c.combo, false));

    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(c.wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    EXPECT_EQ(testkit::WindowEntries(c.wnd, c.combo), c.entries);
  }
}
