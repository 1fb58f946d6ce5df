// TDriveComboBox: the drive entries, drive changes through the linked
// panes, and a drive that cannot be entered.
#include <gtest/gtest.h>

#include "PanesFixture.h"
#include "framework/FileListing.h"

namespace {
int SelectedEntry(TDriveComboBox* box) {
  return static_cast<int>(SendMessageA(box->Handle(), CB_GETCURSEL, 0, 0));
}

int EntryOf(TDriveComboBox* box, char letter) {
  std::vector<std::string> t = box->EntryTexts();
  for (size_t i = 0; i < t.size(); ++i)
    if (t[i][0] == letter) return static_cast<int>(i);
  return -1;
}

char FreeLetterAfter(char from) {
  DWORD used = GetLogicalDrives();
  for (char c = static_cast<char>(from + 1); c <= 'Z'; ++c)
    if (!(used & (1u << (c - 'A')))) return c;
  return 0;
}

// A drive letter that is there but cannot be entered, like an empty floppy
// drive: mapped to a folder that does not exist.
class UnenterableDrive {
 public:
  explicit UnenterableDrive(char letter) : FName{letter, ':', '\0'} {
    Ok = letter && DefineDosDeviceA(0, FName, "C:\\oq-drive-target-that-does-not-exist");
  }
  ~UnenterableDrive() {
    if (Ok) DefineDosDeviceA(DDD_REMOVE_DEFINITION, FName, nullptr);
  }
  UnenterableDrive(const UnenterableDrive&) = delete;
  UnenterableDrive& operator=(const UnenterableDrive&) = delete;
  bool Ok = false;

 private:
  char FName[3];
};
}  // namespace

using DriveBox = PanesFixture;

TEST_F(DriveBox, OneEntryPerLogicalDriveInOrder) {
  DWORD mask = GetLogicalDrives();
  std::vector<std::string> texts = Drive->EntryTexts();
  std::string letters;
  for (const std::string& t : texts) {
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t[1], ':');
    letters += t[0];
  }
  std::string expected;
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) expected += static_cast<char>('A' + i);
  EXPECT_EQ(letters, expected);
  EXPECT_EQ(SendMessageA(Drive->Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(texts.size()));
  // A fixed drive shows its label in brackets (none: only the letter).
  char label[MAX_PATH + 1] = "";
  GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(texts[static_cast<size_t>(EntryOf(Drive, 'C'))], DriveEntryText('C', dkFixed, label));
  EXPECT_EQ(SelectedEntry(Drive), EntryOf(Drive, Drive->Drive()));
}

TEST_F(DriveBox, SettingTheDriveMovesThePanesAndComesBackToTheDirectoryLeft) {
  char home = Dirs->Drive();
  char other = 0;
  for (const std::string& t : Drive->EntryTexts()) {
    char c = t[0];
    std::string root{c, ':', '\\'};
    if (c != home && GetDriveTypeA(root.c_str()) == DRIVE_FIXED) other = c;
  }
  if (!other) GTEST_SKIP() << "only one fixed drive";
  Drive->SetDrive(static_cast<char>(other + ('a' - 'A')));  // any case
  EXPECT_EQ(Drive->Drive(), other);
  EXPECT_EQ(Dirs->Drive(), other);
  EXPECT_EQ(DriveOfPath(CurrentDir()), other);
  EXPECT_EQ(Files->Directory(), Dirs->Directory());
  EXPECT_EQ(SelectedEntry(Drive), EntryOf(Drive, other));
  EXPECT_EQ(DriveChanges, 1);
  EXPECT_EQ(DirChanges, 1);

  Drive->SetDrive(home);
  EXPECT_EQ(Dirs->Directory(), Proj);  // the drive's current directory
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(DriveChanges, 2);

  // A directory list moved to another drive takes the box along.
  Dirs->SetDirectory(std::string{other, ':', '\\'});
  EXPECT_EQ(Drive->Drive(), other);
  EXPECT_EQ(DriveChanges, 3);
}

TEST_F(DriveBox, ADriveThatCannotBeEnteredChangesNothing) {
  char missing = FreeLetterAfter('C');
  ASSERT_NE(missing, 0);
  EXPECT_THROW(Drive->SetDrive(missing), EInOutError);
  EXPECT_THROW(Drive->SetDrive('1'), EInOutError);
  EXPECT_EQ(Drive->Drive(), DriveOfPath(Proj));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(DriveChanges, 0);
}

TEST_F(DriveBox, ChoosingAnEntryThatFailsShowsTheErrorAndGoesBack) {
  if (Drive->Drive() != 'C') GTEST_SKIP() << "the test folder is not on C:";
  UnenterableDrive bad(FreeLetterAfter('C'));
  if (!bad.Ok) GTEST_SKIP() << "cannot map a drive letter here";
  Drive->BuildList();
  char badLetter = Drive->EntryTexts()[static_cast<size_t>(EntryOf(Drive, 'C') + 1)][0];
  ASSERT_EQ(GetLogicalDrives() & (1u << (badLetter - 'A')), 1u << (badLetter - 'A'));

  testkit::MessageBoxRecorder boxes;
  // The arrow key on the closed box chooses the next entry: the bad drive.
  testkit::PressKey(Drive->Handle(), VK_DOWN);
  ASSERT_TRUE(testkit::PumpUntil([&] { return boxes.Boxes.size() == 1; }));
  EXPECT_EQ(boxes.Boxes[0].Flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(Drive->Drive(), 'C');
  EXPECT_EQ(SelectedEntry(Drive), EntryOf(Drive, 'C'));
  EXPECT_EQ(Dirs->Directory(), Proj);
  EXPECT_EQ(CurrentDir(), Proj);
  EXPECT_EQ(DriveChanges, 0);
  EXPECT_EQ(DirChanges, 0);

  // The last entry, through the open list: applied when the list closes.
  int last = static_cast<int>(Drive->EntryTexts().size()) - 1;
  char lastLetter = Drive->EntryTexts()[static_cast<size_t>(last)][0];
  if (lastLetter == badLetter) return;
  testkit::PressKey(Drive->Handle(), VK_F4);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Drive->Perform(CB_GETDROPPEDSTATE) != 0; }));
  testkit::PressKey(Drive->Handle(), VK_END);
  EXPECT_EQ(Drive->Drive(), 'C');  // not while the list is open
  testkit::PressKey(Drive->Handle(), VK_RETURN);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Drive->Drive() == lastLetter; }));
  EXPECT_EQ(Dirs->Drive(), lastLetter);
  EXPECT_EQ(boxes.Boxes.size(), 1u);
}
