// TMemo: lines and window text, keys on a form with a default button.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TMemoForm : public TForm {
 public:
  explicit TMemoForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(80, 80, 320, 220);
    Memo1 = Placed<TMemo>(this, this, "Memo1", 8, 8, 185, 89);
    Memo1->SetScrollBars(ssVertical);
    Execute = Placed<TButton>(this, this, "Execute", 8, 128, 97, 21);
    Execute->SetCaption("E&xecute");
    Execute->SetDefault(true);
  }
  TMemo* Memo1;
  TButton* Execute;
};

struct MemoFixture : testkit::FormFixture<TMemoForm> {
  TMemo* Memo1 = nullptr;
  void SetUp() override {
    FormFixture::SetUp();
    Memo1 = Form->Memo1;
    Form->Show();
  }
  std::string WindowText() const {
    HWND h = Memo1->HandleIfAllocated();
    std::string s(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
    return s;
  }
};

}  // namespace

using Memo = MemoFixture;

TEST_F(Memo, LinesAndWindowTextFollowEachOther) {
  int changes = 0;
  Memo1->OnChange = [&](TObject*) { ++changes; };
  Memo1->Lines()->Add("cd \\src");
  Memo1->Lines()->Add("");
  Memo1->Lines()->Add("make");
  EXPECT_EQ(WindowText(), "cd \\src\r\n\r\nmake");
  EXPECT_EQ(changes, 3);

  // What the user changes in the window is what Lines reads.
  SetWindowTextA(Memo1->Handle(), "copy a b\r\ndir\r\n");
  EXPECT_EQ(Memo1->Lines()->Items(), (std::vector<std::string>{"copy a b", "dir"}));
  Memo1->Lines()->SetStrings(1, "dir /w");
  EXPECT_EQ(WindowText(), "copy a b\r\ndir /w");
  EXPECT_EQ(Memo1->Lines()->Text(), "copy a b\r\ndir /w\r\n");

  Memo1->SetText("");
  EXPECT_EQ(Memo1->Lines()->Count(), 0);
  SetWindowTextA(Memo1->Handle(), "\r\ndir");
  EXPECT_EQ(Memo1->Lines()->Items(), (std::vector<std::string>{"", "dir"}));
}

TEST_F(Memo, LongTextIsKeptWholeAndSurvivesANewWindow) {
  // Beyond the system's default limit of 32 K characters.
  std::vector<std::string> lines(2000, std::string(40, 'x'));
  Memo1->Lines()->Assign(lines);
  EXPECT_EQ(GetWindowTextLengthA(Memo1->Handle()), 2000 * 42 - 2);
  testkit::TypeText(Memo1->Handle(), "y");
  EXPECT_EQ(Memo1->Lines()->Count(), 2000);

  Memo1->SetScrollBars(ssBoth);  // a new window
  EXPECT_NE(GetWindowLongA(Memo1->Handle(), GWL_STYLE) & WS_HSCROLL, 0);
  EXPECT_EQ(Memo1->Lines()->Count(), 2000);
  EXPECT_EQ(GetWindowTextLengthA(Memo1->Handle()), 2000 * 42 - 2 + 1);
}

TEST_F(Memo, EnterMakesALineInsteadOfPressingTheDefaultButton) {
  int executed = 0;
  Form->Execute->OnClick = [&](TObject*) { ++executed; };
  Memo1->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return Memo1->Focused(); }));
  testkit::TypeText(Memo1->Handle(), "dir\rver");
  EXPECT_EQ(executed, 0);
  EXPECT_EQ(Memo1->Lines()->Items(), (std::vector<std::string>{"dir", "ver"}));

  // Without WantReturns, Enter is the form's: the default button runs.
  Memo1->SetWantReturns(false);
  ASSERT_TRUE(testkit::PumpUntil([&] { return Memo1->Focused(); }));
  testkit::PressKey(Memo1->Handle(), VK_RETURN);
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(Memo1->Lines()->Count(), 2);
  // Tab leaves the memo for the next control rather than typing a tab.
  testkit::PressKey(Memo1->Handle(), VK_TAB);
  EXPECT_TRUE(testkit::PumpUntil([&] { return Form->Execute->Focused(); }));
  EXPECT_EQ(WindowText().find('\t'), std::string::npos);
}

TEST_F(Memo, StyleSettingsReachTheWindow) {
  Memo1->SetReadOnly(true);
  EXPECT_NE(GetWindowLongA(Memo1->Handle(), GWL_STYLE) & ES_READONLY, 0);
  Memo1->SetBorderStyle(bsNone);
  EXPECT_EQ(GetWindowLongA(Memo1->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(GetWindowLongA(Memo1->Handle(), GWL_STYLE) & ES_READONLY, 0);
  Memo1->SetWordWrap(false);
  EXPECT_NE(GetWindowLongA(Memo1->Handle(), GWL_STYLE) & ES_AUTOHSCROLL, 0);
  Memo1->Lines()->Add("read only, but settable from code");
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "memo.png");
}
