// Windows that free themselves when closed, closed twice by another program
// before the loop comes round: each is freed once and the program goes on.
#include <gtest/gtest.h>

#include <functional>

#include "DialogsTestUtil.h"
#include "dialogs/UBatch.h"
#include "dialogs/UHelp.h"
#include "dialogs/UHintWin.h"

using namespace dlgtest;

namespace {
// Counts how often the watched component is freed.
struct FreeCounter : TComponent {
  FreeCounter() : TComponent(nullptr) {}
  TComponent* Watched = nullptr;
  int Frees = 0;
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == Watched) ++Frees;
  }
};
}  // namespace

TEST(SecondClose, AWindowThatFreesItselfIsFreedOnce) {
  testkit::TempDir dir;
  dir.Write("plain.txt", "text");
  const std::string plain = dir / "plain.txt";
  struct Case {
    const char* name;
    std::function<TForm*()> make;
  } cases[] = {
      {"viewer", [&] { return static_cast<TForm*>(OpenViewer(plain, false, "plain")); }},
      {"batch window",
       [] {
         TDBatch* b = CreateBatchWindow();
         b->Show();
         return static_cast<TForm*>(b);
       }},
      {"hint window", [] { return static_cast<TForm*>(ShowHintAt("hint", TPoint(40, 40))); }},
  };
  for (const Case& c : cases) {
    TForm* form = c.make();
    ASSERT_NE(form, nullptr) << c.name;
    const HWND wnd = form->Handle();
    FreeCounter counter;
    counter.Watched = form;
    form->FreeNotification(&counter);
    ASSERT_TRUE(testkit::PostFromAnotherProgram(wnd, WM_CLOSE, 0, 0, 2)) << c.name;
    EXPECT_TRUE(testkit::PumpUntil([&] { return !IsWindow(wnd) && !Alive(form); })) << c.name;
    testkit::PumpPending();
    EXPECT_EQ(counter.Frees, 1) << c.name;
  }
}
