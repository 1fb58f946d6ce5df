// TListBox: items, selection events, owner drawing, positions.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TListForm : public TForm {
 public:
  explicit TListForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 300, 260);
    List = Placed<TListBox>(this, this, "FileListBox1", 8, 8, 257, 200);
  }
  TListBox* List;
};

struct ListBoxFixture : testkit::FormFixture<TListForm> {
  TListBox* List = nullptr;
  int Changes = 0, Clicks = 0, DblClicks = 0;
  void SetUp() override {
    FormFixture::SetUp();
    List = Form->List;
    List->OnChange = [this](TObject*) { ++Changes; };
    List->OnClick = [this](TObject*) { ++Clicks; };
    List->OnDblClick = [this](TObject*) { ++DblClicks; };
    Form->Show();
  }
  std::string WindowItem(int i) const {
    return testkit::WindowEntry(List->HandleIfAllocated(), false, i);
  }
  int WindowCount() const {
    return static_cast<int>(SendMessageA(List->HandleIfAllocated(), LB_GETCOUNT, 0, 0));
  }
  static std::vector<std::string> Names(int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) v.push_back("file" + std::to_string(100000 + i) + ".txt");
    return v;
  }
};

}  // namespace

using ListBox = ListBoxFixture;

TEST_F(ListBox, ManyItemsLoadAndEditsKeepTheSelection) {
  List->Items()->Assign(Names(10000));
  EXPECT_EQ(WindowCount(), 10000);
  EXPECT_EQ(WindowItem(9999), "file109999.txt");
  EXPECT_EQ(Changes, 0);

  List->SetItemIndex(5);
  EXPECT_EQ(Changes, 1);
  List->SetItemIndex(5);  // unchanged: no event
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(SendMessageA(List->Handle(), LB_GETCURSEL, 0, 0), 5);
  EXPECT_EQ(Clicks, 0);  // a click is the user's

  // One line in front: the selected entry moves along with its line.
  List->Items()->Insert(0, "[..]");
  EXPECT_EQ(WindowItem(0), "[..]");
  EXPECT_EQ(List->ItemIndex(), 6);
  EXPECT_EQ(Changes, 2);
  List->Items()->Add("zz.txt");
  EXPECT_EQ(WindowCount(), 10002);
  EXPECT_EQ(List->ItemIndex(), 6);
  EXPECT_EQ(Changes, 2);

  List->Items()->Clear();
  EXPECT_EQ(WindowCount(), 0);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(Changes, 3);
}

TEST_F(ListBox, ClicksSelectAndADoubleClickCountsOnce) {
  List->Items()->Assign({"a.txt", "b.txt", "c.txt"});
  TRect r = List->ItemRect(1);
  testkit::Click(List, r.left + 5, r.top + 2);
  EXPECT_TRUE(testkit::PumpUntil([&] { return List->ItemIndex() == 1; }));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(DblClicks, 0);
  testkit::DoubleClick(List, r.left + 5, r.top + 2);
  EXPECT_TRUE(testkit::PumpUntil([&] { return DblClicks > 0; }));
  testkit::PumpPending();
  EXPECT_EQ(DblClicks, 1);
  // Keys move the selection too, and raise the same events.
  testkit::PressKey(List->Handle(), VK_DOWN);
  EXPECT_TRUE(testkit::PumpUntil([&] { return List->ItemIndex() == 2; }));
  EXPECT_EQ(Changes, 2);
}

TEST_F(ListBox, OwnerDrawnRowsPaintThroughDrawItem) {
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(16);
  List->Items()->Assign({"[temp]", "a.exe", "b.txt"});
  List->SetItemIndex(1);
  EXPECT_EQ(SendMessageA(List->Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(List->ItemRect(1).top, 16);
  EXPECT_EQ(List->ItemRect(1).Height(), 16);

  // The default painting: the selected row in the highlight colour.
  List->Update();
  testkit::PumpPending();
  testkit::Image shot = testkit::CaptureScreen(List->Handle());
  RECT outer, client;
  GetWindowRect(List->Handle(), &outer);
  GetClientRect(List->Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(List->Handle(), &origin);
  int ox = origin.x - outer.left, oy = origin.y - outer.top;
  COLORREF hl = ColorToRGB(clHighlight);
  unsigned want = (GetRValue(hl) << 16) | (GetGValue(hl) << 8) | GetBValue(hl);
  EXPECT_EQ(shot.At(ox + client.right - 3, oy + 16 + 8), want);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "listbox-ownerdraw.png");

  // A letter moves the selection to the next entry that starts with it,
  // also in a list that keeps no strings of its own.
  List->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return List->Focused(); }));
  int before = Changes;
  testkit::TypeText(List->Handle(), "B");
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_EQ(Changes, before + 1);
  EXPECT_EQ(Clicks, 1);
  testkit::TypeText(List->Handle(), "q");
  EXPECT_EQ(List->ItemIndex(), 2);

  std::vector<int> drawn;
  List->OnDrawItem = [&](TObject*, int index, TRect rect, UINT) {
    drawn.push_back(index);
    List->Canvas()->FillRect(rect);
  };
  List->Invalidate();
  List->Update();
  EXPECT_TRUE(testkit::PumpUntil([&] { return drawn.size() >= 3; }));
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
}

TEST_F(ListBox, ItemAtPosCountsRowsBeyondSixteenBits) {
  List->SetItemHeight(16);
  List->Items()->Assign(Names(70000));
  List->SetTopIndex(69990);
  EXPECT_EQ(List->TopIndex(), List->ItemAtPos(TPoint(5, 3), true));
  EXPECT_GT(List->TopIndex(), 65536);
  int top = List->TopIndex();
  EXPECT_EQ(List->ItemAtPos(TPoint(5, 16 + 3), true), top + 1);
  // Below the last entry.
  int below = (70000 - top) * 16 + 2;
  if (below < List->ClientHeight()) {
    EXPECT_EQ(List->ItemAtPos(TPoint(5, below), true), -1);
    EXPECT_EQ(List->ItemAtPos(TPoint(5, below), false), 70000);
  }
  EXPECT_EQ(List->ItemAtPos(TPoint(-1, 3), true), -1);
}

TEST_F(ListBox, SortedKeepsItemsInOrderWithoutCase) {
  List->Items()->Assign({"b.TXT", "A.txt", "c.txt"});
  List->SetSorted(true);
  EXPECT_EQ(List->Items()->Items(), (std::vector<std::string>{"A.txt", "b.TXT", "c.txt"}));
  List->Items()->Add("a0.txt");
  EXPECT_EQ(List->Items()->Items(),
            (std::vector<std::string>{"A.txt", "a0.txt", "b.TXT", "c.txt"}));
  EXPECT_EQ(WindowItem(1), "a0.txt");
}

TEST_F(ListBox, ANewWindowKeepsItemsAndSelection) {
  List->Items()->Assign({"one", "two", "three"});
  List->SetItemIndex(2);
  List->SetBorderStyle(bsNone);
  EXPECT_EQ(GetWindowLongA(List->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(WindowCount(), 3);
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_EQ(WindowItem(2), "three");
}
