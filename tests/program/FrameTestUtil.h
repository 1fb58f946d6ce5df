// Helpers for the tests of the skinned frame: the looks as the option words
// select them, with the skin the build draws, and a test window whose frame
// options (border style, border icons, tag, size grip, zoom button) each
// test chooses.
#pragma once

#include <string>
#include <vector>

#include "controls/EnterExitButton.h"
#include "controls/OrvRoundRectPanel.h"
#include "controls/TrsPanel.h"
#include "drawing/PZShaded.h"
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
  bool StayOnTop = false;
  int DesignHeight = 300;
  bool TopPanel = false;  // a panel aligned to the top of the client area
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
    SetBounds(30, 40, 420, D.DesignHeight);
    SetBorderStyle(D.Style);
    SetBorderIcons(D.Icons);
    SetTag(D.Tag);
    SetFormStyle(D.StayOnTop ? fsStayOnTop : fsNormal);
    Constraints().MinWidth = D.MinWidth;
    Constraints().MinHeight = D.MinHeight;
    Edit = Designed<TEdit>(this, "Edit");
    Edit->SetParent(this);
    Edit->SetBounds(8, 20, 100, 21);
    Edit->Font()->SetHeight(-13);
    if (D.TopPanel) {
      TopBar = Designed<TPanel>(this, "TopBar");
      TopBar->SetParent(this);
      TopBar->SetBounds(0, 0, 420, 30);
      TopBar->SetAlign(alTop);
    }
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
  void FormActivate(TObject* s) override {
    ++Activations;
    tOrvFormMetal::FormActivate(s);
  }
  void FormDeactivate(TObject* s) override {
    ++Deactivations;
    tOrvFormMetal::FormDeactivate(s);
  }
  int ContentBottom() const { return FContentBottom; }
  bool Dragging() const { return FrameDragging; }

  Design D;
  TEdit* Edit;
  TOrvWindowSizeHook* Grip = nullptr;
  TPanel* TopBar = nullptr;
  int InactiveLooks = 0;
  int Activations = 0, Deactivations = 0;
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

// A pixel of a picture as testkit::Image holds it (0x00RRGGBB).
inline unsigned PixelOf(TBitmap* b, int x, int y) {
  const COLORREF c = GetPixel(b->Canvas()->Handle(), x, y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Shows the window's title in the look as the window holds activation or
// not, saves a screenshot of it under the given name, and checks the title
// where neither caption nor button lies against what the look draws there.
inline void ExpectTitleLook(TOberFormMetal* f, const Look& look, bool active,
                            const std::string& shot) {
  SCOPED_TRACE(shot);
  RedrawWindow(f->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();
  const testkit::Image img = testkit::CaptureScreen(f->Handle());
  testkit::SavePng(img, testkit::ShotsFolder() + shot);
  if (look.WinBorder) {
    EXPECT_FALSE(f->PanelHead->Visible());
    return;
  }
  RECT wr;
  GetWindowRect(f->Handle(), &wr);
  const FrameSkin& skin = Skin();
  POINT p{}, title{};
  unsigned expected = 0;
  if (look.Shaded || look.Metal) {
    // Just left of the title buttons, half-way down the title bar.
    title = POINT{f->PanelX->Left() - 3, f->PanelHead->ClientHeight() / 2};
    p = title;
    ClientToScreen(f->PanelHead->Handle(), &p);
  }
  if (look.Shaded) {
    // The title picture, stretched over the title bar, is the same along x.
    TBitmap* pic = (active ? skin.TitleBarActive : skin.TitleBar).get();
    ASSERT_NE(pic, nullptr);
    expected = PixelOf(pic, 0, title.y);
  } else if (look.Metal) {
    // The texture tiles from the form's client corner, through the
    // see-through panels of the title.
    POINT fc = p;
    ScreenToClient(f->Handle(), &fc);
    TBitmap* tex = (active ? skin.MetalBlue : skin.Metal).get();
    ASSERT_NE(tex, nullptr);
    expected = PixelOf(tex, fc.x % tex->Width(), fc.y % tex->Height());
  } else {
    // The gradient's first band is its start colour.
    ASSERT_NE(f->HeadShade, nullptr);
    p = POINT{f->HeadShade->Left() + 1, f->HeadShade->Top() + 6};
    ClientToScreen(f->PanelHeadShade->Handle(), &p);
    expected = testkit::Rgb(active ? clBlue : clBlack);
  }
  EXPECT_EQ(img.At(p.x - wr.left, p.y - wr.top), expected);
}

// Activates the window, or the other one, and waits for the title's look.
inline void SetActive(TOberFormMetal* f, TForm* other, bool active) {
  SetActiveWindow((active ? static_cast<TForm*>(f) : other)->Handle());
  testkit::PumpUntil([f, active] {
    return f->IsActiveFrame() == active && !f->TimerActivateVerzoegerung->Enabled() &&
           !f->TimerDeActivateVerzoegerung->Enabled();
  });
}

}  // namespace frametest
