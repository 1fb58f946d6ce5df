// Every secondary window of the program in each look, holding activation
// and not: the title shows what the look draws, and a screenshot of each
// goes to the shots folder to be looked at.
#include <gtest/gtest.h>

#include <functional>

#include "DialogsTestUtil.h"
#include "FrameTestUtil.h"
#include "dialogs/UBatch.h"
#include "dialogs/UDAttrib.h"
#include "dialogs/UDLng.h"
#include "dialogs/UHelp.h"

using namespace frametest;

namespace {

template <class T>
T* MakeForm() {
  auto* f = new T(Application);
  f->AfterConstruction();
  return f;
}

}  // namespace

TEST(FrameLooks, EverySecondaryWindowInEveryLook) {
  testkit::MessageBoxRecorder boxes;
  testkit::TempDir dir;
  dir.Write("manual.txt", "The manual.\r\n");
  dlgtest::ShotWithFaces faces;
  struct Window {
    const char* Name;
    std::function<TOberFormMetal*()> Make;
  } const windows[] = {
      {"batch", [] { return CreateBatchWindow(); }},
      {"viewer",
       [&] { return OpenViewer(dir / "manual.txt", false, "\\IOrv\\iQuillon -- Manual file"); }},
      {"attributes", [] { return MakeForm<TDAttribs>(); }},
      {"chooser", [] { return MakeForm<TDLng>(); }},
  };
  struct Variant {
    Look L;
    bool Regions, ButtonBitmaps;
    const char* Suffix;
  };
  std::vector<Variant> variants;
  for (const Look& l : kLooks) variants.push_back({l, true, true, ""});
  variants.push_back({kLooks[0], false, false, "-norgn-nobuttbmps"});

  // A window is topmost only while the activation flips it above the other
  // programs' windows, never afterwards, unless it is made to stay on top.
  auto topmost = [](TForm* f) {
    return (GetWindowLongA(f->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  for (const Variant& v : variants) {
    LookScope look(v.L, v.Regions, v.ButtonBitmaps);
    // The main window's kind: resizable, and the owner of the others.
    TTestFrame* main = MakeFrame(Design{});
    main->SetBounds(600, 450, 420, 300);
    for (const Window& w : windows) {
      TOberFormMetal* f = w.Make();
      // Owned by the main window's kind, right below it, as in the program
      // (the tests' own main form is a hidden plain form).
      SetWindowLongPtrW(f->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main->Handle()));
      f->SetPosition(poDesigned);
      f->SetLeft(40);
      f->SetTop(40);
      f->Show();
      testkit::PumpUntil([f] { return IsWindowVisible(f->Handle()) != FALSE; });
      for (bool active : {true, false}) {
        SetActive(f, main, active);
        ExpectTitleLook(f, v.L,
                        active, std::string("frame-") + w.Name + "-" + v.L.Name + v.Suffix +
                                    (active ? "-active" : "-inactive") + ".png");
        EXPECT_FALSE(topmost(f)) << w.Name << (active ? " active" : " inactive");
        EXPECT_FALSE(topmost(main)) << w.Name << (active ? " active" : " inactive");
      }
      TComponent::Free(f);
      testkit::PumpPending();
    }
    Design onTop;
    onTop.StayOnTop = true;
    TTestFrame* t = MakeFrame(onTop);
    for (bool active : {true, false}) {
      SetActive(t, main, active);
      EXPECT_TRUE(topmost(t)) << (active ? "stays on top, active" : "stays on top, inactive");
    }
    TComponent::Free(t);
    TComponent::Free(main);
    testkit::PumpPending();
  }
  EXPECT_TRUE(boxes.Boxes.empty());
}
