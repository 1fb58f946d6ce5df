// Names in any language through the command-line window: what the panes
// show, commands that act on such files, CD, VIEW, the insert character of
// a legacy-coded language file, and characters that cannot be passed on.
#include <functional>

#include "dialogs/UHelp.h"
#include "framework/ComCtrls.h"
#include "framework/WideText.h"
#include "main/MainFixture.h"
#include "testkit/FolderReads.h"

namespace {

struct MainNames : MainFixture {
  void TearDown() override {
    if (F && F->LastProcess.Process()) TerminateProcess(F->LastProcess.Process(), 0);
    while (WHelp) TComponent::Free(WHelp);
    MainFixture::TearDown();
  }
  // A file of the work folder, created by its wide name.
  void MakeFile(const std::wstring& name, const std::string& content) {
    const std::wstring path = AnsiToWide(Work) + L"\\" + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }
  static std::string N(const std::wstring& w) { return WideToAnsi(w); }
  std::string ReadWide(const std::wstring& name) const {
    return testkit::ReadFile(Work + "\\" + N(name));
  }
};

const std::wstring kJapanese = L"\x65E5\x672C\x8A9E.txt";             // 日本語.txt
const std::wstring kPolish = L"\x0141\x00F3" L"d\x017A notes.txt";      // Łódź notes.txt
const std::wstring kEmoji = L"emoji \xD83D\xDE00.txt";                  // emoji 😀.txt
const std::wstring kGreek = L"\x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC";  // Ελληνικά
const std::wstring kCopy = L"kopia \x0142.txt";                          // kopia ł.txt

}  // namespace

TEST_F(MainNames, ThePanesCommandsCdAndViewTakeNamesInAnyLanguage) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the program runs with its manifest";
  MakeFile(kJapanese, "ja");
  MakeFile(kPolish, "pl");
  MakeFile(kEmoji, "emoji");
  MakeFile(L"plain.txt", "plain");
  ASSERT_TRUE(CreateDirectoryW((AnsiToWide(Work) + L"\\" + kGreek).c_str(), nullptr));
  F->SpbUpdateClick(F);
  for (const std::wstring& name : {kJapanese, kPolish, kEmoji})
    EXPECT_GE(IndexOf(N(name)), 0) << N(name);
  const auto& dirs = F->DirectoryListBox1->Items()->Items();
  EXPECT_NE(std::find(dirs.begin(), dirs.end(), N(kGreek)), dirs.end());
  testkit::SaveWindowShot(F->Handle(), testkit::ShotsFolder() + "Main_names_in_any_language.png");

  // Typed as a user types: the interpreter copies the Japanese file to a
  // Polish name, nothing best-fitted on the way.
  testkit::ProcessRecorder starts;
  F->CheckBoxDIR->SetChecked(true);  // DOS-window mode, closing: /C
  Type(N(L"copy \"" + kJapanese + L"\" \"" + kCopy + L"\"\r"));
  // The interpreter makes the copy before it fills it: wait for the content.
  EXPECT_TRUE(testkit::PumpUntil([&] { return ReadWide(kCopy) == "ja"; }, 20000)) << ReadWide(kCopy);
  EXPECT_FALSE(testkit::FileExists(Work + "\\kopia l.txt"));
  ASSERT_EQ(starts.CreateProcessLines.size(), 1u);
  EXPECT_EQ(starts.CreateProcessLines[0],
            CommandInterpreter + " /C " + N(L"copy \"" + kJapanese + L"\" \"" + kCopy + L"\""));
  F->CheckBoxDIR->SetChecked(false);

  // Started directly, with a Greek name for a program that reads its
  // command line wide; and an internal command through the command file
  // OrvExec and the interpreter with /K.
  const std::wstring greekFile = kGreek + L".txt";
  Type("\"" + testkit::ExeFolder() + "oq_writefile.exe\" " + N(L"\"" + greekFile + L"\" \x03B1\x03B2\r"));
  ASSERT_TRUE(testkit::PumpUntil([&] { return testkit::FileExists(Work + "\\" + N(greekFile)); }, 20000));
  EXPECT_TRUE(testkit::PumpUntil([&] { return ReadWide(greekFile) == "\xCE\xB1\xCE\xB2"; }, 5000));
  const std::wstring copy2 = L"kopia2 \x0142.txt";
  Type(N(L"copy \"" + kPolish + L"\" \"" + copy2 + L"\"\r"));
  EXPECT_TRUE(testkit::PumpUntil([&] { return ReadWide(copy2) == "pl"; }, 20000)) << ReadWide(copy2);
  EXPECT_NE(starts.CreateProcessLines.back().find(" /K \"\"" + ProgramDir + "OrvExec\" copy"),
            std::string::npos);
  if (F->LastProcess.Process()) TerminateProcess(F->LastProcess.Process(), 0);

  // CD into the Greek folder, as typed.
  Type(N(L"CD " + kGreek + L"\r"));
  EXPECT_EQ(F->DirectoryListBox1->Directory(), Work + "\\" + N(kGreek));
  EXPECT_EQ(CurrentDir(), Work + "\\" + N(kGreek));
  EXPECT_TRUE(Boxes.Boxes.empty());
  Type("CD ..\r");

  // VIEW of a UTF-8 text and of a text in the user's legacy code page.
  MakeFile(L"utf8.txt", "\xC5\xBB\xC3\xB3\xC5\x82w \xE6\x97\xA5\xE6\x9C\xAC");  // Żółw 日本
  MakeFile(L"legacy.txt", "caf\xE9 cr\xE8me");  // 1252
  for (const auto& [file, shown] : {std::pair{std::string("utf8.txt"), std::wstring(L"\x017B\x00F3\x0142w \x65E5\x672C")},
                                    std::pair{std::string("legacy.txt"), std::wstring(L"caf\x00E9 cr\x00E8me")}}) {
    Type("VIEW " + file + "\r");
    ASSERT_TRUE(testkit::PumpUntil([&] { return WHelp != nullptr; }));
    EXPECT_NE(WHelp->RichEdit1->Text().find(N(shown)), std::string::npos) << file;
    while (WHelp) TComponent::Free(WHelp);
  }
  EXPECT_TRUE(Boxes.Boxes.empty());
}

// A language file in the user's legacy code page whose insert character
// takes two bytes in UTF-8: the captions show it and typing it inserts.
TEST_F(MainNames, TheInsertCharacterOfALegacyLanguageFileIsOneCharacter) {
  std::string lang = "\xA7\r\nReadMe.RTF\r\n";  // § in code page 1252
  for (int n = 3; n <= 8; ++n) lang += "x\r\n";
  lang += "Insert '#'\r\nInsert '#' hint\r\n";  // lines 9 and 10
  for (int n = 11; n <= 18; ++n) lang += "x\r\n";
  lang += "Press # to insert\r\n";  // line 19
  Dir.Write("prog\\Legacy.OQL", lang);
  Dir.Write("prog\\OrvQuill.LNG", "Legacy.OQL\r\n");
  TComponent::Free(F);
  testkit::PumpPending();
  F = Application->CreateForm<TForm1>();
  F->Show();
  ASSERT_TRUE(testkit::PumpUntil([&] { return IsWindowVisible(F->Handle()) != 0; }));
  EXPECT_EQ(InsertChar, N(L"\x00A7"));
  EXPECT_EQ(F->SpbCross->Caption(), N(L"Insert '\x00A7'"));
  Dir.Write("work\\a.txt", "a");
  F->SpbUpdateClick(F);
  F->FileListBox1->SetItemIndex(0);
  F->CommLine->SetText("");
  Type(N(L"type \x00A7 # x"));
  EXPECT_EQ(F->CommLine->Text(), "type a.txt # x");
}

// A character that the program's code page cannot carry (an unpaired
// surrogate: the system lets one into a text) never runs as '?'.
TEST_F(MainNames, ACommandWithAnUnpairedSurrogateIsRefused) {
  testkit::ProcessRecorder starts(false);
  F->CommLine->SetFocus();
  HWND edit = F->CommLine->EditHandle();
  testkit::TypeText(edit, "del a");
  PostMessageW(edit, WM_CHAR, 0xD800, 1);
  testkit::TypeText(edit, ".txt\r");
  EXPECT_TRUE(starts.CreateProcessLines.empty());
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_NE(Boxes.Boxes[0].Text.find("cannot be passed on exactly"), std::string::npos);
  EXPECT_EQ(F->CommLine->Items()->Count(), 0);
}

// A listed name holding an unpaired surrogate shows a stand-in character:
// the row's text names another file, or none. Every way of using the row
// says so and does nothing.
TEST_F(MainNames, ARowThatIsNotTheExactNameIsNeverUsed) {
  const std::wstring folder = AnsiToWide(Work);
  const std::wstring odd = L"odd\xD800.txt";
  MakeFile(L"odd\xFFFD.txt", "the look-alike");  // what the stand-in spells
  testkit::ExtraEntries hook(folder, {TFolderEntry{odd, {}, FILE_ATTRIBUTE_NORMAL}});
  F->FileListBox1->Update();
  int row = -1;
  for (int i = 0; i < F->FileListBox1->Items()->Count(); ++i)
    if (!F->FileListBox1->IsExactRow(i)) row = i;
  ASSERT_GE(row, 0) << "the odd name is listed";

  testkit::ProcessRecorder starts(false);
  const struct {
    const char* name;
    std::function<void()> act;
  } cases[] = {
      {"# typed", [&] { F->CommLine->SetFocus(); testkit::TypeText(F->CommLine->EditHandle(), "type #"); }},
      {"insert button", [&] { F->SpBFNameClick(F); }},
      {"double-click", [&] { F->FileListBox1DblClick(F); }},
      {"Open", [&] { F->MenOpenClick(F); }},
      {"View", [&] { F->MenViewClick(F); }},
      {"drag", [&] {
         // The list holds the mouse from a press, as its own press does.
         SetCapture(F->FileListBox1->Handle());
         F->FileListBox1MouseDown(F, mbLeft, {}, 10, 10);
         F->FileListBox1MouseMove(F, ssLeft, 40, 10);
         ReleaseCapture();
       }},
  };
  for (const auto& c : cases) {
    F->CommLine->SetText("");
    F->FileListBox1->SetItemIndex(row);
    Boxes.Boxes.clear();
    c.act();
    testkit::PumpPending();
    ASSERT_EQ(Boxes.Boxes.size(), 1u) << c.name;
    EXPECT_NE(Boxes.Boxes[0].Text.find("cannot be passed on exactly"), std::string::npos) << c.name;
    EXPECT_EQ(F->CommLine->Text().find("odd"), std::string::npos) << c.name;
    EXPECT_TRUE(starts.ShellExecuteFiles.empty()) << c.name;
    EXPECT_EQ(WHelp, nullptr) << c.name;
  }
  EXPECT_EQ(ReadWide(L"odd\xFFFD.txt"), "the look-alike");
}
