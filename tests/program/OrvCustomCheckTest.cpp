#include "controls/OrvCustomCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "controls/CheckResources.h"

using namespace ctltest;

namespace {

constexpr unsigned kRed = 0xFF0000, kGray = 0x808080, kSilver = 0xC0C0C0, kWhite = 0xFFFFFF;

struct Desk {
  StagePtr Stage;
  int Clicks = 0;
  int StateChanges = 0;
  explicit Desk(bool gradient = false) : Stage(MakeStage(400, 200, gradient)) {
    Stage->SetColor(0x00E0F0FF);  // a warm white, unlike any image colour
  }
  TOrvCheck* Add(int l, int t, const std::string& caption = "Check", int w = 97) {
    auto* c = new TOrvCheck(Stage.get());
    c->SetBounds(l, t, w, 19);
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-11);
    c->SetCaption(caption);
    c->SetParent(Stage.get());
    c->OnClick = [this](TObject*) { ++Clicks; };
    c->OnStateChange = [this](TObject*) { ++StateChanges; };
    return c;
  }
};

int Count(const testkit::Image& img, unsigned colour, int x0 = 0, int x1 = 1 << 30) {
  int n = 0;
  for (int y = 0; y < img.Height; ++y)
    for (int x = x0; x < img.Width && x < x1; ++x) n += img.At(x, y) == colour;
  return n;
}

// Records what the click sound would have played, and the state then.
struct SoundRecorder {
  std::vector<std::vector<std::uint8_t>> Played;
  std::vector<TCheckBoxState> StatesWhenPlayed;
  TOrvCustomCheck* Watched = nullptr;
  WavePlayer Previous;
  SoundRecorder() {
    Previous = SetWavePlayer([this](const void* wave, DWORD size) {
      auto* p = static_cast<const std::uint8_t*>(wave);
      Played.emplace_back(p, p + size);
      if (Watched) StatesWhenPlayed.push_back(Watched->State());
      return false;  // no sound device, like the machine the tests run on
    });
  }
  ~SoundRecorder() { SetWavePlayer(std::move(Previous)); }
};

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at) {
  std::uint16_t v;
  std::memcpy(&v, b.data() + at, 2);
  return v;
}

}  // namespace

// A mouse click toggles and fires OnClick (not OnMouseDown); space toggles
// without OnClick; Enter fires OnClick without toggling.
TEST(OrvCheck, ClickSpaceAndEnter) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10);
  int mouseDowns = 0;
  c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseDowns; };

  testkit::Click(c, 8, 9);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(1, desk.Clicks);
  EXPECT_EQ(1, desk.StateChanges);
  EXPECT_EQ(0, mouseDowns);
  EXPECT_TRUE(c->Focused());

  testkit::PressKey(c->Handle(), VK_SPACE);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(1, desk.Clicks);

  testkit::PressKey(c->Handle(), VK_RETURN);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(2, desk.Clicks);

  // A right click does nothing.
  PostMessageA(c->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 9));
  PostMessageA(c->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(8, 9));
  testkit::PumpPending();
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(2, desk.Clicks);

  // Disabled: the system sends it no input, and a press that arrives anyway
  // does not toggle. The program may still toggle it.
  c->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(c->Handle()));
  c->Toggle();
  EXPECT_TRUE(c->Checked());
  testkit::MouseDown(c, 8, 9);
  EXPECT_TRUE(c->Checked());
  testkit::MouseUp(c, 8, 9);
}

// Without AllowGrayed clicks alternate and grayed cannot be set; with it the
// cycle is unchecked, checked, grayed.
TEST(OrvCheck, AllowGrayedCycle) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10);
  c->SetState(cbGrayed);
  EXPECT_EQ(cbUnchecked, c->State());
  EXPECT_EQ(0, desk.StateChanges);

  c->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 4; ++i) {
    testkit::Click(c, 8, 9);
    seen.push_back(c->State());
  }
  EXPECT_EQ((std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbUnchecked, cbChecked}), seen);
  EXPECT_EQ(4, desk.StateChanges);

  c->SetState(cbGrayed);
  EXPECT_FALSE(c->Checked());
  c->SetChecked(false);  // from grayed: no change
  EXPECT_EQ(cbGrayed, c->State());
  c->SetAllowGrayed(false);  // leaves grayed for unchecked
  EXPECT_EQ(cbUnchecked, c->State());
}

// Radio buttons of group 2 on the same owner exclude each other; group 0
// and other groups are left alone; a checked radio button stays checked.
TEST(OrvCheck, RadioGroupsExcludeEachOther) {
  Desk desk;
  TOrvCheck* a = desk.Add(10, 10, "A");
  TOrvCheck* b = desk.Add(10, 30, "B");
  TOrvCheck* other = desk.Add(10, 50, "Other group");
  TOrvCheck* zero1 = desk.Add(10, 70, "Zero 1");
  TOrvCheck* zero2 = desk.Add(10, 90, "Zero 2");
  TOrvCheck* plain = desk.Add(10, 110, "Plain");
  for (TOrvCheck* c : {a, b, other, zero1, zero2}) {
    c->SetAllowGrayed(true);
    c->SetIsRadioButton(true);
    EXPECT_EQ(igCirce, c->ImageType());
    EXPECT_FALSE(c->AllowGrayed());
  }
  a->SetRadioGroup(2);
  b->SetRadioGroup(2);
  other->SetRadioGroup(3);

  other->SetChecked(true);
  plain->SetChecked(true);
  testkit::Click(a, 8, 9);
  EXPECT_TRUE(a->Checked());
  testkit::Click(b, 8, 9);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_TRUE(plain->Checked());
  testkit::Click(b, 8, 9);  // checked radio: stays
  EXPECT_TRUE(b->Checked());

  zero1->SetChecked(true);
  zero2->SetChecked(true);
  EXPECT_TRUE(zero1->Checked());
  EXPECT_TRUE(zero2->Checked());
  EXPECT_TRUE(b->Checked());
}

// Pictures: the flat box with the red tick; the grey tick on silver when
// grayed, or the red question mark; a disabled box shows no mark and an
// embossed caption.
TEST(OrvCheck, MarksAndDisabledPicture) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10, "Hidden");
  c->Font()->SetHeight(-13);
  c->Font()->SetStyle(fsBold);
  c->Font()->SetColor(clBlack);
  const int boxEnd = 18;  // the image spans x = 2 .. 17
  testkit::Image off = PaintOffscreen(c);
  EXPECT_EQ(kGray, off.At(2 + 1, 1 + 7));    // flat box border
  EXPECT_EQ(kWhite, off.At(2 + 7, 1 + 7));   // its white inside
  EXPECT_EQ(0, Count(off, kRed, 0, boxEnd));
  EXPECT_GT(Count(off, 0x000000, boxEnd), 20);  // the caption

  c->SetChecked(true);
  testkit::Image on = PaintOffscreen(c);
  EXPECT_GT(Count(on, kRed, 0, boxEnd), 10);

  c->SetAllowGrayed(true);
  c->SetState(cbGrayed);
  testkit::Image gray = PaintOffscreen(c);
  EXPECT_EQ(0, Count(gray, kRed, 0, boxEnd));
  EXPECT_GT(Count(gray, kSilver, 0, boxEnd), 20);
  c->SetGrayedQuestionMark(true);
  testkit::Image qm = PaintOffscreen(c);
  EXPECT_GT(Count(qm, kRed, 0, boxEnd), 10);
  EXPECT_EQ(0, Count(qm, kSilver, 0, boxEnd));

  c->SetState(cbChecked);
  c->SetEnabled(false);
  testkit::Image dis = PaintOffscreen(c);
  EXPECT_EQ(0, Count(dis, kRed, 0, boxEnd));
  EXPECT_EQ(0, Count(dis, kWhite, 0, boxEnd));  // the inside is see-through
  EXPECT_EQ(kGray, dis.At(2 + 1, 1 + 7));
  EXPECT_GT(Count(dis, Rgb(clBtnShadow), boxEnd), 20);
  EXPECT_GT(Count(dis, Rgb(clBtnHighlight), boxEnd), 10);
  EXPECT_EQ(0, Count(dis, 0x000000, boxEnd));

  // A disabled radio button shows its round box only, no square around it.
  c->SetIsRadioButton(true);
  testkit::Image radio = PaintOffscreen(c);
  EXPECT_NE(kGray, radio.At(2 + 1, 1 + 1));  // the square's corner
  testkit::SaveWindowShot(desk.Stage->Handle(), testkit::ShotsFolder() + "OrvCheck_states.png");
}

// With taLeftJustify the image sits at the right edge: x = 97 - 18 = 79.
TEST(OrvCheck, LeftJustifyPutsBoxAtRightEdge) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10, "Left");
  EXPECT_EQ(kGray, PaintOffscreen(c).At(2 + 1, 1 + 7));
  c->SetAlignment(taLeftJustify);
  testkit::Image img = PaintOffscreen(c);
  EXPECT_EQ(kGray, img.At(79 + 1, 1 + 7));
  EXPECT_EQ(kWhite, img.At(79 + 7, 1 + 7));
  EXPECT_NE(kGray, img.At(2 + 1, 1 + 7));
  EXPECT_EQ(2, c->TextRect().left);
}

// A transparent box shows the parent's picture behind its caption and
// through the transparent parts of its images.
TEST(OrvCheck, TransparentShowsParentPicture) {
  Desk desk(true);
  TOrvCheck* c = desk.Add(40, 30, "Seen through", 150);
  c->SetTransparent(true);
  Settle();
  testkit::Image img = PaintOffscreen(c);
  auto parent = [&](int x, int y) { return GradientAt(40 + x, 30 + y); };
  EXPECT_EQ(parent(0, 0), img.At(0, 0));         // beside the box
  EXPECT_EQ(parent(2, 1), img.At(2, 1));         // the image's magenta corner
  EXPECT_EQ(parent(149, 18), img.At(149, 18));   // right of the caption
  EXPECT_EQ(kWhite, img.At(2 + 7, 1 + 7));       // the box's white inside
  testkit::Image screen = testkit::CaptureScreen(c->Handle());
  EXPECT_EQ(parent(0, 0), screen.At(0, 0));
  EXPECT_EQ(parent(149, 18), screen.At(149, 18));

  c->SetTransparent(false);
  testkit::Image opaque = PaintOffscreen(c);
  EXPECT_EQ(0xFFF0E0u, opaque.At(0, 0));  // the stage's colour, inherited
}

// The click sound: the "klik" wave resource, handed over after the state
// change, only when PlayMusic is on.
TEST(OrvCheck, ClickSoundPlaysTheKlikWave) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10);
  SoundRecorder sound;
  sound.Watched = c;
  testkit::Click(c, 8, 9);
  EXPECT_TRUE(sound.Played.empty());

  c->SetPlayMusic(true);
  testkit::Click(c, 8, 9);
  ASSERT_EQ(1u, sound.Played.size());
  EXPECT_EQ(cbUnchecked, sound.StatesWhenPlayed[0]);
  const std::vector<std::uint8_t>& w = sound.Played[0];
  ASSERT_GE(w.size(), 44u);
  EXPECT_EQ(0, std::memcmp(w.data(), "RIFF", 4));
  EXPECT_EQ(w.size() - 8, U32(w, 4));
  EXPECT_EQ(0, std::memcmp(w.data() + 8, "WAVEfmt ", 8));
  EXPECT_EQ(1, U16(w, 20));       // PCM
  EXPECT_EQ(1, U16(w, 22));       // mono
  EXPECT_EQ(22050u, U32(w, 24));  // samples per second
  EXPECT_EQ(16, U16(w, 34));      // bits per sample
  EXPECT_EQ(0, std::memcmp(w.data() + 36, "data", 4));
  const double seconds = U32(w, 40) / (22050.0 * 2);
  EXPECT_NEAR(0.057, seconds, 0.005);

  testkit::PressKey(c->Handle(), VK_SPACE);
  EXPECT_EQ(2u, sound.Played.size());
  testkit::PressKey(c->Handle(), VK_RETURN);  // a click without a toggle: silent
  EXPECT_EQ(2u, sound.Played.size());
}

// The caption's "&" letter toggles the box as the form's accelerator.
TEST(OrvCheck, AcceleratorToggles) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10, "E&xecute");
  HostForm()->DialogChar('x');
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(0, desk.Clicks);
  HostForm()->DialogChar('e');
  EXPECT_TRUE(c->Checked());
  // A typed letter reaches the form's accelerators from a focused control.
  TOrvCheck* other = desk.Add(10, 40, "Other");
  other->SetFocus();
  PostMessageA(other->Handle(), WM_CHAR, 'x', 1);
  testkit::PumpPending();
  EXPECT_FALSE(c->Checked());
  c->SetEnabled(false);
  HostForm()->DialogChar('x');
  EXPECT_FALSE(c->Checked());
}

// Hot tracking and the hand cursor follow the pointer; the enter and exit
// events fire.
TEST(OrvCheck, HotTrackingAndHandCursor) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10, "Hot", 120);
  c->Font()->SetHeight(-13);
  c->Font()->SetStyle(fsBold);
  c->SetHotTrack(true);
  c->SetShowHandCursor(true);
  int enters = 0, exits = 0;
  c->OnMouseEnter = [&](TObject*) { ++enters; };
  c->OnMouseExit = [&](TObject*) { ++exits; };
  testkit::MouseMove(desk.Stage.get(), 300, 150);

  testkit::MouseMove(c, 40, 9);
  EXPECT_TRUE(c->Hot());
  EXPECT_EQ(1, enters);
  ASSERT_NE(nullptr, HandCursor());
  EXPECT_EQ(HandCursor(), Screen->Cursors(1));
  EXPECT_EQ(1, c->Cursor());
  testkit::Image hot = PaintOffscreen(c);
  EXPECT_GT(Count(hot, 0x0000FF, 18), 20);  // blue caption
  EXPECT_NE(nullptr, TPCustomCheck::HotPatternIfMade());

  testkit::MouseMove(desk.Stage.get(), 300, 150);
  EXPECT_FALSE(c->Hot());
  EXPECT_EQ(1, exits);
  EXPECT_EQ(crDefault, c->Cursor());
  EXPECT_EQ(0, Count(PaintOffscreen(c), 0x0000FF, 18));

  // Any check box going away frees the shared pattern.
  delete new TOrvCheck(nullptr);
  EXPECT_EQ(nullptr, TPCustomCheck::HotPatternIfMade());
}

TEST(OrvCheck, FocusRectangleAndFrames) {
  Desk desk;
  TOrvCheck* c = desk.Add(10, 10, "Focus");
  TOrvCheck* elsewhere = desk.Add(10, 40, "Else");
  elsewhere->SetFocus();
  testkit::Image plain = PaintOffscreen(c);
  c->SetFocus();
  testkit::Image focused = PaintOffscreen(c);
  TRect t = c->TextRect();
  int changed = 0;
  for (int x = t.left - 1; x < t.right; ++x) changed += plain.At(x, t.top - 1) != focused.At(x, t.top - 1);
  EXPECT_GT(changed, 5);  // the dotted line above the caption
  c->SetShowFocused(false);
  EXPECT_EQ(plain.Pixels, PaintOffscreen(c).Pixels);

  c->SetStyle(bmSimple);
  testkit::Image simple = PaintOffscreen(c);
  EXPECT_EQ(0x0000FFu, simple.At(0, 0));
  EXPECT_EQ(0x0000FFu, simple.At(96, 18));
  EXPECT_EQ(TRect(1, 1, 96, 18), c->BoxRect());
  c->SetStyle(bmLowered);
  testkit::Image lowered = PaintOffscreen(c);
  EXPECT_EQ(Rgb(clBtnShadow), lowered.At(0, 5));
  EXPECT_EQ(Rgb(clBtnHighlight), lowered.At(96, 5));
}

// The base level alone: a single on/off value flipped by a left press and by
// the accelerator, which also clicks, takes the focus and is handled.
TEST(OrvCheck, BaseLevelFlipsItsOwnValue) {
  Desk desk;
  auto* c = new TPCustomCheck(desk.Stage.get());
  c->SetBounds(10, 10, 97, 19);
  c->SetCaption("&Base");
  c->SetParent(desk.Stage.get());
  int clicks = 0;
  c->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(igCrossRed, c->ImageType());
  EXPECT_FALSE(c->Flat());
  EXPECT_TRUE(c->PlayMusic());
  EXPECT_TRUE(c->HotTrack());
  EXPECT_TRUE(c->ShowHandCursor());
  EXPECT_EQ(0, Count(PaintOffscreen(c), kRed, 0, 18));

  testkit::Click(c, 8, 9);
  EXPECT_GT(Count(PaintOffscreen(c), kRed, 0, 18), 10);  // the red cross
  EXPECT_EQ(1, clicks);

  EXPECT_TRUE(HostForm()->DialogChar('b'));
  EXPECT_EQ(0, Count(PaintOffscreen(c), kRed, 0, 18));
  EXPECT_EQ(2, clicks);
  EXPECT_TRUE(c->Focused());
}
