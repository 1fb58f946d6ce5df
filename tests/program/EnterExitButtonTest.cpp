// The image button's behaviour: active state from pointer and focus, the
// press states, kinds and the modal result, repaints, the module's words.
#include "controls/EnterExitButton.h"

#include <gtest/gtest.h>

#include "EnterExitButtonTestUtil.h"

using btntest::ButtonTest;

namespace {

struct EventLog {
  int MouseEnters = 0, MouseExits = 0, Enters = 0, Exits = 0, Clicks = 0;
  void Attach(TOrvNewButton* b) {
    b->OnMouseEnter = [this](TObject*) { ++MouseEnters; };
    b->OnMouseExit = [this](TObject*) { ++MouseExits; };
    b->OnEnter = [this](TObject*) { ++Enters; };
    b->OnExit = [this](TObject*) { ++Exits; };
    b->OnClick = [this](TObject*) { ++Clicks; };
  }
  void Reset() { MouseEnters = MouseExits = Enters = Exits = Clicks = 0; }
};

void PostAndPump(HWND wnd, UINT msg, WPARAM key, bool up) {
  LPARAM l = MAKELPARAM(1, MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
  PostMessageA(wnd, msg, key, up ? (l | static_cast<LPARAM>(0xC0000000)) : l);
  testkit::PumpPending();
}

}  // namespace

using EnterExitButtonState = ButtonTest;

TEST_F(EnterExitButtonState, PointerAndFocusMakeTheButtonActive) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "One");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "Two");
  EventLog log;
  log.Attach(b);
  ShowForm();
  PointerToForm();
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return other->Focused(); }));
  log.Reset();  // the form's activation may have focused the first button
  auto hover = [&](bool in) {
    if (in) testkit::MouseMove(b, 20, 10);
    else PointerToForm();
    ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside() == in; }));
  };
  auto focus = [&](TOrvNewButton* c) {
    c->SetFocus();
    ASSERT_TRUE(testkit::PumpUntil([&] { return b->WasFocused() == (c == b); }));
  };

  hover(true);  // the pointer alone
  EXPECT_TRUE(log.MouseEnters == 1 && log.Enters == 1 && b->ActiveState() == asActive);
  hover(false);
  EXPECT_TRUE(log.MouseExits == 1 && log.Exits == 1 && b->ActiveState() == asNormal);

  focus(b);  // focused, the pointer comes and goes: no more OnEnter/OnExit
  EXPECT_TRUE(log.Enters == 2 && b->ActiveState() == asActive);
  hover(true);
  hover(false);
  EXPECT_TRUE(log.MouseEnters == 2 && log.MouseExits == 2);
  EXPECT_TRUE(log.Enters == 2 && log.Exits == 1 && b->ActiveState() == asActive);

  hover(true);  // losing the focus under the pointer keeps it active...
  focus(other);
  EXPECT_TRUE(log.Exits == 1 && b->ActiveState() == asActive);
  hover(false);  // ...until the pointer goes too
  EXPECT_TRUE(log.Exits == 2 && b->ActiveState() == asNormal);

  focus(b);
  focus(other);
  EXPECT_EQ(log.Enters, 3);
  EXPECT_EQ(log.Exits, 3);
  EXPECT_EQ(b->ActiveState(), asNormal);

  // Disabling the focused button takes its focus away.
  focus(b);
  b->SetEnabled(false);
  testkit::PumpPending();
  EXPECT_TRUE(b->ActiveState() == asDisabled && !b->WasFocused() && log.Exits == 4);
  other->SetFocus();
  testkit::MouseMove(b, 20, 10);  // a disabled button never gets hot
  testkit::PumpPending();
  EXPECT_TRUE(log.Enters == 4 && b->ActiveState() == asDisabled);
  b->SetEnabled(true);
  EXPECT_EQ(b->ActiveState(), asNormal);
}

using OrvNewButtonPress = ButtonTest;

TEST_F(OrvNewButtonPress, MousePressLeaveReturnAndDoubleClick) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Press");
  EventLog log;
  log.Attach(b);
  ShowForm();
  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  EXPECT_TRUE(b->Pressed());
  // Held and dragged out: raised; back inside: pressed again.
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->MouseInside(); }));
  EXPECT_TRUE(!b->Pressed() && b->PressedOutside());
  testkit::MouseMove(b, 30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_TRUE(b->Pressed() && !b->PressedOutside());
  testkit::MouseUp(b, 30, 10);
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.Clicks, 1);

  // Released outside: no click, nothing left pressed on return.
  testkit::MouseDown(b, 30, 10);
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->PressedOutside(); }));
  testkit::MouseUp(b, -30, 10);
  EXPECT_TRUE(!b->Pressed() && !b->PressedOutside() && log.Clicks == 1);

  // The second press of a double click clicks too.
  testkit::DoubleClick(b, 30, 10);
  EXPECT_EQ(log.Clicks, 3);
  EXPECT_FALSE(b->Pressed());
}

TEST_F(OrvNewButtonPress, CaptureTakenAwayEndsThePress) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Held");
  ShowForm();
  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->PressedOutside(); }));
  SetCapture(Form->Handle());
  ReleaseCapture();
  // Coming back with no mouse button held shows no pushed-in face.
  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_TRUE(!b->Pressed() && !b->PressedOutside());
}

TEST_F(OrvNewButtonPress, SpaceBarPressesAnyKeyUpReleases) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Space");
  EventLog log;
  log.Attach(b);
  ShowForm();
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->Focused(); }));
  HWND h = b->Handle();
  PostAndPump(h, WM_KEYDOWN, VK_SPACE, false);
  EXPECT_TRUE(b->Pressed());
  PostAndPump(h, WM_KEYUP, VK_SPACE, true);
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.Clicks, 1);
  PostAndPump(h, WM_KEYDOWN, 'A', false);
  EXPECT_FALSE(b->Pressed());
  PostAndPump(h, WM_KEYDOWN, VK_SPACE, false);
  PostAndPump(h, WM_KEYUP, 'A', true);
  EXPECT_FALSE(b->Pressed());
  PostAndPump(h, WM_KEYUP, VK_SPACE, true);
}

// ---- kinds --------------------------------------------------------------------------------
using OrvNewButtonKind = ButtonTest;

TEST_F(OrvNewButtonKind, PresetsSetTheWholeLook) {
  TOrvNewButton* b = AddButton(10, 10, 130, 30, "Save as...");
  b->SetCaptionHCenter(false);
  b->SetKind(ibkBlue);
  EXPECT_EQ(b->Width(), 150);
  EXPECT_EQ(b->Height(), 21);
  EXPECT_EQ(b->ResBmpActive(), "BLUE150");
  EXPECT_EQ(b->ResBmpNormal(), "SILVER150");
  EXPECT_TRUE(b->CaptionHCenter());
  EXPECT_EQ(b->Caption(), "Save as...");

  b->Font()->SetName("Courier New");
  b->SetKind(ibkOK);
  EXPECT_EQ(b->Caption(), "OK");
  EXPECT_TRUE(b->Default() && !b->Cancel());
  EXPECT_EQ(b->ModalResult(), mrOk);
  EXPECT_EQ(b->Width(), 100);
  EXPECT_EQ(b->CaptionLeft(), 50);
  EXPECT_FALSE(b->CaptionHCenter());
  EXPECT_EQ(b->Font()->Color(), clGreen);
  EXPECT_EQ(b->Font()->Name(), "Arial");

  // ibkOther is stored but changes nothing.
  b->SetResBmpActive("MINE");
  b->SetKind(ibkOther);
  EXPECT_EQ(b->Kind(), ibkOther);
  EXPECT_TRUE(b->Caption() == "OK" && b->ResBmpActive() == "MINE" && b->Default());
}

TEST_F(OrvNewButtonKind, DefaultButtonStaysOwnerDrawn) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Go");
  ShowForm();
  auto type = [&] { return GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK; };
  EXPECT_EQ(type(), BS_OWNERDRAW);
  b->SetKind(ibkOK);
  EXPECT_TRUE(b->Default());
  EXPECT_EQ(type(), BS_OWNERDRAW);
}

namespace {
TForm* g_ModalForm = nullptr;
void CALLBACK EndStuckModal(HWND, UINT, UINT_PTR, DWORD) {
  if (g_ModalForm && g_ModalForm->IsModal()) g_ModalForm->SetModalResult(-1);
}

// Runs the form modally with `drive` queued into its loop; a loop that
// does not end by itself ends after a few seconds with -1.
int RunModal(TForm* f, std::function<void()> drive) {
  g_ModalForm = f;
  UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndStuckModal);
  Application->QueueCall(std::move(drive));
  int r = f->ShowModal();
  KillTimer(nullptr, guard);
  g_ModalForm = nullptr;
  return r;
}

void PostClick(TWinControl* c) {
  PostMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  PostMessageA(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
}
}  // namespace

TEST_F(OrvNewButtonKind, OkAndCancelEndAModalForm) {
  TOrvNewButton* ok = AddButton(10, 10, 100, 21, "");
  ok->SetKind(ibkOK);
  TOrvNewButton* cancel = AddButton(120, 10, 100, 21, "");
  cancel->SetKind(ibkCancel);
  EXPECT_EQ(cancel->Caption(), "Abbruch");
  EXPECT_EQ(RunModal(Form, [ok] { PostClick(ok); }), mrOk);
  EXPECT_EQ(RunModal(Form, [cancel] { PostClick(cancel); }), mrCancel);
  // Escape clicks the cancel button, Enter the default one.
  EXPECT_EQ(RunModal(Form, [ok] {
              ok->SetFocus();
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
            }),
            mrCancel);
  EXPECT_EQ(RunModal(Form, [ok] {
              ok->SetFocus();
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
            }),
            mrOk);
}

// ---- repaints ------------------------------------------------------------------------------
using OrvNewButtonSetters = ButtonTest;

TEST_F(OrvNewButtonSetters, RepaintOnlyWhatTheFaceShows) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Setters");
  HWND h = b->Handle();
  b->SetFontShadowColor(0x101010);  // before the first paint: no repaint
  b->SetCaptionHCenter(false);
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));

  ShowForm();
  PointerToForm();
  Form->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asNormal; }));
  auto repaints = [&](const std::function<void()>& change) {
    testkit::PumpPending();
    ValidateRect(h, nullptr);
    change();
    return GetUpdateRect(h, nullptr, FALSE) != FALSE;
  };
  EXPECT_FALSE(repaints([&] { b->SetFontShadowColor(0x101010); }));  // the same
  EXPECT_TRUE(repaints([&] { b->SetFontShadowColor(0x202020); }));
  EXPECT_TRUE(repaints([&] { b->SetCaptionLeft(12); }));
  EXPECT_TRUE(repaints([&] { b->SetCaptionHCenter(true); }));
  EXPECT_FALSE(repaints([&] { b->SetCaptionLeft(20); }));  // centred: not shown
  EXPECT_FALSE(repaints([&] { b->SetColorActive(0x00FF00); }));  // other states
  EXPECT_FALSE(repaints([&] { b->SetColorDisabled(0x0000FF); }));
  EXPECT_FALSE(repaints([&] { b->SetResBmpActive("X1"); }));
  EXPECT_EQ(b->LoadedState(), asNormal);
  EXPECT_TRUE(repaints([&] { b->SetResBmpNormal("X3"); }));  // reloads
  EXPECT_NE(b->LoadedState(), b->ActiveState());
  EXPECT_TRUE(repaints([&] { b->SetBitmapPath(Faces.Path() + "\\sub"); }));
  EXPECT_FALSE(repaints([&] { b->SetBitmapPath(Faces.Path() + "\\sub\\"); }));
  EXPECT_TRUE(repaints([&] { b->SetEnabled(false); }));
  EXPECT_TRUE(repaints([&] { b->SetColorDisabled(0x0000F0); }));
  EXPECT_TRUE(repaints([&] { b->Font()->SetSize(9); }));
}

// ---- module start-up ---------------------------------------------------------------------
using OrvNewButtonModule = ButtonTest;

TEST_F(OrvNewButtonModule, WordsTurnTheLooksOffAndNeverOn) {
  InitEnterExitButtonModule({"metal", "NoButtonShapes"}, "C:\\Programs\\Orv");
  EXPECT_EQ(TOrvNewButton::DefaultBitmapPath(), "C:\\Programs\\Orv\\Skins\\Buttons\\");
  EXPECT_TRUE(TOrvNewButton::BitmapsEnabled());
  EXPECT_FALSE(TOrvNewButton::RegionsEnabled());
  InitEnterExitButtonModule({"nobuttonbitmaps"}, "D:\\x\\");
  EXPECT_FALSE(TOrvNewButton::BitmapsEnabled());
  InitEnterExitButtonModule({}, "D:\\x\\");
  EXPECT_FALSE(TOrvNewButton::BitmapsEnabled() || TOrvNewButton::RegionsEnabled());

  // Without a folder: the running program's own.
  InitEnterExitButtonModule({}, "");
  std::string skins = testkit::ExeFolder() + "Skins\\Buttons\\";
  EXPECT_EQ(TOrvNewButton::DefaultBitmapPath(), skins);
  TOrvNewButton* b = AddButton(0, 0, 100, 21, "");
  EXPECT_EQ(b->BitmapFolder(), skins);
  b->SetBitmapPath("C:\\Faces");
  EXPECT_EQ(b->BitmapFolder(), "C:\\Faces\\");
  b->SetBitmapPath("");
  EXPECT_EQ(b->BitmapFolder(), skins);
}
