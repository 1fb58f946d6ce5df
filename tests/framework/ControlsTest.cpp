// The framework's core: layout, windowless controls and their mouse, painting.
#include <gtest/gtest.h>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "testkit/FormFixture.h"
#include "testkit/TestKit.h"

namespace {

// A windowless control that paints a solid colour and counts what reaches it.
class TProbe : public TGraphicControl {
 public:
  explicit TProbe(TComponent* owner) : TGraphicControl(owner) {}
  TColor Fill = clRed;
  int Downs = 0, Ups = 0, Clicks = 0, Enters = 0, Leaves = 0, Moves = 0, DblClicks = 0;
  TPoint LastMove;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    ++Downs;
    TGraphicControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    ++Ups;
    TGraphicControl::MouseUp(b, s, x, y);
  }
  void MouseMove(TShiftState s, int x, int y) override {
    ++Moves;
    LastMove = TPoint(x, y);
    TGraphicControl::MouseMove(s, x, y);
  }
  void Click() override { ++Clicks; }
  void DblClick() override { ++DblClicks; }
  void MouseEnter() override { ++Enters; }
  void MouseLeave() override { ++Leaves; }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

class TPlainForm : public TForm {
 public:
  explicit TPlainForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(100, 100, 300, 200);
  }
};

using FormFixture = testkit::FormFixture<TPlainForm>;

COLORREF PixelOf(TWinControl* w, int x, int y) {
  // Paint the window into a bitmap and read it back.
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w->Width(), w->Height());
  HGDIOBJ old = SelectObject(mem, bmp);
  w->PaintTo(mem);
  COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace

using Layout = FormFixture;

TEST_F(Layout, AlignedControlsShareTheClientArea) {
  auto* top = new TPanel(Form);
  top->SetParent(Form);
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* bottom = new TPanel(Form);
  bottom->SetParent(Form);
  bottom->SetHeight(20);
  bottom->SetAlign(alBottom);
  auto* left = new TPanel(Form);
  left->SetParent(Form);
  left->SetWidth(50);
  left->SetAlign(alLeft);
  auto* client = new TPanel(Form);
  client->SetParent(Form);
  client->SetAlign(alClient);
  Form->Show();
  EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 300, 30));
  EXPECT_EQ(bottom->BoundsRect(), TRect(0, 180, 300, 200));
  EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 50, 180));
  EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 300, 180));
  Form->SetBounds(100, 100, 400, 300);
  EXPECT_EQ(bottom->BoundsRect(), TRect(0, 280, 400, 300));
  EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 400, 280));
  // The window agrees with the object.
  RECT r;
  GetWindowRect(client->Handle(), &r);
  MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(TRect(r), client->BoundsRect());
}

TEST_F(Layout, AnchorsKeepDistancesAndStretch) {
  auto* right = new TPanel(Form);
  right->SetParent(Form);
  right->SetBounds(250, 10, 40, 20);
  right->SetAnchors(akTop | akRight);
  auto* stretch = new TPanel(Form);
  stretch->SetParent(Form);
  stretch->SetBounds(10, 40, 280, 100);
  stretch->SetAnchors(akLeft | akTop | akRight | akBottom);
  auto* bottomLeft = new TProbe(Form);
  bottomLeft->SetParent(Form);
  bottomLeft->SetBounds(10, 170, 30, 20);
  bottomLeft->SetAnchors(akLeft | akBottom);
  Form->Show();
  Form->SetBounds(100, 100, 500, 260);
  EXPECT_EQ(right->BoundsRect(), TRect(450, 10, 490, 30));
  EXPECT_EQ(stretch->BoundsRect(), TRect(10, 40, 490, 200));
  EXPECT_EQ(bottomLeft->BoundsRect(), TRect(10, 230, 40, 250));
  Form->SetBounds(100, 100, 300, 200);
  EXPECT_EQ(right->BoundsRect(), TRect(250, 10, 290, 30));
  EXPECT_EQ(stretch->BoundsRect(), TRect(10, 40, 290, 140));
}

TEST_F(Layout, ConstraintsHoldForEverySizeChange) {
  Form->Constraints().MinWidth = 250;
  Form->Constraints().MinHeight = 150;
  Form->Show();
  Form->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(Form->Width(), 250);
  EXPECT_EQ(Form->Height(), 150);
  // A size change from the system (as when the user drags) is held too.
  SetWindowPos(Form->Handle(), nullptr, 0, 0, 120, 90, SWP_NOZORDER | SWP_NOMOVE);
  testkit::PumpPending();
  RECT r;
  GetWindowRect(Form->Handle(), &r);
  EXPECT_GE(r.right - r.left, 120);  // SetWindowPos itself is not limited by the track size
  Form->SetWidth(10);
  EXPECT_EQ(Form->Width(), 250);
}

TEST_F(Layout, ReparentingAWindowedControlMovesItsWindow) {
  auto* a = new TPanel(Form);
  a->SetParent(Form);
  a->SetBounds(0, 0, 100, 100);
  auto* b = new TPanel(Form);
  b->SetParent(Form);
  b->SetBounds(150, 0, 100, 100);
  auto* edit = new TEdit(Form);
  edit->SetParent(a);
  edit->SetBounds(5, 5, 80, 21);
  Form->Show();
  HWND h = edit->Handle();
  edit->SetParent(b);
  EXPECT_EQ(edit->Handle(), h);
  EXPECT_EQ(GetParent(h), b->Handle());
  EXPECT_EQ(a->ControlCount(), 0);
  EXPECT_EQ(b->Controls(0), edit);
}

using Windowless = FormFixture;

TEST_F(Windowless, ChildrenAreListedWindowlessFirst) {
  auto* w1 = new TPanel(Form);
  w1->SetParent(Form);
  auto* g1 = new TProbe(Form);
  g1->SetParent(Form);
  auto* w2 = new TEdit(Form);
  w2->SetParent(Form);
  auto* g2 = new TProbe(Form);
  g2->SetParent(Form);
  ASSERT_EQ(Form->ControlCount(), 4);
  EXPECT_EQ(Form->Controls(0), g1);
  EXPECT_EQ(Form->Controls(1), g2);
  EXPECT_EQ(Form->Controls(2), w1);
  EXPECT_EQ(Form->Controls(3), w2);
}

TEST_F(Windowless, PaintedByTheParentInZOrderAndClipped) {
  auto* under = new TProbe(Form);
  under->SetParent(Form);
  under->SetBounds(10, 10, 50, 50);
  under->Fill = clBlue;
  auto* over = new TProbe(Form);
  over->SetParent(Form);
  over->SetBounds(30, 30, 50, 50);
  over->Fill = clLime;
  Form->SetColor(clWhite);
  Form->Show();
  EXPECT_EQ(PixelOf(Form, 15, 15), ColorToRGB(clBlue));
  EXPECT_EQ(PixelOf(Form, 40, 40), ColorToRGB(clLime));  // the later one lies on top
  EXPECT_EQ(PixelOf(Form, 79, 79), ColorToRGB(clLime));
  EXPECT_EQ(PixelOf(Form, 81, 81), ColorToRGB(clWhite));  // clipped to its own rectangle
  EXPECT_EQ(PixelOf(Form, 5, 5), ColorToRGB(clWhite));
}

TEST_F(Windowless, MouseReachesTheControlWithCaptureClicksAndHover) {
  auto* p = new TProbe(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 60, 40);
  Form->Show();
  testkit::MouseMove(p, 5, 5);
  EXPECT_EQ(p->Enters, 1);
  EXPECT_EQ(p->LastMove, TPoint(5, 5));
  testkit::Click(p, 10, 10);
  EXPECT_EQ(p->Downs, 1);
  EXPECT_EQ(p->Ups, 1);
  EXPECT_EQ(p->Clicks, 1);

  // Pressed inside, released outside: no click, but the moves and the
  // release still come to the pressed control.
  testkit::MouseDown(p, 10, 10);
  testkit::MouseMove(p, 200, 100, MK_LBUTTON);
  EXPECT_EQ(p->LastMove, TPoint(200, 100));
  EXPECT_EQ(p->Leaves, 1);
  testkit::MouseUp(p, 200, 100);
  EXPECT_EQ(p->Ups, 2);
  EXPECT_EQ(p->Clicks, 1);

  // Back over the control, then away over the bare form.
  testkit::MouseMove(p, 10, 10);
  EXPECT_EQ(p->Enters, 2);
  testkit::MouseMove(Form, 250, 150);
  EXPECT_EQ(p->Leaves, 2);
}

TEST_F(Windowless, DisabledControlGetsNoClicks) {
  auto* p = new TProbe(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 60, 40);
  p->SetEnabled(false);
  int formClicks = 0;
  Form->OnClick = [&](TObject*) { ++formClicks; };
  Form->Show();
  testkit::Click(p, 10, 10);
  EXPECT_EQ(p->Downs, 0);
  EXPECT_EQ(p->Clicks, 0);
}

TEST_F(Windowless, DoubleClickIsReportedThenActsAsAPress) {
  auto* p = new TProbe(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 60, 40);
  Form->Show();
  testkit::DoubleClick(p, 10, 10);
  EXPECT_EQ(p->DblClicks, 1);
  EXPECT_EQ(p->Downs, 2);
}

TEST_F(Windowless, LostCaptureEndsTheDrag) {
  struct TDragProbe : TProbe {
    using TProbe::TProbe;
    int Lost = 0;
    void CaptureLost() override { ++Lost; }
  };
  auto* p = new TDragProbe(Form);
  p->SetParent(Form);
  p->SetBounds(20, 20, 60, 40);
  Form->Show();
  testkit::MouseDown(p, 10, 10);
  ASSERT_EQ(GetCapture(), Form->Handle());
  ReleaseCapture();
  testkit::PumpPending();
  EXPECT_EQ(p->Lost, 1);
  // Later moves are no longer the pressed control's.
  testkit::MouseMove(Form, 250, 150, MK_LBUTTON);
  EXPECT_NE(p->LastMove, TPoint(230, 130));
}

TEST_F(Windowless, AWindowOfAnotherInstanceIsNotTakenForOneOfOurs) {
  // The pointer under capture may rest on another instance's window
  // (WindowFromPoint): an object found for it would be an address in the
  // other process.
  const std::string caption = "Another instance " + std::to_string(GetCurrentProcessId());
  testkit::ChildProcess other;
  ASSERT_TRUE(other.Start("\"" + testkit::ExeFolder() + "oq_formwindow.exe\" \"" + caption + "\"",
                          testkit::ExeFolder()));
  HWND form = nullptr;
  ASSERT_TRUE(testkit::PumpUntil([&] {
    form = FindWindowA(nullptr, caption.c_str());
    return form && FindWindowExA(form, nullptr, nullptr, nullptr);
  }, 30000));
  HWND list = FindWindowExA(form, nullptr, nullptr, nullptr);
  EXPECT_EQ(TWinControl::FromHandle(form), nullptr);
  EXPECT_EQ(TWinControl::FromHandle(list), nullptr);
  EXPECT_EQ(TWinControl::FindControl(list), nullptr);
  EXPECT_EQ(TWinControl::FromHandle(Form->Handle()), Form);
  PostMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(other.WaitEnded(10000));
}
