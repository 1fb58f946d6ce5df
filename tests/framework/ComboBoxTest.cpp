// TComboBox: the edit field's keys, items, selection, focus, the drop-down.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TComboForm : public TForm {
 public:
  explicit TComboForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(60, 60, 360, 240);
    Combo = Placed<TComboBox>(this, this, "CommLine", 10, 10, 300, 21);
    Other = Placed<TEdit>(this, this, "FilterLine", 10, 120, 100, 21);
  }
  TComboBox* Combo;
  TEdit* Other;
};

struct ComboBoxFixture : testkit::FormFixture<TComboForm> {
  TComboBox* Combo = nullptr;
  void SetUp() override {
    FormFixture::SetUp();
    Combo = Form->Combo;
    Form->Show();
    Combo->SetFocus();
    ASSERT_TRUE(testkit::PumpUntil([&] { return Combo->Focused(); }));
  }
  std::vector<std::string> WindowItems() const {
    return testkit::WindowEntries(Combo->HandleIfAllocated(), true);
  }
};

// Counts the characters the system's edit procedure itself receives, by
// standing between the combo box's hook and that procedure.
std::vector<WPARAM> g_EditChars;
WNDPROC g_RealEditProc = nullptr;
LRESULT CALLBACK EditSpy(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CHAR) g_EditChars.push_back(w);
  return CallWindowProcW(g_RealEditProc, wnd, msg, w, l);
}

}  // namespace

using ComboBox = ComboBoxFixture;

TEST_F(ComboBox, TypedKeysAreTheCombosAndASwallowedEnterNeverReachesTheEdit) {
  HWND edit = Combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  g_RealEditProc = reinterpret_cast<WNDPROC>(GetPropA(edit, "OrvQuillon.EditProc"));
  ASSERT_NE(g_RealEditProc, nullptr);
  SetPropA(edit, "OrvQuillon.EditProc", reinterpret_cast<HANDLE>(&EditSpy));
  g_EditChars.clear();

  std::string pressed;
  std::vector<WORD> downs;
  int changes = 0;
  Combo->OnKeyPress = [&](TObject*, wchar_t& key) {
    pressed += static_cast<char>(key);
    if (key == '\r') key = 0;
  };
  Combo->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { downs.push_back(key); };
  Combo->OnChange = [&](TObject*) { ++changes; };

  testkit::TypeText(edit, "dir");
  testkit::PressKey(edit, VK_RETURN);
  EXPECT_EQ(pressed, "dir\r");
  EXPECT_EQ(Combo->Text(), "dir");
  EXPECT_EQ(changes, 3);  // one CBN_EDITCHANGE per typed character
  ASSERT_FALSE(downs.empty());
  EXPECT_EQ(downs.back(), VK_RETURN);
  EXPECT_EQ(g_EditChars, (std::vector<WPARAM>{'d', 'i', 'r'}));

  // A key changed by the handler reaches the edit changed.
  Combo->OnKeyPress = [&](TObject*, wchar_t& key) { key = static_cast<wchar_t>(towupper(key)); };
  testkit::TypeText(edit, "x");
  EXPECT_EQ(Combo->Text(), "dirX");
  SetPropA(edit, "OrvQuillon.EditProc", reinterpret_cast<HANDLE>(g_RealEditProc));
}

TEST_F(ComboBox, SelectionOfTheEditFieldReadsAndWrites) {
  Combo->SetText("copy  x");
  Combo->SetSelStart(5);
  EXPECT_EQ(Combo->SelStart(), 5);
  EXPECT_EQ(Combo->SelLength(), 0);
  SendMessageA(Combo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(2, 4));
  EXPECT_EQ(Combo->SelStart(), 2);
  EXPECT_EQ(Combo->SelLength(), 2);
  Combo->SetSelLength(3);
  DWORD s = 0, e = 0;
  SendMessageA(Combo->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&s),
               reinterpret_cast<LPARAM>(&e));
  EXPECT_EQ(s, 2u);
  EXPECT_EQ(e, 5u);
  Combo->SelectAll();
  EXPECT_EQ(Combo->SelStart(), 0);
  EXPECT_EQ(Combo->SelLength(), 7);
}

TEST_F(ComboBox, ItemsFollowTheListKeepTheTextAndSurviveANewWindow) {
  Combo->SetText("typed");
  Combo->Items()->Add("dir");
  Combo->Items()->Add("cd ..");
  Combo->Items()->Add("dir");  // the history keeps duplicates
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"dir", "cd ..", "dir"}));
  // Appending to the history must not clear what is being typed.
  EXPECT_EQ(Combo->Text(), "typed");
  Combo->Items()->Delete(0);
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"cd ..", "dir"}));
  Combo->SetItemIndex(1);
  EXPECT_EQ(Combo->Text(), "dir");
  Combo->SetText("edited");
  // Focus would select the whole text again when the new window gets it.
  Form->Other->SetFocus();
  Combo->SetSelStart(2);

  HWND oldEdit = Combo->EditHandle();
  Combo->RecreateWnd();
  EXPECT_NE(Combo->EditHandle(), oldEdit);
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"cd ..", "dir"}));
  EXPECT_EQ(Combo->Text(), "edited");
  EXPECT_EQ(Combo->SelStart(), 2);
  // The new edit field is hooked as well.
  std::string pressed;
  Combo->OnKeyPress = [&](TObject*, wchar_t& key) { pressed += static_cast<char>(key); };
  testkit::TypeText(Combo->EditHandle(), "ok");
  EXPECT_EQ(pressed, "ok");
}

TEST_F(ComboBox, EnterAndExitFollowTheFocusOfTheEditField) {
  int enters = 0, exits = 0;
  Combo->OnEnter = [&](TObject*) { ++enters; };
  Combo->OnExit = [&](TObject*) { ++exits; };
  Form->Other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return exits == 1; }));
  EXPECT_FALSE(Combo->Focused());
  // As a click into the edit field would: the edit gets the focus directly.
  ::SetFocus(Combo->EditHandle());
  ASSERT_TRUE(testkit::PumpUntil([&] { return enters == 1; }));
  EXPECT_TRUE(Combo->Focused());
  EXPECT_EQ(Form->ActiveControl(), Combo);
  Form->Other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return exits == 2; }));
  EXPECT_EQ(enters, 1);
}

TEST_F(ComboBox, DropDownShowsDropDownCountRowsAndTakesEnterWhileOpen) {
  Combo->SetDropDownCount(20);
  Combo->SetItemHeight(16);
  for (int i = 0; i < 50; ++i) Combo->Items()->Add("command " + std::to_string(i));
  int visible = Combo->Height();
  EXPECT_LT(visible, 40);
  EXPECT_FALSE(Combo->WantsKey(VK_RETURN));

  Combo->SetDroppedDown(true);
  ASSERT_TRUE(testkit::PumpUntil([&] { return IsWindowVisible(Combo->ListHandle()) != 0; }));
  EXPECT_TRUE(Combo->DroppedDown());
  EXPECT_TRUE(Combo->WantsKey(VK_RETURN));
  EXPECT_TRUE(Combo->WantsKey(VK_ESCAPE));
  RECT r;
  GetClientRect(Combo->ListHandle(), &r);
  EXPECT_EQ(r.bottom / 16, 20);
  EXPECT_EQ(SendMessageA(Combo->ListHandle(), LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(Combo->Height(), visible);
  testkit::SaveWindowShot(Form->Handle(), testkit::ShotsFolder() + "combo-dropped.png");

  testkit::PressKey(Combo->EditHandle(), VK_ESCAPE);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !Combo->DroppedDown(); }));
  EXPECT_FALSE(Combo->WantsKey(VK_ESCAPE));
}

TEST_F(ComboBox, TheEditFieldTakesTheCombosColours) {
  Combo->SetColor(clYellow);
  Combo->Font()->SetColor(clNavy);
  HWND edit = Combo->EditHandle();
  HDC dc = GetDC(edit);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(Combo->Handle(), WM_CTLCOLOREDIT,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(edit)));
  EXPECT_EQ(GetBkColor(dc), ColorToRGB(clYellow));
  EXPECT_EQ(GetTextColor(dc), ColorToRGB(clNavy));
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectA(brush, sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, ColorToRGB(clYellow));
  ReleaseDC(edit, dc);
}
