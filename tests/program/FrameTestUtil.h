// Helpers for the tests of the skinned frame: the looks as the option words
// select them, with the skin the build draws, and a test window whose frame
// options (border style, border icons, tag, size grip, zoom button) each
// test chooses.
#pragma once

#include <string>
#include <vector>

#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "drawing/PZSpButt.h"
#include "frame/OrvWindowSizeHook.h"
#include "frame/UOberMetal.h"
#include "framework/StdCtrls.h"
#include "testkit/TestKit.h"

namespace frametest {

// The skin the build draws (build/art/Skins), as the program loads its own.
inline void LoadBuildSkin() { LoadFrameSkin(testkit::ExeFolder() + "art\\"); }

struct Look {
  const char* Name;
  bool Metal;      // the metal bitmaps stay (no NOMETAL)
  bool Shaded;     // SHADED
  bool WinBorder;  // WINBORDER
};
inline const Look kLooks[] = {
    {"metal", true, false, false},
    {"grey", false, false, false},
    {"shaded", false, true, false},
    {"winborder", true, false, true},
};

// Sets the look switches as the start-up does for the look's option words,
// on a freshly loaded skin; the default look (metal, switches off) comes
// back at the end of the scope.
class LookScope {
 public:
  explicit LookScope(const Look& look, bool regions = true, bool buttonBitmaps = true) {
    LoadBuildSkin();
    ShadedMode = WinBorderMode = false;
    if (!look.Metal) FreeMetalBitmaps();
    if (look.Shaded) SelectShadedLook();
    if (look.WinBorder) SelectWinBorder();
    TOrvRoundRectPanel::SetRegionsEnabled(regions);
    TOrvNewButton::SetRegionsEnabled(regions);
    TOrvNewButton::SetBitmapsEnabled(buttonBitmaps);
  }
  ~LookScope() {
    ShadedMode = WinBorderMode = false;
    LoadBuildSkin();
    TOrvRoundRectPanel::SetRegionsEnabled(true);
    TOrvNewButton::SetRegionsEnabled(true);
    TOrvNewButton::SetBitmapsEnabled(true);
  }
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;
};

// What a test window is designed with.
struct Design {
  TFormBorderStyle Style = bsSizeable;
  TBorderIcons Icons = biSystemMenu | biMinimize | biMaximize | biHelp;
  int Tag = 0;
  bool Grip = false;
  bool ZoomButton = false;
  int MinWidth = 0, MinHeight = 0;
};
inline const char kFormKey[] = "OrvQuill\\Tests\\Frame";
inline Design& NextDesign() {
  static Design d;
  return d;
}

class TTestFrame : public tOrvFormMetal {
 public:
  explicit TTestFrame(TComponent* owner) : tOrvFormMetal(owner), D(NextDesign()) {
    SetCaption("\\IOrv\\iQuillon -- \\BTest\\b");
    SetBounds(30, 40, 420, 300);
    SetBorderStyle(D.Style);
    SetBorderIcons(D.Icons);
    SetTag(D.Tag);
    Constraints().MinWidth = D.MinWidth;
    Constraints().MinHeight = D.MinHeight;
    Edit = Designed<TEdit>(this, "Edit");
    Edit->SetParent(this);
    Edit->SetBounds(8, 20, 100, 21);
    Edit->Font()->SetHeight(-13);
    if (D.Grip) {
      Grip = Designed<TOrvWindowSizeHook>(this, "Grip");
      Grip->SetParent(this);
      Grip->SetBounds(284, 150, 16, 16);
    }
  }
  void FormCreate(TObject* s) override {
    tOrvFormMetal::FormCreate(s);
    if (D.ZoomButton) {
      WinZoomButt->SetVisible(true);
      LayoutTitleButtons();
    }
    RestorePlacement(kFormKey);
  }
  void ShowInactiveLook() override {
    ++InactiveLooks;
    tOrvFormMetal::ShowInactiveLook();
  }
  int ContentBottom() const { return FContentBottom; }
  bool Dragging() const { return FrameDragging; }

  Design D;
  TEdit* Edit;
  TOrvWindowSizeHook* Grip = nullptr;
  int InactiveLooks = 0;
};

// Makes (and shows, unless told not to) a test window of the given design.
inline TTestFrame* MakeFrame(const Design& d, bool show = true) {
  NextDesign() = d;
  auto* f = Application->CreateForm<TTestFrame>();
  if (show) {
    f->Show();
    testkit::PumpUntil([f] { return IsWindowVisible(f->Handle()) != FALSE; });
  }
  return f;
}

// The picture a title button shows, to compare with a skin glyph.
inline bool SameGlyph(TPZSpeedButton* b, const TBitmap* glyph) {
  return glyph && b->Glyph()->SaveToStream() == glyph->SaveToStream();
}

}  // namespace frametest
