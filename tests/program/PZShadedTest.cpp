#include "drawing/PZShaded.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace ctltest;

namespace {

TPZShaded* MakeShade(TStage* stage, int l, int t, int w, int h) {
  auto* s = new TPZShaded(stage);
  s->SetBounds(l, t, w, h);
  s->SetParent(stage);
  return s;
}

// The pixels the band arithmetic gives, as testkit::Image holds them.
struct Expected : ShadeSink {
  int W, H;
  std::vector<unsigned> Px;
  Expected(int w, int h) : W(w), H(h), Px(std::size_t(w) * h, 0xFFFFFFFF) {}
  void Fill(const ShadeBand& b) override {
    const unsigned rgb = ((b.Rgb & 0xFF) << 16) | (b.Rgb & 0xFF00) | ((b.Rgb >> 16) & 0xFF);
    for (int y = std::max(0, b.Top); y < std::min(H, b.Bottom); ++y)
      for (int x = std::max(0, b.Left); x < std::min(W, b.Right); ++x) Px[std::size_t(y) * W + x] = rgb;
  }
};

}  // namespace

// The frame's title strip, painted: the bands of the worked example.
TEST(PZShaded, PaintsTheTitleStripsBands) {
  auto stage = MakeStage(240, 40);
  TPZShaded* s = MakeShade(stage.get(), 10, 5, 193, 14);
  s->SetStartColor(clBlue);
  s->SetEndColor(clSilver);
  s->SetDirection(drHorizontal);
  Settle();
  testkit::Image img = PaintOffscreen(stage.get());
  struct Band {
    int k;
    unsigned rgb;
  } bands[] = {{0, 0x0000FF}, {1, 0x0404FD}, {24, 0x6060DF}, {47, 0xBCBCC1}, {48, 0xC0C0C0}};
  for (const Band& b : bands)
    for (int x = 4 * b.k; x < std::min(4 * b.k + 4, 193); ++x)
      for (int y : {0, 13}) EXPECT_EQ(b.rgb, img.At(10 + x, 5 + y)) << "band " << b.k << " x " << x;
  EXPECT_EQ(0xFFFFFFu, img.At(10 + 193, 10));  // clipped at the control's edge
}

// Every direction, at a size that is no multiple of the band, paints exactly
// what the band arithmetic gives; the caption is centred on top, its "&"
// shown as it stands.
TEST(PZShaded, PaintsEveryDirectionAndACentredCaption) {
  auto stage = MakeStage(200, 120);
  TPZShaded* s = MakeShade(stage.get(), 3, 7, 157, 83);
  s->SetStartColor(clYellow);
  s->SetEndColor(clPurple);
  s->SetGraduation(9);
  for (int dir = drVertical; dir <= drDiagonalRightLeft; ++dir) {
    s->SetDirection(TPZDirection(dir));
    Settle();
    testkit::Image img = PaintOffscreen(stage.get());
    Expected e(157, 83);
    ShadeBands(TPZDirection(dir), 157, 83, 9, ColorToRGB(clYellow), ColorToRGB(clPurple), e);
    int wrong = 0;
    for (int y = 0; y < 83; ++y)
      for (int x = 0; x < 157; ++x) wrong += img.At(3 + x, 7 + y) != e.Px[std::size_t(y) * 157 + x];
    EXPECT_EQ(0, wrong) << "direction " << dir;
  }

  s->SetStartColor(clBlack);
  s->SetEndColor(clBlack);
  s->Font()->SetName("Arial");
  s->Font()->SetHeight(-20);
  s->Font()->SetColor(clWhite);
  s->SetCaption("W&&W");
  Settle();
  testkit::Image img = PaintOffscreen(stage.get());
  int left = 999, right = -1, top = 999, bottom = -1;
  for (int y = 7; y < 90; ++y)
    for (int x = 3; x < 160; ++x)
      if (img.At(x, y) == 0xFFFFFF) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_LE(left, right);
  EXPECT_NEAR(3 + 157 / 2.0, (left + right + 1) / 2.0, 2.0);
  EXPECT_NEAR(7 + 83 / 2.0, (top + bottom + 1) / 2.0, 4.0);
  // "W&&W" is four glyphs wide, not three ("&&" would make one "&").
  EXPECT_GT(right - left, 3 * 14);
}

// A setter repaints only on a real change; a graduation above 100 is 100.
TEST(PZShaded, SettersInvalidateOnlyOnChange) {
  auto stage = MakeStage(120, 60);
  TPZShaded* s = MakeShade(stage.get(), 5, 5, 60, 30);
  struct Case {
    const char* what;
    std::function<void()> change;
    bool repaints;
  } cases[] = {
      {"start", [&] { s->SetStartColor(clRed); }, true},
      {"same start", [&] { s->SetStartColor(clRed); }, false},
      {"end", [&] { s->SetEndColor(clLime); }, true},
      {"same end", [&] { s->SetEndColor(clLime); }, false},
      {"graduation", [&] { s->SetGraduation(50); }, true},
      {"same graduation", [&] { s->SetGraduation(50); }, false},
      {"direction", [&] { s->SetDirection(drDiagonalLeftRight); }, true},
      {"same direction", [&] { s->SetDirection(drDiagonalLeftRight); }, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.repaints, InvalidatesParent(s, c.change)) << c.what;
  s->SetGraduation(250);
  EXPECT_EQ(100, s->Graduation());
}
