// The skinned frame, driven through real windows and real messages: title
// buttons per window kind, roll-up and maximise, closing, the dialog region,
// the activation delays, moving and resizing with their rules and minima,
// zoom, and the placement in the registry.
#include <gtest/gtest.h>

#include "FrameTestUtil.h"
#include "controls/TrsPanel.h"
#include "drawing/PZLabel.h"
#include "drawing/PZShaded.h"
#include "framework/ExtCtrls.h"
#include "framework/Registry.h"
#include "framework/WideText.h"

using namespace frametest;

namespace {

const std::string kFullKey = std::string("Software\\Orv-Software\\") + kFormKey;

struct Frame : ::testing::Test {
  bool SavedPosRestore = PosRestoreEnabled;
  LookScope Metal{kLooks[0]};
  testkit::MessageBoxRecorder Boxes;
  std::vector<TForm*> Made;

  void SetUp() override {
    TRegistry().DeleteKey(kFullKey);
    // The real pointer waits in a corner, away from the windows; the drags
    // below post their messages without moving it (see Post).
    SetCursorPos(Screen->Width() - 1, Screen->Height() - 1);
    testkit::PumpPending();
  }
  void TearDown() override {
    for (TForm* f : Made) TComponent::Free(f);
    testkit::PumpPending();
    PosRestoreEnabled = SavedPosRestore;
    TRegistry().DeleteKey(kFullKey);
    EXPECT_TRUE(Boxes.Boxes.empty());
  }
  TTestFrame* Make(const Design& d, bool show = true) {
    TTestFrame* f = MakeFrame(d, show);
    Made.push_back(f);
    return f;
  }
  void Close(TTestFrame* f) {
    Made.erase(std::find(Made.begin(), Made.end(), f));
    TComponent::Free(f);
  }
  void Store(std::initializer_list<std::pair<const char*, int>> values) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kFullKey, true));
    for (const auto& [name, v] : values) reg.WriteInteger(name, v);
  }
  static int Stored(const char* name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(kFullKey) || !reg.ValueExists(name)) return -99999;
    return reg.ReadInteger(name);
  }
  static void ClickOn(TControl* c) { testkit::Click(c, c->Width() / 2, c->Height() / 2); }
  // Mouse messages to a piece of the frame at a point in its coordinates,
  // without moving the real pointer: the moves the system reports for the
  // real pointer would add steps of their own to a drag.
  static void Post(TControl* piece, UINT msg, int x, int y, WPARAM keys) {
    testkit::PostMouseInPlace(piece, msg, x, y, keys);
  }
  static void Press(TControl* p, int x, int y) { Post(p, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  static void MoveTo(TControl* p, int x, int y) { Post(p, WM_MOUSEMOVE, x, y, MK_LBUTTON); }
  static void Release(TControl* p, int x, int y) { Post(p, WM_LBUTTONUP, x, y, 0); }
  static void Drag(TControl* piece, int x0, int y0, int x1, int y1) {
    Press(piece, x0, y0);
    MoveTo(piece, x1, y1);
    Release(piece, x1, y1);
  }
};

TBorderIcons AllIcons() { return biSystemMenu | biMinimize | biMaximize | biHelp; }

}  // namespace

TEST_F(Frame, TitleBarAndButtonsPerWindowKind) {
  struct Case {
    const char* Kind;
    TFormBorderStyle Style;
    TBorderIcons Icons;
    int HeadHeight;
    bool Down, Up, Big, SysImage, Resizable;
    int PanelXWidth;
  } const cases[] = {
      {"main window", bsSizeable, AllIcons(), 22, true, true, true, true, true, 64},
      {"no help icon", bsSizeable, biSystemMenu | biMinimize | biMaximize, 22, false, true, true,
       true, true, 48},
      {"fixed", bsSingle, biSystemMenu | biMinimize, 22, false, true, false, true, false, 32},
      {"dialog", bsDialog, AllIcons(), 18, false, false, false, true, false, 16},
      {"dialog without icons", bsDialog, 0, 18, false, false, false, false, false, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Kind);
    Design d;
    d.Style = c.Style;
    d.Icons = c.Icons;
    TTestFrame* f = Make(d);
    EXPECT_EQ(f->PanelHead->Height(), c.HeadHeight);
    EXPECT_EQ(f->WinDownButt->Visible(), c.Down);
    EXPECT_EQ(f->WinUpButt->Visible(), c.Up);
    EXPECT_EQ(f->WinBigButt->Visible(), c.Big);
    EXPECT_TRUE(f->WinXButt->Visible());
    EXPECT_FALSE(f->WinZoomButt->Visible());
    EXPECT_EQ(f->ImgSysM->Visible(), c.SysImage);
    EXPECT_EQ(f->MenMaximieren->Visible(), c.Big);
    EXPECT_EQ(f->MenMinimieren->Visible(), c.Up);
    EXPECT_EQ(f->IsResizableFrame(), c.Resizable);
    EXPECT_EQ(f->Tag() < 0, c.Resizable);
    EXPECT_EQ(f->ShapeU->Visible(), c.Resizable);
    EXPECT_EQ(f->IsDialogFrame(), c.Style == bsDialog);
    // Left to right: minimise, roll-up, maximise, close, flush with the
    // right edge inside the title bar's bevel (and the dialog's corner).
    EXPECT_EQ(f->PanelX->Width(), c.PanelXWidth);
    int x = 0;
    for (TPZSpeedButton* b : {f->WinDownButt, f->WinUpButt, f->WinBigButt, f->WinXButt}) {
      if (!b->Visible()) continue;
      EXPECT_EQ(b->Left(), x);
      x += 16;
    }
    const int corner = f->IsDialogFrame() ? f->RundRO->Width() : 0;
    EXPECT_EQ(f->PanelX->Left() + f->PanelX->Width(),
              f->PanelHead->ClientWidth() - f->PanelHead->BevelWidth() - corner);
    // The frame draws title and border: the system draws neither.
    EXPECT_FALSE(GetWindowLongA(f->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(f->LabelBl->Caption(), "\\IOrv\\iQuillon -- \\BTest\\b");
    EXPECT_EQ(f->LabelWh->Caption(), f->LabelBl->Caption());
    char text[100];
    GetWindowTextA(f->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "OrvQuillon -- Test");
  }
}

// Every kind of frame in every look: how creation changes the designed size
// (a window without border gains the title bar; fixed and dialog frames lose
// 4 pixels each way, except under the system's border), how the first show
// grows a window too short for its controls, and what the shaded look adds:
// its client colours, the caption a pixel lower, the title shadow on the
// control at the top of the client area, the drop shadow.
TEST_F(Frame, EveryKindInEveryLook) {
  struct Kind {
    const char* Name;
    TFormBorderStyle Style;
    int DWidth, DHeight;  // at creation, outside the Windows-border mode
    int Grown;            // the height after the first show of a design 40 high, in
                          // the metal and grey looks (the shaded look: 4 less, no bevel)
  } const kinds[] = {
      {"resizable", bsSizeable, 0, 0, 22 + 4 + 41},
      {"fixed", bsSingle, -4, -4, 22 + 4 + 41},
      {"dialog", bsDialog, -4, -4, 18 + 2 + 41},
      {"no border", bsNone, 0, 22, 22 + 4 + 41},
  };
  const BOOL savedShadow = [] {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &on, 0);
    return on;
  }();
  SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
  for (const Look& look : kLooks) {
    LookScope scope(look);
    for (const Kind& k : kinds) {
      SCOPED_TRACE(std::string(look.Name) + " " + k.Name);
      Design d;
      d.Style = k.Style;
      TTestFrame* f = Make(d, false);
      const bool system = look.WinBorder;
      EXPECT_EQ(f->Width(), 420 + (system ? 0 : k.DWidth));
      EXPECT_EQ(f->Height(), 300 + (system && k.Style != bsNone ? 0 : k.DHeight));
      Close(f);

      d.DesignHeight = 40;
      f = Make(d);
      // Under the system's border the title bar is the system's: the client
      // area alone holds the controls, whose lowest bottom is 41 (a window
      // without border, grown by the title bar it does not show, is tall
      // enough already).
      const int grown = system ? (k.Style == bsNone ? 62 : 41)
                        : look.Shaded ? k.Grown - (k.Style == bsDialog ? 2 : 4)
                                      : k.Grown;
      EXPECT_EQ(system ? f->ClientHeight() : f->Height(), grown);
      Close(f);

      d.DesignHeight = 300;
      d.TopPanel = true;
      f = Make(d);
      const bool dialog = k.Style == bsDialog;
      if (look.Shaded) {
        EXPECT_EQ(f->PanelClient->Color(), TColor(dialog ? 0xE0DDDD : 0xD2D2D2));
        EXPECT_EQ(f->LabelBl->Top(), 0);
        EXPECT_EQ(f->LabelWh->Top(), 1);
        // The title shadow lies on the top control, over it; without one it
        // stays in the client panel.
        EXPECT_EQ(f->ImgBorderN->Parent(), f->TopBar);
        EXPECT_TRUE(GetClassLongA(f->Handle(), GCL_STYLE) & CS_DROPSHADOW);
        BOOL on = FALSE;
        SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &on, 0);
        EXPECT_TRUE(on);
        SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
        Close(f);
        d.TopPanel = false;
        f = Make(d);
        EXPECT_EQ(f->ImgBorderN->Parent(), f->PanelClient);
      } else {
        EXPECT_EQ(f->LabelBl->Top(), -1);
        EXPECT_EQ(f->LabelWh->Top(), 0);
        EXPECT_FALSE(f->ImgBorderN->Visible());
      }
      Close(f);
    }
  }
  SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(INT_PTR(savedShadow)), 0);
}

TEST_F(Frame, WindowsBorderModeKeepsTheSystemFrame) {
  LookScope winBorder(kLooks[3]);
  Design d;
  d.Style = bsDialog;
  d.Grip = true;
  TTestFrame* f = Make(d);
  EXPECT_FALSE(f->PanelHead->Visible());
  EXPECT_TRUE(GetWindowLongA(f->Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(f->BorderIcons(), unsigned(biSystemMenu));
  EXPECT_FALSE(f->RoundRegion());
  EXPECT_EQ(f->Grip->PlusX(), 0);  // the designed margins stay
  char text[100];
  GetWindowTextA(f->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "OrvQuillon -- Test");

  TTestFrame* g = Make(Design{});
  EXPECT_FALSE(g->BorderIcons() & biHelp);
  EXPECT_FALSE(g->ShapeU->Visible());
  EXPECT_TRUE(g->IsResizableFrame());
}

TEST_F(Frame, RollUpAndMaximiseKeepTheirStatesApart) {
  Design d;
  d.MinWidth = 300;
  d.MinHeight = 250;
  TTestFrame* f = Make(d);
  const int height = f->Height();
  ClickOn(f->WinUpButt);
  EXPECT_TRUE(f->RolledUp());
  EXPECT_EQ(f->Height(), 22);
  EXPECT_EQ(f->Constraints().MinHeight, 0);
  EXPECT_TRUE(f->MenMinimieren->Checked());
  EXPECT_TRUE(SameGlyph(f->WinUpButt, Skin().RESTORE_M.get()));
  // A rolled-up window moves but does not resize.
  Drag(f->ShapeU, 0, 0, 0, 40);
  EXPECT_EQ(f->Height(), 22);
  f->MenMinimieren->Click();
  EXPECT_EQ(f->Height(), height);
  EXPECT_EQ(f->Constraints().MinHeight, 250);
  EXPECT_TRUE(SameGlyph(f->WinUpButt, Skin().UP_M.get()));

  // Maximising a rolled-up window unrolls it first.
  ClickOn(f->WinUpButt);
  ClickOn(f->WinBigButt);
  EXPECT_FALSE(f->RolledUp());
  EXPECT_EQ(f->WindowState(), wsMaximized);
  EXPECT_TRUE(SameGlyph(f->WinUpButt, Skin().UP_M.get()));
  EXPECT_TRUE(SameGlyph(f->WinBigButt, Skin().RESTORE_M.get()));
  EXPECT_TRUE(f->MenMaximieren->Checked());
  EXPECT_EQ(f->BoundsRect(), Screen->WorkAreaRect());
  // Maximised, the title bar neither moves the window nor sinks the caption.
  const TRect labelBl = f->LabelBl->BoundsRect();
  Press(f->LabelBl, 20, 5);
  MoveTo(f->LabelBl, 60, 25);
  EXPECT_EQ(f->LabelBl->BoundsRect(), labelBl);
  Release(f->LabelBl, 60, 25);
  EXPECT_EQ(f->BoundsRect(), Screen->WorkAreaRect());
  // Rolling a maximised window up restores it first; a double-click on the
  // title maximises and restores.
  ClickOn(f->WinUpButt);
  EXPECT_EQ(f->WindowState(), wsNormal);
  EXPECT_TRUE(f->RolledUp());
  testkit::DoubleClick(f->LabelBl, 20, 5);
  EXPECT_EQ(f->WindowState(), wsMaximized);
  testkit::DoubleClick(f->LabelBl, 20, 5);
  EXPECT_EQ(f->WindowState(), wsNormal);
  EXPECT_EQ(f->Height(), height);
  EXPECT_TRUE(SameGlyph(f->WinBigButt, Skin().BIG_M.get()));
}

TEST_F(Frame, CloseButtonEndsAModalDialogWithCancelAndClosesOtherWindows) {
  Design dialog;
  dialog.Style = bsDialog;
  TTestFrame* modal = Make(dialog, false);
  Application->QueueCall([modal] { ClickOn(modal->WinXButt); });
  EXPECT_EQ(modal->ShowModal(), mrCancel);

  // Not shown modally, a dialog closes like any window: it hides.
  TTestFrame* plain = Make(dialog);
  ClickOn(plain->WinXButt);
  EXPECT_FALSE(plain->Visible());

  // The close query may refuse; the German system menu closes too.
  TTestFrame* f = Make(Design{});
  bool allow = false;
  f->OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
  ClickOn(f->WinXButt);
  EXPECT_TRUE(f->Visible());
  allow = true;
  auto& hook = TPopupMenu::TrackHook();
  std::vector<std::string> captions;
  hook = [&](TPopupMenu* m) {
    for (int i = 0; i < m->Items()->Count(); ++i) captions.push_back(m->Items()->Items(i)->Caption());
    return f->MenSchlieen;
  };
  ClickOn(f->ImgSysM);
  hook = nullptr;
  EXPECT_EQ(captions, (std::vector<std::string>{"Mi&nimieren", "Ma&ximieren", "-",
                                                WideToAnsi(L"&Schlie\x00DF" L"en")}));
  EXPECT_FALSE(f->Visible());
}

TEST_F(Frame, DialogCornersAreRoundAndFollowTheSize) {
  Design d;
  d.Style = bsDialog;
  TTestFrame* f = Make(d);
  auto inside = [f](int x, int y) {
    GdiRegion r(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(f->Handle(), r.Get()) != ERROR && PtInRegion(r.Get(), x, y);
  };
  for (int round = 0; round < 2; ++round) {
    const int w = f->Width(), h = f->Height();
    SCOPED_TRACE(w);
    EXPECT_FALSE(inside(0, 0));
    EXPECT_FALSE(inside(w - 1, h - 1));
    EXPECT_FALSE(inside(w - 1, 0));
    EXPECT_TRUE(inside(5, 5));
    EXPECT_TRUE(inside(w / 2, 0));
    EXPECT_TRUE(inside(w - 1, h / 2));
    EXPECT_TRUE(inside(w - 6, h - 6));
    f->SetBounds(f->Left(), f->Top(), w + 60, h + 40);
  }
}

TEST_F(Frame, MetalTitleFollowsActivationAfterItsDelays) {
  TForm* other = Application->CreateForm<TForm>();
  Made.push_back(other);
  other->Show();
  TTestFrame* f = Make(Design{});
  SetActiveWindow(f->Handle());
  EXPECT_TRUE(f->IsActiveFrame());
  ASSERT_TRUE(testkit::PumpUntil([f] { return f->ActiveLookShown(); }));
  SetActiveWindow(other->Handle());
  EXPECT_FALSE(f->IsActiveFrame());
  EXPECT_TRUE(f->ActiveLookShown());  // the metal title waits 100 ms
  ASSERT_TRUE(testkit::PumpUntil([f] { return !f->ActiveLookShown(); }));
  SetActiveWindow(f->Handle());
  ASSERT_TRUE(testkit::PumpUntil([f] { return f->ActiveLookShown(); }));

  // Away and back within the delay: the inactive title never shows.
  const int inactive = f->InactiveLooks;
  SetActiveWindow(other->Handle());
  SetActiveWindow(f->Handle());
  ASSERT_TRUE(testkit::PumpUntil([f] {
    return !f->TimerActivateVerzoegerung->Enabled() && !f->TimerDeActivateVerzoegerung->Enabled();
  }));
  EXPECT_EQ(f->InactiveLooks, inactive);
  EXPECT_TRUE(f->ActiveLookShown());

  // A dialog shown over it dims it at once, and lights it when it closes.
  Design d;
  d.Style = bsDialog;
  TTestFrame* dialog = Make(d);
  EXPECT_FALSE(f->ActiveLookShown());
  ClickOn(dialog->WinXButt);
  EXPECT_TRUE(testkit::PumpUntil([f] { return f->ActiveLookShown(); }));
}

// Switching to another program and back is the application's activation:
// the window that held activation inside the program keeps it (no form
// events), and its title dims and lights at once through the application's
// events, as the main window binds them. Coming back to another window of
// the program moves the form's activation.
TEST_F(Frame, AnotherProgramTakesTheApplicationsActivationNotTheForms) {
  struct AppEvents {
    TNotifyEvent Activate = Application->OnActivate, Deactivate = Application->OnDeactivate;
    AppEvents() {
      Application->OnActivate = [](TObject*) { LightActiveFrame(); };
      Application->OnDeactivate = [](TObject*) { DimActiveFrame(); };
    }
    ~AppEvents() {
      Application->OnActivate = Activate;
      Application->OnDeactivate = Deactivate;
    }
  } events;
  TTestFrame* f = Make(Design{});
  TTestFrame* g = Make(Design{});
  SetForegroundWindow(f->Handle());
  ASSERT_TRUE(testkit::PumpUntil([f] { return f->IsActiveFrame() && f->ActiveLookShown(); }));
  const int activations = f->Activations, deactivations = f->Deactivations;

  testkit::TempDir dir;
  testkit::ChildProcess program;
  ASSERT_TRUE(program.Start("\"" + testkit::ExeFolder() + "oq_dropfiles.exe\" \"" +
                                (dir / "dropped.txt") + "\" 700 500 100 80",
                            dir.Path()));
  HWND away = nullptr;
  ASSERT_TRUE(testkit::PumpUntil([&] {
    away = FindWindowA(nullptr, "oq_dropfiles ready");
    return away != nullptr;
  }, 20000));
  // Away means the other window holds the foreground, not merely that this
  // program heard it lost it: the other program's activation may still be
  // under way, and would take the foreground back from a quick return.
  auto leaveTo = [&](HWND w) {
    SetForegroundWindow(w);
    return testkit::PumpUntil([w] { return !Application->Active() && GetForegroundWindow() == w; });
  };
  auto comeBackTo = [&](TForm* form) {
    SetForegroundWindow(form->Handle());
    return testkit::PumpUntil([] { return Application->Active(); });
  };

  ASSERT_TRUE(leaveTo(away));
  EXPECT_TRUE(f->IsActiveFrame());
  EXPECT_EQ(f->Deactivations, deactivations);
  EXPECT_FALSE(f->ActiveLookShown());  // at once, not after the timer
  EXPECT_FALSE(f->TimerDeActivateVerzoegerung->Enabled());
  ASSERT_TRUE(comeBackTo(f));
  EXPECT_EQ(f->Activations, activations);
  EXPECT_TRUE(f->ActiveLookShown());
  EXPECT_FALSE(f->TimerActivateVerzoegerung->Enabled());

  // Away, and back to the other window: the activation moved inside.
  ASSERT_TRUE(leaveTo(away));
  ASSERT_TRUE(comeBackTo(g));
  EXPECT_FALSE(f->IsActiveFrame());
  EXPECT_EQ(f->Deactivations, deactivations + 1);
  EXPECT_TRUE(g->IsActiveFrame());
  EXPECT_TRUE(testkit::PumpUntil([f, g] { return !f->ActiveLookShown() && g->ActiveLookShown(); }));
}

TEST_F(Frame, GreyTitleFollowsActivationAtOnce) {
  LookScope grey(kLooks[1]);
  TForm* other = Application->CreateForm<TForm>();
  Made.push_back(other);
  other->Show();
  TTestFrame* f = Make(Design{});
  ASSERT_NE(f->HeadShade, nullptr);
  SetActiveWindow(f->Handle());
  EXPECT_EQ(f->HeadShade->StartColor(), clBlue);
  EXPECT_EQ(f->LabelBl->Font()->Color(), clWhite);
  SetActiveWindow(other->Handle());
  EXPECT_EQ(f->HeadShade->StartColor(), clBlack);
  EXPECT_EQ(f->LabelBl->Font()->Color(), clSilver);
}

TEST_F(Frame, TitleBarMovesTheWindowAndSinksTheCaption) {
  TTestFrame* f = Make(Design{});
  const TRect start = f->BoundsRect(), wh = f->LabelWh->BoundsRect();
  Press(f->LabelBl, 20, 5);
  EXPECT_EQ(f->LabelBl->Left(), wh.left);
  EXPECT_EQ(f->LabelWh->Left(), wh.left + 1);
  EXPECT_FALSE(f->ShapeO->Visible());
  EXPECT_EQ(f->PanelHead->BevelOuter(), bvLowered);
  // The caption sank under the pointer: it now lies at (19, 4) in it, and
  // reporting that place does not move the window.
  MoveTo(f->LabelBl, 19, 4);
  EXPECT_EQ(f->BoundsRect(), start);
  MoveTo(f->LabelBl, 49, 24);
  EXPECT_EQ(f->BoundsRect(), Bounds(start.left + 30, start.top + 20, start.Width(),
                                    start.Height()));
  Release(f->LabelBl, 19, 4);
  EXPECT_EQ(f->LabelWh->BoundsRect(), wh);
  EXPECT_TRUE(f->ShapeO->Visible());
  EXPECT_EQ(f->PanelHead->BevelOuter(), bvRaised);
}

TEST_F(Frame, EdgesCornersAndGripResizeByTheirRules) {
  struct Case {
    const char* Piece;
    int Height;  // the window's height before the drag
    int MinWidth, MinHeight;
    int Dx, Dy;  // the pointer's way
    int DLeft, DTop, DWidth, DHeight;
  } const cases[] = {
      {"ShapeU", 300, 0, 0, 0, 20, 0, 0, 0, 20},
      {"ShapeU", 40, 0, 0, 0, -1, 0, 0, 0, 10},  // below the minimum: the next move sets it
      {"ShapeO", 300, 0, 0, 0, -30, 0, -30, 0, 30},
      {"ShapeO", 300, 0, 280, 0, 50, 0, 20, 0, -20},  // stopped by the constraint
      {"ShapeL", 300, 400, 0, 50, 0, 20, 0, -20, 0},  // stopped: no sliding
      {"ShapeR", 300, 0, 0, -25, 0, 0, 0, -25, 0},
      {"ImgEcke", 300, 0, 0, 30, 40, 0, 0, 30, 40},
      {"ShapeLUU", 300, 0, 0, 10, 15, 10, 0, -10, 15},  // the right edge stays
      {"ShapeROO", 300, 0, 0, 12, -8, 0, -8, 12, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Piece) + " " + std::to_string(c.Height));
    Design d;
    d.MinWidth = c.MinWidth;
    d.MinHeight = c.MinHeight;
    TTestFrame* f = Make(d);
    f->SetBounds(100, 100, 420, c.Height);
    auto* piece = dynamic_cast<TControl*>(f->FindComponent(c.Piece));
    ASSERT_NE(piece, nullptr);
    const TRect before = f->BoundsRect();
    // Strips take the pointer's place in them (pressed on their outer edge),
    // corners its way from where they were pressed.
    const std::string name = c.Piece;
    const TPoint press = name == "ShapeU" || name == "ShapeO"   ? TPoint(20, 0)
                         : name == "ShapeL" || name == "ShapeR" ? TPoint(0, 20)
                                                                : TPoint(1, 1);
    Drag(piece, press.x, press.y, press.x + c.Dx, press.y + c.Dy);
    const TRect after = f->BoundsRect();
    EXPECT_EQ(after.left - before.left, c.DLeft);
    EXPECT_EQ(after.top - before.top, c.DTop);
    EXPECT_EQ(after.Width() - before.Width(), c.DWidth);
    EXPECT_EQ(after.Height() - before.Height(), c.DHeight);
    // Laid out again: the grip in the inner corner of the strips, the
    // caption 5 pixels narrower than its area.
    EXPECT_EQ(f->ImgEcke->Left() + f->ImgEcke->Width(), f->ShapeR->Left());
    EXPECT_EQ(f->ImgEcke->Top() + f->ImgEcke->Height(), f->ShapeU->Top());
    EXPECT_EQ(f->LabelWh->Width(), f->PanelHeadShade->Width() - 5);
    EXPECT_FALSE(f->Dragging());
    Close(f);
  }
}

namespace {
// A mouse message at a point of the screen, routed as the system routes the
// real pointer's: to the window holding the capture, else to the window
// under the point, as a client message only where its hit test says client.
bool SystemMouse(UINT msg, POINT screen, WPARAM keys) {
  HWND w = GetCapture();
  if (!w) {
    w = WindowFromPoint(screen);
    if (!w || SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTCLIENT)
      return false;
  }
  POINT c = screen;
  ScreenToClient(w, &c);
  PostMessageA(w, msg, keys, MAKELPARAM(c.x, c.y));
  testkit::PumpPending();
  return true;
}
}  // namespace

// The visible border resizes to its outer pixel: the border line and the
// bevel in the metal and grey looks, the edge strips in the shaded one, along
// every edge and at every corner.
TEST_F(Frame, EveryEdgeResizesToItsOuterPixel) {
  struct Edge {
    const char* Name;
    int X, Y;    // from the window's left or, negative, from its right (-1 the last
                 // column); likewise from the top or the bottom
    int InX, InY;  // the way into the window, across the border
    int Dx, Dy;    // the drag, outward
  } const edges[] = {
      {"bottom", 200, -1, 0, -1, 0, 10},         {"top", 200, 0, 0, 1, 0, -10},
      {"left", 0, 150, 1, 0, -10, 0},            {"right", -1, 150, -1, 0, 10, 0},
      {"lower right, bottom", -9, -1, 0, -1, 10, 10}, {"lower right, right", -1, -9, -1, 0, 10, 10},
      {"lower left, bottom", 8, -1, 0, -1, -10, 10},  {"lower left, left", 0, -8, 1, 0, -10, 10},
      {"upper left, top", 8, 0, 0, 1, -10, -10},      {"upper left, left", 0, 8, 1, 0, -10, -10},
      {"upper right, top", -9, 0, 0, 1, 10, -10},     {"upper right, right", -1, 8, -1, 0, 10, -10},
  };
  for (const Look& look : kLooks) {
    if (look.WinBorder) continue;  // the system's border
    LookScope scope(look);
    // The border line and a bevel of two; the shaded look's strips alone.
    const int depth = look.Shaded ? 2 : 3;
    for (const Edge& e : edges) {
      for (int d = 0; d < depth; ++d) {
        SCOPED_TRACE(std::string(look.Name) + ", " + e.Name + ", " + std::to_string(d) +
                     " pixels in");
        TTestFrame* f = Make(Design{});
        f->SetBounds(100, 100, 420, 300);
        testkit::PumpPending();
        const TRect before = f->BoundsRect();
        POINT p{before.left + (e.X < 0 ? before.Width() + e.X : e.X) + e.InX * d,
                before.top + (e.Y < 0 ? before.Height() + e.Y : e.Y) + e.InY * d};
        ASSERT_TRUE(SystemMouse(WM_LBUTTONDOWN, p, MK_LBUTTON));
        EXPECT_TRUE(f->Dragging());
        SystemMouse(WM_MOUSEMOVE, POINT{p.x + e.Dx, p.y + e.Dy}, MK_LBUTTON);
        SystemMouse(WM_LBUTTONUP, POINT{p.x + e.Dx, p.y + e.Dy}, 0);
        EXPECT_FALSE(f->Dragging());
        const TRect after = f->BoundsRect();
        // The edge dragged moved outward by the drag, give or take where in
        // the border the pointer was (a strip takes the pointer's place in
        // it as the change); the others stayed.
        auto moved = [](int by, int way) {
          return way == 0 ? by == 0 : by * way >= 70 && by * way <= 130;
        };
        EXPECT_TRUE(moved(after.left - before.left, e.Dx < 0 ? -10 : 0)) << after.left;
        EXPECT_TRUE(moved(after.right - before.right, e.Dx > 0 ? 10 : 0)) << after.right;
        EXPECT_TRUE(moved(after.top - before.top, e.Dy < 0 ? -10 : 0)) << after.top;
        EXPECT_TRUE(moved(after.bottom - before.bottom, e.Dy > 0 ? 10 : 0)) << after.bottom;
        Close(f);
      }
    }
  }
}

TEST_F(Frame, ALostCaptureEndsTheDrag) {
  TTestFrame* f = Make(Design{});
  TForm* other = Application->CreateForm<TForm>();
  Made.push_back(other);
  other->Show();
  Press(f->ShapeU, 20, 0);
  EXPECT_TRUE(f->Dragging());
  // Another window takes the mouse before the release arrives.
  SetCapture(other->Handle());
  ReleaseCapture();
  EXPECT_FALSE(f->Dragging());
  const int h = f->Height();
  Drag(f->ShapeU, 20, 0, 20, 30);
  EXPECT_EQ(f->Height(), h + 30);

  Press(f->LabelBl, 10, 5);
  SetCapture(other->Handle());
  ReleaseCapture();
  EXPECT_FALSE(f->Dragging());
  EXPECT_TRUE(f->ShapeO->Visible());
  EXPECT_EQ(f->PanelHead->BevelOuter(), bvRaised);
}

// The shaded look lays the title's shadow onto the window's own top control,
// whose children go with it: a window that frees that control while it
// lives keeps no hold on the shadow, and resizes and activates as before.
TEST_F(Frame, TheTitleShadowGoesWithTheControlItLiesOn) {
  LookScope shaded{kLooks[2]};
  TTestFrame* f = Make(Design{}, false);
  auto* top = new TPanel(f);
  top->SetParent(f->PanelClient);
  top->SetAlign(alTop);
  top->SetHeight(30);
  f->Show();
  testkit::PumpUntil([f] { return IsWindowVisible(f->Handle()) != FALSE; });
  ASSERT_NE(f->ImgBorderN, nullptr);
  ASSERT_EQ(f->ImgBorderN->Parent(), top);
  TComponent::Free(top);
  EXPECT_EQ(f->ImgBorderN, nullptr);
  TForm* other = Application->CreateForm<TForm>();
  Made.push_back(other);
  other->Show();
  for (bool active : {true, false, true}) {
    SetActive(f, other, active);
    EXPECT_EQ(f->IsActiveFrame(), active);
  }
  f->SetBounds(f->Left(), f->Top(), f->Width() + 40, f->Height() + 30);
  testkit::PumpPending();
  EXPECT_EQ(f->ImgBorderW->Height(), f->PanelClient->Height() - 10);
}

TEST_F(Frame, ZoomScalesTheWindowItsControlsAndConstraints) {
  Design d;
  d.ZoomButton = true;
  d.MinWidth = 400;
  d.MinHeight = 200;
  TTestFrame* f = Make(d);
  f->SetBounds(50, 50, 450, 300);
  ClickOn(f->WinZoomButt);
  EXPECT_TRUE(f->Zoomed());
  EXPECT_TRUE(SameGlyph(f->WinZoomButt, Skin().ZOOMOUT_M.get()));
  EXPECT_EQ(f->Width(), 540);
  EXPECT_EQ(f->Height(), 360);
  EXPECT_EQ(f->Constraints().MinWidth, 480);
  EXPECT_EQ(f->Constraints().MinHeight, 240);
  EXPECT_EQ(f->Edit->Font()->Height(), -16);  // -13 x 1.2 = -15.6
  EXPECT_EQ(f->Edit->BoundsRect(), Bounds(9, 24, 120, 25));  // (8 - 1) x 1.2 + 1 = 9.4
  ClickOn(f->WinZoomButt);
  EXPECT_FALSE(f->Zoomed());
  EXPECT_EQ(f->Width(), 450);   // 540 x 0.833 = 449.8
  EXPECT_EQ(f->Height(), 300);  // 360 x 0.833 = 299.9
  EXPECT_EQ(f->Constraints().MinWidth, 400);
  EXPECT_EQ(f->Edit->Font()->Height(), -13);
}

TEST_F(Frame, PlacementRoundTripsThroughTheRegistry) {
  PosRestoreEnabled = true;
  // A resizable window keeps position and size (its border style is "none"
  // under the frame: its grip decides).
  TTestFrame* f = Make(Design{});
  f->SetBounds(60, 70, 480, 330);
  Close(f);
  EXPECT_EQ(Stored("Width"), 480);
  EXPECT_EQ(Stored("Zoomed"), -99999);
  f = Make(Design{}, false);
  EXPECT_EQ(f->BoundsRect(), Bounds(60, 70, 480, 330));
  EXPECT_EQ(f->Position(), poDesigned);

  // Closed rolled up, it comes back unrolled at its full height.
  f->Show();
  ClickOn(f->WinUpButt);
  Close(f);
  EXPECT_EQ(Stored("Height"), 330);
  f = Make(Design{});
  EXPECT_FALSE(f->RolledUp());
  EXPECT_EQ(f->Height(), 330);
  Close(f);

  // The zoom state comes along where the zoom button shows.
  Design zoom;
  zoom.ZoomButton = true;
  f = Make(zoom);
  ClickOn(f->WinZoomButt);
  const TRect zoomed = f->BoundsRect();
  Close(f);
  EXPECT_EQ(Stored("Zoomed"), 1);
  f = Make(zoom, false);
  EXPECT_TRUE(f->Zoomed());
  EXPECT_EQ(f->BoundsRect(), zoomed);
  Close(f);

  // A fixed window keeps only its position; its grip sizes it.
  TRegistry().DeleteKey(kFullKey);
  Design dialog;
  dialog.Style = bsDialog;
  dialog.Grip = true;
  f = Make(dialog);
  const TRect size = f->BoundsRect();
  f->SetBounds(80, 90, size.Width(), size.Height());
  Close(f);
  EXPECT_EQ(Stored("X"), 80);
  EXPECT_EQ(Stored("Width"), -99999);
  f = Make(dialog, false);
  EXPECT_EQ(f->BoundsRect(), Bounds(80, 90, size.Width(), size.Height()));
}

TEST_F(Frame, StoredPlacementsOffTheScreenOrDamagedAreIgnored) {
  PosRestoreEnabled = true;
  const TRect designed = Bounds(30, 40, 420, 300);
  struct Case {
    const char* What;
    int X, Y, Width, Height;
    bool Applied;
  } const cases[] = {
      {"3 pixels out", -3, 10, 400, 300, true},
      {"right edge 4 pixels beyond", Screen->Width() - 396, 10, 400, 300, false},
      {"negative size", 10, 10, -400, 300, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Store({{"X", c.X}, {"Y", c.Y}, {"Width", c.Width}, {"Height", c.Height}});
    TTestFrame* f = Make(Design{}, false);
    EXPECT_EQ(f->BoundsRect(), c.Applied ? Bounds(c.X, c.Y, c.Width, c.Height) : designed);
    f->OnDestroy = nullptr;  // keep the stored values for the next case
    Close(f);
  }
  // A value of another type, or a missing one, abandons the reading.
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kFullKey, true));
    reg.WriteString("X", "100");
  }
  TTestFrame* f = Make(Design{}, false);
  EXPECT_EQ(f->BoundsRect(), designed);
  f->OnDestroy = nullptr;
  Close(f);
  TRegistry().DeleteKey(kFullKey);
  Store({{"X", 50}, {"Y", 50}, {"Width", 400}});
  f = Make(Design{}, false);
  EXPECT_EQ(f->BoundsRect(), designed);

  // Without remembered positions nothing is read or written, although the
  // window knows its key.
  PosRestoreEnabled = false;
  Store({{"X", 100}, {"Y", 120}, {"Width", 500}, {"Height", 400}});
  TTestFrame* g = Make(Design{}, false);
  EXPECT_EQ(g->BoundsRect(), designed);
  EXPECT_EQ(g->FormKey(), kFormKey);
  g->SetBounds(10, 10, 450, 350);
  Close(g);
  EXPECT_EQ(Stored("X"), 100);
}
