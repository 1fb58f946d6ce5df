// The frame as it stands: adoption of a window's controls into the client
// panel, the caption without markup, and the placement in the registry.
#include <gtest/gtest.h>

#include "frame/OrvWindowSizeHook.h"
#include "frame/UOberMetal.h"
#include "framework/Registry.h"
#include "framework/StdCtrls.h"
#include "testkit/TestKit.h"

namespace {

const char kKey[] = "OrvQuill\\Tests\\Placement";
const std::string kFullKey = std::string("Software\\Orv-Software\\") + kKey;

class TFramed : public tOrvFormMetal {
 public:
  explicit TFramed(TComponent* owner) : tOrvFormMetal(owner) {
    SetCaption("\\IOrv\\iQuillon -- \\BTest\\b");
    SetBounds(30, 40, 420, 300);
    Edit = Designed<TEdit>(this, "Edit");
    Edit->SetParent(this);
    Edit->SetBounds(8, 20, 100, 21);
    Label = Designed<TLabel>(this, "Label");
    Label->SetParent(this);
    Label->SetBounds(8, 200, 60, 30);
  }
  void FormCreate(TObject* s) override {
    tOrvFormMetal::FormCreate(s);
    RestorePlacement(kKey);
  }
  int ContentBottom() const { return FContentBottom; }
  TEdit* Edit;
  TLabel* Label;
};

class TFramedDialog : public TFramed {
 public:
  explicit TFramedDialog(TComponent* owner) : TFramed(owner) {
    SetBorderStyle(bsDialog);
    Grip = Designed<TOrvWindowSizeHook>(this, "Grip");
    Grip->SetParent(this);
    Grip->SetBounds(284, 150, 16, 16);
  }
  TOrvWindowSizeHook* Grip;
};

struct Frame : ::testing::Test {
  bool SavedSwitch = PosRestoreEnabled;
  void SetUp() override {
    TRegistry reg;
    reg.DeleteKey(kFullKey);
  }
  void TearDown() override {
    PosRestoreEnabled = SavedSwitch;
    TRegistry reg;
    reg.DeleteKey(kFullKey);
  }
  void Store(int x, int y, int w, int h) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kFullKey, true));
    reg.WriteInteger("X", x);
    reg.WriteInteger("Y", y);
    if (w >= 0) reg.WriteInteger("Width", w);
    if (h >= 0) reg.WriteInteger("Height", h);
  }
};

}  // namespace

TEST_F(Frame, AdoptsTheWindowsControlsAtTheirDesignedOffsets) {
  auto* f = Application->CreateForm<TFramed>();
  EXPECT_EQ(f->Edit->Parent(), f->PanelClient);
  EXPECT_EQ(f->Label->Parent(), f->PanelClient);
  EXPECT_EQ(f->Edit->BoundsRect(), Bounds(8, 20, 100, 21));
  EXPECT_EQ(f->ContentBottom(), 230);
  EXPECT_EQ(f->FormKey(), kKey);
  // The system draws the caption, so it shows without markup.
  EXPECT_EQ(f->Caption(), "OrvQuillon -- Test");
  TComponent::Free(f);
}

TEST_F(Frame, AGripSizesTheWindowAndNoContentBottomIsKept) {
  auto* f = Application->CreateForm<TFramedDialog>();
  EXPECT_EQ(f->ContentBottom(), 0);
  f->Show();
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 166);
  TComponent::Free(f);
}

TEST_F(Frame, WithoutRememberedPositionsNothingIsReadOrWritten) {
  PosRestoreEnabled = false;
  Store(100, 120, 500, 400);
  auto* f = Application->CreateForm<TFramed>();
  EXPECT_EQ(f->BoundsRect(), Bounds(30, 40, 420, 300));
  f->SetBounds(10, 10, 450, 350);
  TComponent::Free(f);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kFullKey));
  EXPECT_EQ(reg.ReadInteger("X"), 100);
}

TEST_F(Frame, APlacementIsStoredAndComesBack) {
  PosRestoreEnabled = true;
  auto* f = Application->CreateForm<TFramed>();
  f->SetBounds(60, 70, 480, 330);
  TComponent::Free(f);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kFullKey));
    EXPECT_EQ(reg.ReadInteger("X"), 60);
    EXPECT_EQ(reg.ReadInteger("Y"), 70);
    EXPECT_EQ(reg.ReadInteger("Width"), 480);
    EXPECT_EQ(reg.ReadInteger("Height"), 330);
  }
  auto* g = Application->CreateForm<TFramed>();
  EXPECT_EQ(g->BoundsRect(), Bounds(60, 70, 480, 330));
  EXPECT_EQ(g->Position(), poDesigned);
  TComponent::Free(g);
}

TEST_F(Frame, APlacementOffTheScreenOrIncompleteIsIgnored) {
  PosRestoreEnabled = true;
  Store(-4, 10, 400, 300);
  auto* f = Application->CreateForm<TFramed>();
  EXPECT_EQ(f->BoundsRect(), Bounds(30, 40, 420, 300));
  f->OnDestroy = nullptr;  // keep the stored values for the next case
  TComponent::Free(f);

  Store(-3, 10, 400, 300);
  f = Application->CreateForm<TFramed>();
  EXPECT_EQ(f->BoundsRect(), Bounds(-3, 10, 400, 300));
  f->OnDestroy = nullptr;
  TComponent::Free(f);

  TRegistry reg;
  reg.DeleteKey(kFullKey);
  Store(50, 50, 400, -1);  // no height
  f = Application->CreateForm<TFramed>();
  EXPECT_EQ(f->BoundsRect(), Bounds(30, 40, 420, 300));
  f->OnDestroy = nullptr;
  TComponent::Free(f);
}

TEST_F(Frame, AFixedWindowStoresOnlyItsPosition) {
  PosRestoreEnabled = true;
  auto* f = Application->CreateForm<TFramedDialog>();
  f->Show();
  f->SetBounds(80, 90, f->Width(), f->Height());
  TComponent::Free(f);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kFullKey));
  EXPECT_EQ(reg.ReadInteger("X"), 80);
  EXPECT_EQ(reg.ReadInteger("Y"), 90);
  EXPECT_FALSE(reg.ValueExists("Width"));
  EXPECT_FALSE(reg.ValueExists("Height"));
}
