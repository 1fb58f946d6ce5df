#include "frame/OrvWindowSizeHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "framework/ExtCtrls.h"

using namespace ctltest;

namespace {

// A hidden form as the program designs them: components are built while the
// form is loading; it has a window but is not shown.
Owned<TForm> MakeForm(int clientW, int clientH) {
  Owned<TForm> f(new TForm(Application));
  f->AfterConstruction();
  f->SetBorderStyle(bsSingle);
  f->SetClientSize(clientW, clientH);
  f->HandleNeeded();
  return f;
}

TOrvWindowSizeHook* MakeGrip(TComponent* owner, TWinControl* parent, int l, int t) {
  auto* g = new TOrvWindowSizeHook(owner);
  g->SetBounds(l, t, 16, 16);
  g->SetParent(parent);
  return g;
}

TPanel* MakePanel(TComponent* owner, TWinControl* parent, int l, int t, int w, int h) {
  auto* p = new TPanel(owner);
  p->SetBounds(l, t, w, h);
  p->SetParent(parent);
  return p;
}

}  // namespace

// A grip directly on the form, with the figures of the main window's design:
// lower-right corner at (571, 447), PlusX and PlusY 3 give 574 x 450. The
// notifications come before and after the sizing.
TEST(OrvWindowSizeHook, GripOnFormSizesClientAreaToCornerPlusMargins) {
  auto f = MakeForm(300, 200);
  TOrvWindowSizeHook* g = MakeGrip(f.get(), f.get(), 555, 431);
  g->SetPlusX(3);
  g->SetPlusY(3);
  std::vector<std::string> log;
  g->BeforeApply = [&](TObject* s) {
    EXPECT_EQ(g, s);
    log.push_back("before " + std::to_string(f->ClientWidth()));
  };
  g->AfterApply = [&](TObject* s) {
    EXPECT_EQ(g, s);
    log.push_back("after " + std::to_string(f->ClientWidth()));
  };
  EXPECT_TRUE(ApplySizeHooks(f.get()));
  EXPECT_EQ(574, f->ClientWidth());
  EXPECT_EQ(450, f->ClientHeight());
  RECT rc;
  GetClientRect(f->Handle(), &rc);
  EXPECT_EQ(574, rc.right);
  EXPECT_EQ(450, rc.bottom);
  EXPECT_EQ((std::vector<std::string>{"before 300", "after 574"}), log);
}

// In a frame window the grip lies in a panel on the form; the panel's place
// counts. One panel deeper, nothing happens.
TEST(OrvWindowSizeHook, GripInPanelSizesFormNestedTwoDeepDoesNothing) {
  auto f = MakeForm(300, 200);
  TPanel* outer = MakePanel(f.get(), f.get(), 20, 30, 250, 150);
  TOrvWindowSizeHook* g = MakeGrip(f.get(), outer, 50, 40);
  g->SetPlusX(1);
  g->SetPlusY(2);
  EXPECT_TRUE(ApplySizeHooks(f.get()));
  EXPECT_EQ(20 + 50 + 16 + 1, f->ClientWidth());
  EXPECT_EQ(30 + 40 + 16 + 2, f->ClientHeight());

  auto f2 = MakeForm(300, 200);
  TPanel* p1 = MakePanel(f2.get(), f2.get(), 10, 10, 250, 150);
  TPanel* p2 = MakePanel(f2.get(), p1, 10, 10, 200, 100);
  TOrvWindowSizeHook* deep = MakeGrip(f2.get(), p2, 20, 20);
  int before = 0;
  deep->BeforeApply = [&](TObject*) { ++before; };
  deep->Apply();
  EXPECT_EQ(0, before);
  EXPECT_EQ(300, f2->ClientWidth());
  EXPECT_EQ(200, f2->ClientHeight());
}

// Setting Active on a second grip clears the first one's flag without
// applying the first; with a visible parent the second is applied at once.
TEST(OrvWindowSizeHook, ActiveIsExclusivePerOwner) {
  auto f = MakeForm(300, 200);
  TPanel* holder = MakePanel(f.get(), f.get(), 0, 0, 300, 200);  // visible
  TOrvWindowSizeHook* first = MakeGrip(f.get(), holder, 100, 100);
  TOrvWindowSizeHook* second = MakeGrip(f.get(), holder, 150, 60);
  int firstApplied = 0, secondApplied = 0;
  first->BeforeApply = [&](TObject*) { ++firstApplied; };
  second->BeforeApply = [&](TObject*) { ++secondApplied; };
  EXPECT_TRUE(first->Active());
  EXPECT_TRUE(second->Active());  // both by construction

  second->SetActive(true);
  EXPECT_FALSE(first->Active());
  EXPECT_TRUE(second->Active());
  EXPECT_EQ(0, firstApplied);
  EXPECT_EQ(1, secondApplied);
  EXPECT_EQ(166, f->ClientWidth());
  EXPECT_EQ(76, f->ClientHeight());

  // The form now applies the second grip, the first in owner order is skipped.
  f->SetClientSize(400, 300);
  EXPECT_TRUE(ApplySizeHooks(f.get()));
  EXPECT_EQ(0, firstApplied);
  EXPECT_EQ(166, f->ClientWidth());

  // A grip of another owner is left alone.
  TOrvWindowSizeHook stranger(nullptr);
  stranger.SetActive(true);
  EXPECT_TRUE(second->Active());
}

TEST(OrvWindowSizeHook, FormWithoutActiveGripIsNotSized) {
  auto f = MakeForm(300, 200);
  TOrvWindowSizeHook* g = MakeGrip(f.get(), f.get(), 10, 10);
  g->SetActive(false);
  EXPECT_FALSE(ApplySizeHooks(f.get()));
  EXPECT_EQ(300, f->ClientWidth());
  EXPECT_EQ(200, f->ClientHeight());

  auto empty = MakeForm(250, 150);
  EXPECT_FALSE(ApplySizeHooks(empty.get()));
  EXPECT_EQ(250, empty->ClientWidth());
}
