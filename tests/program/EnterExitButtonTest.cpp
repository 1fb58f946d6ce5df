// The image button's behaviour: active state from pointer and focus, the
// press states, kinds, the modal result and the module's start-up words.
#include "controls/EnterExitButton.h"

#include <gtest/gtest.h>

#include "EnterExitButtonTestUtil.h"

using btntest::ButtonTest;

namespace {

struct EventLog {
  int MouseEnters = 0, MouseExits = 0, Enters = 0, Exits = 0, Clicks = 0;
  void Reset() { MouseEnters = MouseExits = Enters = Exits = Clicks = 0; }
  void Attach(TOrvNewButton* b) {
    b->OnMouseEnter = [this](TObject*) { ++MouseEnters; };
    b->OnMouseExit = [this](TObject*) { ++MouseExits; };
    b->OnEnter = [this](TObject*) { ++Enters; };
    b->OnExit = [this](TObject*) { ++Exits; };
    b->OnClick = [this](TObject*) { ++Clicks; };
  }
};

void PostAndPump(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  PostMessageA(wnd, msg, w, l);
  testkit::PumpPending();
}

LPARAM KeyData(WORD vk, bool up) {
  LPARAM l = MAKELPARAM(1, MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  return up ? (l | static_cast<LPARAM>(0xC0000000)) : l;
}

}  // namespace

using EnterExitButtonState = ButtonTest;

TEST_F(EnterExitButtonState, PointerAndFocusMakeTheButtonActive) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "One");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "Two");
  EventLog log, otherLog;
  log.Attach(b);
  otherLog.Attach(other);
  ShowForm();
  PointerToForm();
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return other->Focused(); }));
  EXPECT_EQ(b->ActiveState(), asNormal);
  EXPECT_EQ(otherLog.Exits, 0);
  // The form's activation may have focused the first button on its way.
  log.Reset();
  otherLog.Reset();

  // The pointer alone.
  testkit::MouseMove(b, 20, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_EQ(log.MouseEnters, 1);
  EXPECT_EQ(log.Enters, 1);
  EXPECT_EQ(b->ActiveState(), asActive);
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->MouseInside(); }));
  EXPECT_EQ(log.MouseExits, 1);
  EXPECT_EQ(log.Exits, 1);
  EXPECT_EQ(b->ActiveState(), asNormal);

  // Focus first, then the pointer comes and goes: it stays active, and
  // OnEnter/OnExit are not raised again by the pointer.
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->WasFocused(); }));
  EXPECT_EQ(log.Enters, 2);
  EXPECT_EQ(b->ActiveState(), asActive);
  EXPECT_EQ(otherLog.Exits, 1);
  EXPECT_EQ(otherLog.Enters, 0);
  testkit::MouseMove(b, 20, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->MouseInside(); }));
  EXPECT_EQ(log.MouseEnters, 2);
  EXPECT_EQ(log.MouseExits, 2);
  EXPECT_EQ(log.Enters, 2);
  EXPECT_EQ(log.Exits, 1);
  EXPECT_EQ(b->ActiveState(), asActive);

  // Losing the focus with the pointer over it keeps it active until the
  // pointer leaves; only then OnExit.
  testkit::MouseMove(b, 20, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->WasFocused(); }));
  EXPECT_EQ(log.Exits, 1);
  EXPECT_EQ(b->ActiveState(), asActive);
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->MouseInside(); }));
  EXPECT_EQ(log.Exits, 2);
  EXPECT_EQ(b->ActiveState(), asNormal);

  // Focus in and out without the pointer.
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->WasFocused(); }));
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->WasFocused(); }));
  EXPECT_EQ(log.Enters, 3);
  EXPECT_EQ(log.Exits, 3);
  EXPECT_EQ(b->ActiveState(), asNormal);
}

TEST_F(EnterExitButtonState, DisabledButtonIsNeitherHotNorFocused) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "One");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "Two");
  EventLog log;
  log.Attach(b);
  ShowForm();
  PointerToForm();
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->WasFocused(); }));
  EXPECT_EQ(log.Enters, 1);

  // Disabling the focused button takes its focus; it reports leaving.
  b->SetEnabled(false);
  testkit::PumpPending();
  EXPECT_EQ(b->ActiveState(), asDisabled);
  EXPECT_FALSE(b->WasFocused());
  EXPECT_EQ(log.Exits, 1);

  // The pointer over a disabled button makes nothing active.
  other->SetFocus();
  testkit::MouseMove(b, 20, 10);
  testkit::PumpPending();
  EXPECT_EQ(log.Enters, 1);
  EXPECT_EQ(b->ActiveState(), asDisabled);
  PointerToForm();

  b->SetEnabled(true);
  EXPECT_EQ(b->ActiveState(), asNormal);
}

using OrvNewButtonPress = ButtonTest;

TEST_F(OrvNewButtonPress, MousePressLeaveAndReturn) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Press");
  EventLog log;
  log.Attach(b);
  ShowForm();
  PointerToForm();

  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  EXPECT_TRUE(b->Pressed());
  EXPECT_FALSE(b->PressedOutside());
  EXPECT_EQ(log.Clicks, 0);

  // Held and dragged out: raised outside...
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !b->MouseInside(); }));
  EXPECT_FALSE(b->Pressed());
  EXPECT_TRUE(b->PressedOutside());
  // ...and pressed again back inside.
  testkit::MouseMove(b, 30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_TRUE(b->Pressed());
  EXPECT_FALSE(b->PressedOutside());

  testkit::MouseUp(b, 30, 10);
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.Clicks, 1);

  // Released outside: no click, nothing left pressed.
  testkit::MouseDown(b, 30, 10);
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->PressedOutside(); }));
  testkit::MouseUp(b, -30, 10);
  EXPECT_FALSE(b->Pressed());
  EXPECT_FALSE(b->PressedOutside());
  EXPECT_EQ(log.Clicks, 1);
  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_FALSE(b->Pressed());
}

TEST_F(OrvNewButtonPress, DoubleClickIsASecondPress) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Twice");
  EventLog log;
  log.Attach(b);
  ShowForm();
  testkit::DoubleClick(b, 30, 10);
  EXPECT_EQ(log.Clicks, 2);
  EXPECT_FALSE(b->Pressed());
}

TEST_F(OrvNewButtonPress, CaptureTakenAwayEndsThePress) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Held");
  ShowForm();
  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  ASSERT_TRUE(b->Pressed());
  testkit::MouseMove(b, -30, 10, MK_LBUTTON);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->PressedOutside(); }));
  SetCapture(Form->Handle());
  testkit::PumpPending();
  ReleaseCapture();
  EXPECT_FALSE(b->Pressed());
  EXPECT_FALSE(b->PressedOutside());
  // Coming back with no button held shows no pushed-in face.
  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->MouseInside(); }));
  EXPECT_FALSE(b->Pressed());
}

TEST_F(OrvNewButtonPress, SpaceBarPressesAnyKeyUpReleases) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Space");
  EventLog log;
  log.Attach(b);
  ShowForm();
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->Focused(); }));
  HWND h = b->Handle();

  PostAndPump(h, WM_KEYDOWN, VK_SPACE, KeyData(VK_SPACE, false));
  EXPECT_TRUE(b->Pressed());
  PostAndPump(h, WM_KEYDOWN, VK_SPACE, KeyData(VK_SPACE, false) | (1 << 30));  // repeat
  EXPECT_TRUE(b->Pressed());
  PostAndPump(h, WM_KEYUP, VK_SPACE, KeyData(VK_SPACE, true));
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.Clicks, 1);

  // Another key does not press; its release raises a pressed face too.
  PostAndPump(h, WM_KEYDOWN, 'A', KeyData('A', false));
  EXPECT_FALSE(b->Pressed());
  PostAndPump(h, WM_KEYDOWN, VK_SPACE, KeyData(VK_SPACE, false));
  ASSERT_TRUE(b->Pressed());
  PostAndPump(h, WM_KEYUP, 'A', KeyData('A', true));
  EXPECT_FALSE(b->Pressed());
  PostAndPump(h, WM_KEYUP, VK_SPACE, KeyData(VK_SPACE, true));
  EXPECT_FALSE(b->Pressed());
}

TEST_F(OrvNewButtonPress, DisabledButtonIgnoresTheMouse) {
  TOrvNewButton* b = AddButton(40, 40, 100, 21, "Off");
  EventLog log;
  log.Attach(b);
  ShowForm();
  b->SetEnabled(false);
  // Sent straight to the window, as a disabled window would never get it.
  SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  SendMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.Clicks, 0);
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
  EXPECT_EQ(b->Font()->Color(), clNavy);

  TOrvNewButton* ok = AddButton(10, 50, 60, 25, "Stored");
  ok->Font()->SetName("Courier New");
  ok->Font()->SetSize(14);
  ok->SetKind(ibkOK);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_TRUE(ok->Default());
  EXPECT_FALSE(ok->Cancel());
  EXPECT_EQ(ok->ModalResult(), 1);
  EXPECT_EQ(ok->Width(), 100);
  EXPECT_EQ(ok->Height(), 21);
  EXPECT_EQ(ok->CaptionLeft(), 50);
  EXPECT_FALSE(ok->CaptionHCenter());
  EXPECT_EQ(ok->ColorActive(), 0xB3FFB3);
  EXPECT_EQ(ok->Font()->Color(), clGreen);
  EXPECT_EQ(ok->Font()->Name(), "Arial");
  EXPECT_EQ(ok->Font()->Size(), 10);
  EXPECT_EQ(ok->Kind(), ibkOK);

  // Values stored for the button after the kind win over the preset.
  ok->SetResBmpActive("MINE");
  EXPECT_EQ(ok->ResBmpActive(), "MINE");

  TOrvNewButton* ppp = AddButton(10, 80, 60, 21, "x");
  ppp->SetKind(ibkPPP);
  EXPECT_EQ(ppp->Caption(), "");
  EXPECT_EQ(ppp->ResBmpDisabled(), "PPPDISABLED");
  TOrvNewButton::SetBitmapsEnabled(false);
  ppp->SetKind(ibkPPP);
  EXPECT_EQ(ppp->Caption(), "...");

  // ibkOther changes nothing, but is stored.
  ok->SetKind(ibkOther);
  EXPECT_EQ(ok->Kind(), ibkOther);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_EQ(ok->ResBmpActive(), "MINE");
  EXPECT_TRUE(ok->Default());
}

TEST_F(OrvNewButtonKind, DefaultButtonStaysOwnerDrawn) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Go");
  ShowForm();
  auto type = [&] { return GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK; };
  EXPECT_EQ(type(), BS_OWNERDRAW);
  b->SetKind(ibkOK);
  EXPECT_TRUE(b->Default());
  EXPECT_EQ(type(), BS_OWNERDRAW);
  SendMessageA(b->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(type(), BS_OWNERDRAW);
}

namespace {
TForm* g_ModalForm = nullptr;
void CALLBACK EndStuckModal(HWND, UINT, UINT_PTR, DWORD) {
  if (g_ModalForm && g_ModalForm->IsModal()) g_ModalForm->SetModalResult(-1);
}

// Runs the form modally while `drive` is queued into its loop; a stuck
// loop ends after a few seconds with -1.
int RunModal(TForm* f, std::function<void()> drive) {
  g_ModalForm = f;
  UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndStuckModal);
  Application->QueueCall(std::move(drive));
  int r = f->ShowModal();
  KillTimer(nullptr, guard);
  g_ModalForm = nullptr;
  return r;
}
}  // namespace

TEST_F(OrvNewButtonKind, OkAndCancelEndAModalForm) {
  TOrvNewButton* ok = AddButton(10, 10, 100, 21, "");
  ok->SetKind(ibkOK);
  TOrvNewButton* cancel = AddButton(120, 10, 100, 21, "");
  cancel->SetKind(ibkCancel);
  EXPECT_EQ(cancel->Caption(), "Abbruch");
  EXPECT_TRUE(cancel->Cancel());
  EXPECT_EQ(cancel->ModalResult(), 2);

  // A click on OK.
  int r = RunModal(Form, [ok] {
    HWND h = ok->Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  });
  EXPECT_EQ(r, mrOk);
  // A click on Abbruch.
  r = RunModal(Form, [cancel] {
    HWND h = cancel->Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  });
  EXPECT_EQ(r, mrCancel);
  // Escape clicks the cancel button; Enter the default one.
  r = RunModal(Form, [ok] {
    ok->SetFocus();
    HWND h = GetFocus();
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE, false));
  });
  EXPECT_EQ(r, mrCancel);
  r = RunModal(Form, [ok] {
    ok->SetFocus();
    HWND h = GetFocus();
    PostMessageA(h, WM_KEYDOWN, VK_RETURN, KeyData(VK_RETURN, false));
  });
  EXPECT_EQ(r, mrOk);
}

TEST_F(OrvNewButtonKind, AcceleratorLetterClicks) {
  TOrvNewButton* apply = AddButton(10, 10, 100, 21, "&Apply");
  EventLog log;
  log.Attach(apply);
  ShowForm();
  EXPECT_TRUE(Form->DialogChar('a'));
  EXPECT_EQ(log.Clicks, 1);
}

// ---- module start-up ---------------------------------------------------------------------
using OrvNewButtonModule = ButtonTest;

TEST_F(OrvNewButtonModule, WordsTurnTheLooksOff) {
  InitEnterExitButtonModule({"metal", "NoButtonShapes"}, "C:\\Programs\\Orv");
  EXPECT_EQ(TOrvNewButton::DefaultBitmapPath(), "C:\\Programs\\Orv\\Skins\\Buttons\\");
  EXPECT_TRUE(TOrvNewButton::BitmapsEnabled());
  EXPECT_FALSE(TOrvNewButton::RegionsEnabled());

  TOrvNewButton::SetRegionsEnabled(true);
  InitEnterExitButtonModule({"nobuttonbitmaps"}, "D:\\x\\");
  EXPECT_EQ(TOrvNewButton::DefaultBitmapPath(), "D:\\x\\Skins\\Buttons\\");
  EXPECT_FALSE(TOrvNewButton::BitmapsEnabled());
  EXPECT_FALSE(TOrvNewButton::RegionsEnabled());

  // Nothing turns them on again.
  InitEnterExitButtonModule({}, "D:\\x\\");
  EXPECT_FALSE(TOrvNewButton::BitmapsEnabled());

  // Without a folder given: the running program's own, whatever its name's length.
  InitEnterExitButtonModule({}, "");
  EXPECT_EQ(TOrvNewButton::DefaultBitmapPath(), testkit::ExeFolder() + "Skins\\Buttons\\");
  // A new button looks there unless it has a folder of its own.
  TOrvNewButton* b = AddButton(0, 0, 100, 21, "");
  EXPECT_EQ(b->BitmapFolder(), testkit::ExeFolder() + "Skins\\Buttons\\");
  b->SetBitmapPath("C:\\Faces");
  EXPECT_EQ(b->BitmapPath(), "C:\\Faces\\");
  EXPECT_EQ(b->BitmapFolder(), "C:\\Faces\\");
  b->SetBitmapPath("");
  EXPECT_EQ(b->BitmapFolder(), testkit::ExeFolder() + "Skins\\Buttons\\");
}

// ---- repaints ------------------------------------------------------------------------------
using OrvNewButtonSetters = ButtonTest;

TEST_F(OrvNewButtonSetters, RepaintOnlyWhatTheFaceShows) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Setters");
  HWND h = b->Handle();
  // Before the first paint nothing is invalidated.
  b->SetFontShadowColor(0x101010);
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
  EXPECT_FALSE(repaints([&] { b->SetFontShadowColor(0x101010); }));  // unchanged
  EXPECT_TRUE(repaints([&] { b->SetFontShadowColor(0x202020); }));
  EXPECT_TRUE(repaints([&] { b->SetFontLightColor(0x303030); }));
  EXPECT_TRUE(repaints([&] { b->SetShowAccelChar(false); }));
  EXPECT_TRUE(repaints([&] { b->SetCaptionLeft(12); }));  // shown at CaptionLeft
  EXPECT_TRUE(repaints([&] { b->SetCaptionHCenter(true); }));
  EXPECT_FALSE(repaints([&] { b->SetCaptionLeft(20); }));  // centred: not shown
  // Colours of states the button is not in.
  EXPECT_FALSE(repaints([&] { b->SetColorActive(0x00FF00); }));
  EXPECT_FALSE(repaints([&] { b->SetColorDisabled(0x0000FF); }));
  // Bitmap names: only the one of the current state reloads.
  EXPECT_FALSE(repaints([&] { b->SetResBmpActive("X1"); }));
  EXPECT_FALSE(repaints([&] { b->SetResBmpDisabled("X2"); }));
  EXPECT_EQ(b->LoadedState(), asNormal);
  EXPECT_FALSE(repaints([&] { b->SetResBmpNormal("SILVER100"); }));  // unchanged
  EXPECT_TRUE(repaints([&] { b->SetResBmpNormal("X3"); }));
  EXPECT_NE(b->LoadedState(), b->ActiveState());
  testkit::PumpPending();
  EXPECT_EQ(b->LoadedState(), asNormal);
  EXPECT_TRUE(repaints([&] { b->SetBitmapPath(Faces.Path() + "\\sub"); }));
  EXPECT_FALSE(repaints([&] { b->SetBitmapPath(Faces.Path() + "\\sub\\"); }));  // the same
  EXPECT_TRUE(repaints([&] { b->SetEnabled(false); }));
  EXPECT_TRUE(repaints([&] { b->SetColorDisabled(0x0000F0); }));
  EXPECT_TRUE(repaints([&] { b->Font()->SetSize(9); }));
}

TEST_F(OrvNewButtonSetters, ClickHandlerMayReleaseTheForm) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Close");
  int clicks = 0;
  TForm* form = Form;
  b->OnClick = [&](TObject*) {
    ++clicks;
    form->Release();  // freed from the loop, after this handler
  };
  Form = nullptr;  // the form frees itself
  TForm* shown = form;
  shown->Show();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->HasPainted(); }));
  HWND h = b->Handle();
  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  testkit::MouseUp(b, 30, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(testkit::PumpUntil([&] { return !IsWindow(h); }));
}
