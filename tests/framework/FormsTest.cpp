// Forms and the application: two-phase creation, closing, modal showing,
// keys, focus events, the default error box, hints, deferred calls, timers.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "GdiCount.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

class TBaseForm : public TForm {
 public:
  explicit TBaseForm(TComponent* owner) : TForm(owner) {
    SetBounds(50, 50, 320, 200);
    BaseEdit = Placed<TEdit>(this, this, "BaseEdit", 10, 10, 100, 21);
    OnCreate = [this](TObject* s) { FormCreate(s); };
  }
  virtual void FormCreate(TObject*) { ++BaseCreates; }
  TEdit* BaseEdit;
  int BaseCreates = 0;
};

class TDerivedForm : public TBaseForm {
 public:
  explicit TDerivedForm(TComponent* owner) : TBaseForm(owner) {
    Second = Placed<TEdit>(this, this, "Second", 10, 40, 100, 21);
    Ok = Placed<TButton>(this, this, "Ok", 10, 80, 75, 25);
    Ok->SetCaption("&Go");
    Ok->SetDefault(true);
    Ok->OnClick = [this](TObject*) { ++OkClicks; };
    CancelButton = Placed<TButton>(this, this, "CancelButton", 90, 80, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->OnClick = [this](TObject*) { ++CancelClicks; };
  }
  void FormCreate(TObject* s) override {
    TBaseForm::FormCreate(s);
    // Every designed component of every class level exists by now.
    SawAllComponents = BaseEdit && Second && Ok && CancelButton && !IsLoading() &&
                       !Second->IsLoading();
  }
  TEdit* Second;
  TButton* Ok;
  TButton* CancelButton;
  bool SawAllComponents = false;
  int OkClicks = 0, CancelClicks = 0;
};

}  // namespace

using Forms = testkit::FormFixture<TDerivedForm>;

TEST_F(Forms, TheMostDerivedCreateHandlerSeesEveryComponent) {
  EXPECT_EQ(Form->BaseCreates, 1);
  EXPECT_TRUE(Form->SawAllComponents);
  EXPECT_EQ(Form->FindComponent("second"), Form->Second);
}

TEST_F(Forms, OwnerFreesItsComponentsAndTheWindows) {
  Form->Show();
  HWND edit = Form->Second->Handle();
  HWND form = Form->Handle();
  TComponent::Free(Form);
  Form = nullptr;
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_FALSE(IsWindow(form));
}

TEST_F(Forms, CloseHidesAndCloseQueryCanRefuse) {
  Form->Show();
  bool allow = false;
  Form->OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  allow = true;
  Form->Close();
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(IsWindowVisible(Form->Handle()));
}

TEST_F(Forms, CloseActionFreeIsDeferredToTheLoop) {
  Form->Show();
  Form->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  bool destroyed = false;
  Form->OnDestroy = [&](TObject*) { destroyed = true; };
  // Closing from inside a handler of the form itself must be safe.
  Form->Ok->OnClick = [this](TObject*) { Form->Close(); };
  testkit::Click(Form->Ok, 5, 5);
  EXPECT_TRUE(testkit::PumpUntil([&] { return destroyed; }));
  Form = nullptr;
}

TEST_F(Forms, ShowModalEndsWithTheModalResult) {
  Form->Ok->SetModalResult(mrOk);
  Application->QueueCall([this] { Form->Ok->Click(); });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_FALSE(Form->Visible());
  // Closing a modal form gives cancel.
  Application->QueueCall([this] { Form->Close(); });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
}

TEST_F(Forms, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  Form->Show();
  Form->BaseEdit->SetFocus();
  testkit::PressKey(Form->BaseEdit->Handle(), VK_RETURN);
  EXPECT_EQ(Form->OkClicks, 1);
  testkit::PressKey(Form->BaseEdit->Handle(), VK_ESCAPE);
  EXPECT_EQ(Form->CancelClicks, 1);
}

TEST_F(Forms, TabMovesTheFocusInTabOrderAndRaisesEnterExit) {
  std::vector<std::string> log;
  Form->BaseEdit->OnEnter = [&](TObject*) { log.push_back("enter base"); };
  Form->BaseEdit->OnExit = [&](TObject*) { log.push_back("exit base"); };
  Form->Second->OnEnter = [&](TObject*) { log.push_back("enter second"); };
  Form->Show();
  Form->BaseEdit->SetFocus();
  testkit::PumpPending();
  testkit::PressKey(Form->BaseEdit->Handle(), VK_TAB);
  EXPECT_TRUE(Form->Second->Focused());
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 2], "exit base");
  EXPECT_EQ(log.back(), "enter second");
  Form->Second->SetTabOrder(0);
  testkit::PressKey(Form->Second->Handle(), VK_TAB);
  EXPECT_TRUE(Form->BaseEdit->Focused());
}

TEST_F(Forms, AltLetterClicksTheButtonOfThatAccelerator) {
  Form->Show();
  Form->BaseEdit->SetFocus();
  PostMessageA(Form->BaseEdit->Handle(), WM_SYSCHAR, 'g', 1 << 29);
  testkit::PumpPending();
  EXPECT_EQ(Form->OkClicks, 1);
}

TEST_F(Forms, KeyPressCanSwallowAKey) {
  Form->Show();
  Form->BaseEdit->SetFocus();
  Form->BaseEdit->OnKeyPress = [](TObject*, wchar_t& k) {
    if (k == 'x') k = 0;
    else if (k == 'a') k = 'b';
  };
  testkit::TypeText(Form->BaseEdit->Handle(), "xaxc");
  EXPECT_EQ(Form->BaseEdit->Text(), "bc");
}

TEST_F(Forms, AnExceptionFromAHandlerReachesTheDefaultErrorBox) {
  testkit::MessageBoxRecorder boxes;
  Form->Ok->OnClick = [](TObject*) { throw EInOutError("The device is not ready", 21); };
  Form->Show();
  testkit::Click(Form->Ok, 5, 5);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "The device is not ready.");
  EXPECT_EQ(boxes.Boxes[0].Caption, Application->Title());
  EXPECT_TRUE(boxes.Boxes[0].Flags & MB_ICONERROR);
  // The window goes on working.
  Form->Ok->OnClick = [this](TObject*) { ++Form->OkClicks; };
  testkit::Click(Form->Ok, 5, 5);
  EXPECT_EQ(Form->OkClicks, 1);
}

TEST(Application, QueuedCallsRunFromTheLoopInOrder) {
  std::vector<int> order;
  Application->QueueCall([&] { order.push_back(1); });
  Application->QueueCall([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  EXPECT_TRUE(testkit::PumpUntil([&] { return order.size() == 2; }));
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Timer, FiresFromTheLoopUntilDisabled) {
  TTimer timer(nullptr);
  timer.SetInterval(30);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 3) timer.SetEnabled(false);
  };
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_TRUE(testkit::PumpUntil([&] { return ticks >= 3; }, 3000));
  int seen = ticks;
  testkit::PumpUntil([] { return false; }, 200);
  EXPECT_EQ(ticks, seen);
}

TEST(Resources, FormsAndFontsLeakNoGdiObjects) {
  auto round = [] {
    auto* f = Application->CreateForm<TDerivedForm>();
    f->Font()->SetName("Arial");
    f->Font()->SetHeight(-13);
    f->Show();
    testkit::PumpPending();
    TComponent::Free(f);
    testkit::PumpPending();
  };
  EXPECT_LE(gfxtest::GdiObjectsLeftBy(round, 20), 2);
}

namespace {
BOOL CALLBACK FindVisibleTooltip(HWND w, LPARAM p) {
  char cls[64];
  GetClassNameA(w, cls, sizeof cls);
  if (_stricmp(cls, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleTooltip() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleTooltip, reinterpret_cast<LPARAM>(&found));
  return found;
}
}  // namespace

TEST_F(Forms, AHintShowsAsATooltipAfterThePauseAndGoesOnAPress) {
  int pause = Application->HintPause();
  Application->SetHintPause(20);
  auto* tip = new TPanel(Form);
  tip->SetParent(Form);
  tip->SetBounds(150, 10, 100, 40);
  tip->SetHint("Update Views");
  Form->Show();
  testkit::PumpUntil([] { return Application->Active(); }, 2000);
  testkit::MouseMove(tip, 10, 10);
  HWND shown = nullptr;
  EXPECT_TRUE(testkit::PumpUntil([&] { return (shown = VisibleTooltip()) != nullptr; }, 3000));
  if (shown) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    char buf[80] = "";
    ti.lpszText = buf;
    ti.hwnd = Application->UtilityWindow();
    ti.uId = 1;
    SendMessageA(shown, TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(buf, "Update Views");
  }
  testkit::MouseDown(tip, 10, 10);
  testkit::MouseUp(tip, 10, 10);
  EXPECT_TRUE(testkit::PumpUntil([] { return VisibleTooltip() == nullptr; }, 2000));
  Application->SetHintPause(pause);
}

// A control leaving the form while it holds the focus: the form must not
// keep it as the control to focus. Kept, a freed control's pointer was
// called at the next activation, into whatever object took its memory
// (under load a frame's new title strip: "asked to paint without a device
// context").
TEST_F(Forms, AControlThatLeavesIsNotFocusedAgain) {
  testkit::MessageBoxRecorder boxes;
  TForm* other = new TForm(nullptr);
  other->SetBounds(400, 50, 200, 100);
  Form->Show();
  other->Show();
  const struct {
    const char* what;
    std::function<void(TPanel*, TEdit*)> leave;
  } cases[] = {
      {"the control freed", [](TPanel*, TEdit* e) { TComponent::Free(e); }},
      {"its panel freed", [](TPanel* p, TEdit*) { TComponent::Free(p); }},
      {"moved to another form", [&](TPanel*, TEdit* e) { e->SetParent(other); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto* panel = new TPanel(Form);
    panel->SetBounds(150, 10, 120, 60);
    panel->SetParent(Form);
    auto* edit = new TEdit(Form);
    edit->SetBounds(5, 5, 100, 21);
    edit->SetParent(panel);
    SetForegroundWindow(Form->Handle());
    edit->SetFocus();
    testkit::PumpPending();
    ASSERT_EQ(Form->ActiveControl(), edit);
    c.leave(panel, edit);
    EXPECT_NE(Form->ActiveControl(), edit);
    // Away and back: the focus lands on a control the form still holds.
    SetForegroundWindow(other->Handle());
    testkit::PumpPending();
    SetForegroundWindow(Form->Handle());
    testkit::PumpPending();
    EXPECT_TRUE(IsChild(Form->Handle(), GetFocus()));
  }
  TComponent::Free(other);
  EXPECT_TRUE(boxes.Boxes.empty());

  // The same for what a control points at without owning it.
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  auto* target = new TEdit(Form);
  target->SetParent(Form);
  label->SetFocusControl(target);
  auto* menu = new TPopupMenu(Form);
  Form->BaseEdit->SetPopupMenu(menu);
  TComponent::Free(target);
  TComponent::Free(menu);
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(Form->BaseEdit->PopupMenu(), nullptr);
}
