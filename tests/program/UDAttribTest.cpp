#include "dialogs/UDAttrib.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DialogsTestUtil.h"
#include "controls/EnterExitButton.h"
#include "controls/OrvCustomCheck.h"
#include "frame/OrvWindowSizeHook.h"

using namespace dlgtest;

namespace {

// The main window's part in this: a form with a file list on a folder that
// holds one entry of each kind.
class TListForm : public TForm {
 public:
  explicit TListForm(TComponent* owner) : TForm(owner) {
    SetBounds(20, 20, 300, 300);
    List = Placed<TFileListBox>(this, this, "FileListBox1", 8, 8, 270, 250);
  }
  TFileListBox* List;
};

class DAttribsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir.Write("plain.txt", "p");
    Dir.Write("ro.txt", "r");
    Dir.Write("hid.txt", "h");
    Dir.MakeDir("sub");
    SetFileAttributesA((Dir / "plain.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((Dir / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((Dir / "hid.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

    Host = new TListForm(Application);
    Host->AfterConstruction();
    Host->List->SetDirectory(Dir.Path());
    Host->List->OnChange = [this](TObject*) { ++Listings; };

    Dialog = new TDAttribs(Application);
    Dialog->AfterConstruction();
    Dialog->SetFileList(Host->List);
  }
  void TearDown() override {
    TComponent::Free(Dialog);
    TComponent::Free(Host);
    testkit::PumpPending();
    EXPECT_EQ(nullptr, DAttribs);
    SetFileAttributesA((Dir / "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((Dir / "hid.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  TOrvCheck* Box(int i) const {
    TOrvCheck* boxes[] = {Dialog->OrvCheck1, Dialog->OrvCheck2, Dialog->OrvCheck3,
                          Dialog->OrvCheck4, Dialog->OrvCheck5, Dialog->OrvCheck6};
    return boxes[i];
  }
  std::vector<bool> Checks() const {
    std::vector<bool> v;
    for (int i = 0; i < 6; ++i) v.push_back(Box(i)->Checked());
    return v;
  }
  void ShowDialog() {
    Dialog->Show();
    testkit::PumpUntil([this] { return IsWindowVisible(Dialog->Handle()) != FALSE; });
  }
  // A real click in the middle of a control of the dialog.
  static void ClickOn(TControl* c) { testkit::Click(c, c->Width() / 2, c->Height() / 2); }
  void Apply() {
    ClickOn(Dialog->ButtApply);
    testkit::PumpPending();
  }
  std::vector<std::string> Listed() const { return Host->List->Items()->Items(); }

  testkit::TempDir Dir;
  TListForm* Host = nullptr;
  TDAttribs* Dialog = nullptr;
  int Listings = 0;
};

}  // namespace

TEST_F(DAttribsTest, TheGripSizesTheDialogInItsFrame) {
  ShotWithFaces faces;
  EXPECT_EQ(Dialog, DAttribs);
  // Shown, the size grip decides the size: the frame's client panel ends one
  // pixel beyond the grip's corner (288 + 16, 152 + 16), under an 18-pixel
  // title bar, with no border of the system's.
  ShowDialog();
  EXPECT_EQ(Dialog->BoundsRect().Width(), 305);
  EXPECT_EQ(Dialog->BoundsRect().Height(), 18 + 169);
  EXPECT_EQ(Dialog->PanelClient->ClientWidth(), 305);
  EXPECT_EQ(Dialog->PanelClient->ClientHeight(), 169);
  const LONG style = GetWindowLongA(Dialog->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  ShotWithFaces::Save(Dialog->Handle(), "DAttribs.png");
}

TEST_F(DAttribsTest, ShowingTicksTheBoxesOfTheListsSet) {
  // The list starts with files without attributes only.
  ASSERT_EQ(TFileType(ftNormal), Host->List->FileType());
  ShowDialog();
  EXPECT_EQ((std::vector<bool>{false, false, false, false, false, true}), Checks());
  Dialog->Hide();

  Host->List->SetFileType(ftReadOnly | ftArchive | ftDirectory | ftVolumeID);
  ShowDialog();
  EXPECT_EQ((std::vector<bool>{true, false, false, true, true, false}), Checks());
}

TEST_F(DAttribsTest, ApplyGivesTheListExactlyTheCheckedSetInOneListing) {
  ShowDialog();
  ClickOn(Dialog->OrvCheck2);  // Hidden on
  ClickOn(Dialog->OrvCheck5);  // Directory on
  testkit::PumpPending();
  ASSERT_EQ((std::vector<bool>{false, true, false, false, true, true}), Checks());
  Listings = 0;
  Apply();
  EXPECT_EQ(TFileType(ftHidden | ftDirectory | ftNormal), Host->List->FileType());
  EXPECT_EQ(1, Listings);
  const std::vector<std::string> listed = Listed();
  for (const char* e : {"hid.txt", "plain.txt", "ro.txt", "[sub]"})
    EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), e)) << e;
  // The dialog stays open for another try.
  EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));

  for (int i = 0; i < 6; ++i) Box(i)->SetChecked(true);
  Apply();
  // Every member with a box; the volume label has none.
  EXPECT_EQ(TFileType(0x77), Host->List->FileType());
}

TEST_F(DAttribsTest, ApplyWithNoBoxGivesAnEmptySetAndAnEmptyList) {
  ShowDialog();
  ClickOn(Dialog->OrvCheck6);  // Normal off
  testkit::PumpPending();
  ASSERT_EQ(std::vector<bool>(6, false), Checks());
  Apply();
  EXPECT_EQ(TFileType(0), Host->List->FileType());
  EXPECT_TRUE(Listed().empty());
}

TEST_F(DAttribsTest, ApplyTwiceWithTheSameBoxesKeepsTheSet) {
  ShowDialog();
  Dialog->OrvCheck1->SetChecked(true);
  Apply();
  const TFileType once = Host->List->FileType();
  const std::vector<std::string> listed = Listed();
  Apply();
  EXPECT_EQ(once, Host->List->FileType());
  EXPECT_EQ(TFileType(ftReadOnly | ftNormal), once);
  EXPECT_EQ(listed, Listed());
}

TEST_F(DAttribsTest, ClosingWithoutApplyForgetsTheChoices) {
  Host->List->SetFileType(ftNormal | ftDirectory);
  ShowDialog();
  Dialog->OrvCheck1->SetChecked(true);
  Dialog->OrvCheck6->SetChecked(false);
  Listings = 0;
  ClickOn(Dialog->ButtClose);
  ASSERT_TRUE(testkit::PumpUntil([this] { return !Dialog->Visible(); }));
  // Hidden, not freed; the list is as it was.
  EXPECT_TRUE(Alive(Dialog));
  EXPECT_EQ(TFileType(ftNormal | ftDirectory), Host->List->FileType());
  EXPECT_EQ(0, Listings);

  ShowDialog();
  EXPECT_EQ((std::vector<bool>{false, false, false, false, true, true}), Checks());
}

TEST_F(DAttribsTest, ListGoneBeforeTheDialogLeavesItHarmless) {
  TComponent::Free(Host);
  Host = nullptr;
  EXPECT_EQ(nullptr, Dialog->FileList());
  ShowDialog();
  Apply();
  EXPECT_TRUE(Alive(Dialog));
}
