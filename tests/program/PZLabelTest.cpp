#include "drawing/PZLabel.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace ctltest;

namespace {

struct Ink {
  int Count = 0;
  int Left = INT_MAX, Top = INT_MAX, Right = -1, Bottom = -1;  // inclusive
  int Width() const { return Right - Left + 1; }
  int Height() const { return Bottom - Top + 1; }
};

// Where pixels of the colour lie inside a rectangle of the picture.
Ink InkOf(const testkit::Image& img, unsigned rgb, const TRect& r) {
  Ink ink;
  for (int y = std::max(0, int(r.top)); y < std::min(img.Height, int(r.bottom)); ++y)
    for (int x = std::max(0, int(r.left)); x < std::min(img.Width, int(r.right)); ++x)
      if (img.At(x, y) == rgb) {
        ++ink.Count;
        ink.Left = std::min(ink.Left, x);
        ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y);
        ink.Bottom = std::max(ink.Bottom, y);
      }
  return ink;
}

TPZLabel* MakeLabel(TStage* stage, int l, int t, int w, int h, const std::string& caption) {
  auto* label = new TPZLabel(stage);
  label->SetBounds(l, t, w, h);
  label->Font()->SetName("Arial");
  label->Font()->SetHeight(-16);
  label->Font()->SetColor(clBlack);
  label->SetCaption(caption);
  label->SetParent(stage);
  return label;
}

}  // namespace

// Each line of the caption shows its switches: colours from the palette and
// back, bold wider than plain, an underline under the word; bold switched on
// in one line stays on in the next, and the next paint starts afresh.
TEST(PZLabel, PaintsStylesAndColoursOfTheMarkup) {
  auto stage = MakeStage(420, 200);
  TPZLabel* label = MakeLabel(stage.get(), 0, 0, 400, 200,
            "mmmm\\lb"                  // 0: plain black
            "\\Bmmmm\\lb"               // 1: bold
            "mmmm\\b\\lb"               // 2: still bold
            "\\Ummmm\\u\\lb"            // 3: underlined
            "\\cRedmmmm \\cnavymmmm\\cN mmmm\\lb"  // 4: red, navy, black
            "\\\\B\\lb");               // 5: a backslash and a B, plain
  Settle();
  const int row = label->Layout().LineHeight;
  ASSERT_GT(row, 10);
  testkit::Image img = PaintOffscreen(stage.get());
  auto line = [&](int i, int from = 0, int to = 400) { return TRect(from, i * row, to, i * row + row); };
  Ink plain = InkOf(img, 0x000000, line(0)), bold = InkOf(img, 0x000000, line(1));
  Ink stillBold = InkOf(img, 0x000000, line(2)), under = InkOf(img, 0x000000, line(3));
  ASSERT_GT(plain.Count, 20);
  EXPECT_GT(bold.Width(), plain.Width());
  EXPECT_GT(bold.Count, plain.Count);
  EXPECT_EQ(bold.Width(), stillBold.Width());
  EXPECT_EQ(bold.Count, stillBold.Count);
  // The underline: one row of ink as wide as the word, below the letters.
  EXPECT_GT(under.Bottom, plain.Bottom + 3 * row);
  int longest = 0;
  for (int y = under.Top; y <= under.Bottom; ++y) {
    int n = 0;
    for (int x = 0; x < 400; ++x) n += img.At(x, y) == 0;
    longest = std::max(longest, n);
  }
  EXPECT_GE(longest, plain.Width() - 1);

  Ink red = InkOf(img, 0xFF0000, line(4)), navy = InkOf(img, 0x000080, line(4));
  Ink black = InkOf(img, 0x000000, line(4));
  ASSERT_GT(red.Count, 20);
  ASSERT_GT(navy.Count, 20);
  ASSERT_GT(black.Count, 20);
  EXPECT_LT(red.Right, navy.Left);
  EXPECT_LT(navy.Right, black.Left);
  EXPECT_EQ(plain.Count, red.Count);  // the same plain "mmmm"

  Ink escaped = InkOf(img, 0x000000, line(5));
  EXPECT_GT(escaped.Count, 10);
  EXPECT_LT(escaped.Width(), plain.Width());

  // A second paint starts again from the label's own font.
  testkit::Image again = PaintOffscreen(stage.get());
  EXPECT_EQ(img.Pixels, again.Pixels);
  testkit::SavePng(img, testkit::ShotsFolder() + "PZLabel_markup.png");
}

// The block of lines goes where the alignments say; each line is aligned
// inside the block; a label narrower than any character still shows every
// word, one per line.
TEST(PZLabel, AlignsTheBlockAndWrapsTheWords) {
  auto stage = MakeStage(300, 200);
  stage->SetColor(clWhite);
  TPZLabel* label = MakeLabel(stage.get(), 10, 10, 200, 120, "mm mm mm mmmmmm");
  label->Font()->SetColor(clBlue);
  const TRect area(10, 10, 210, 130);
  const unsigned blue = 0x0000FF;
  struct Case {
    TPZHorzAlignment h;
    TPZVertAlignment v;
  } cases[] = {{haLeft, vaTop}, {haRight, vaBottom}, {haCenter, vaCenter}};
  for (const Case& c : cases) {
    label->SetHorzAlignment(c.h);
    label->SetVertAlignment(c.v);
    label->SetWidth(200);
    Settle();
    Ink ink = InkOf(PaintOffscreen(stage.get()), blue, area);
    ASSERT_GT(ink.Count, 0);
    MarkupLayout layout = label->Layout();
    ASSERT_EQ(1u, layout.Lines.size());
    const int gapLeft = ink.Left - 10, gapRight = 209 - ink.Right;
    const int gapTop = ink.Top - 10, gapBottom = 129 - ink.Bottom;
    if (c.h == haLeft) EXPECT_LE(gapLeft, 2);
    if (c.h == haRight) EXPECT_LE(gapRight, 2);
    if (c.h == haCenter) EXPECT_NEAR(gapLeft, gapRight, 3);
    if (c.v == vaTop) EXPECT_LE(gapTop, 6);
    if (c.v == vaBottom) EXPECT_LE(gapBottom, 6);
    if (c.v == vaCenter) EXPECT_NEAR(gapTop, gapBottom, 4);

    // Narrow: several lines; the first and the last are aligned alike
    // inside the block.
    label->SetWidth(45);
    Settle();
    layout = label->Layout();
    const int n = static_cast<int>(layout.Lines.size());
    ASSERT_GE(n, 3);
    testkit::Image img = PaintOffscreen(stage.get());
    const int h = layout.LineHeight;
    const int top = c.v == vaTop ? 10 : c.v == vaBottom ? 130 - n * h : 10 + 60 - (n * h) / 2;
    Ink first = InkOf(img, blue, TRect(10, top, 55, top + h));
    Ink last = InkOf(img, blue, TRect(10, top + (n - 1) * h, 55, top + n * h));
    ASSERT_GT(first.Count, 0);
    ASSERT_GT(last.Count, 0);
    if (c.h == haLeft) EXPECT_EQ(first.Left, last.Left);
    if (c.h == haRight) EXPECT_NEAR(first.Right, last.Right, 1);
    if (c.h == haCenter) EXPECT_NEAR(first.Left + first.Right, last.Left + last.Right, 2);
  }

  // Too narrow for any character: each word alone on its line.
  label->SetHorzAlignment(haLeft);
  label->SetVertAlignment(vaTop);
  label->SetBounds(10, 10, 5, 120);
  label->SetCaption("ab cd ef");
  EXPECT_EQ(3u, label->Layout().Lines.size());
  Settle();
  testkit::Image img = PaintOffscreen(stage.get());
  const int h = label->Layout().LineHeight;
  for (int i = 0; i < 3; ++i)
    EXPECT_GT(InkOf(img, blue, TRect(10, 10 + i * h, 15, 10 + (i + 1) * h)).Count, 0) << i;
}

// Transparent, the stage shows between the letters; opaque, the label's
// colour does; an empty caption paints only that.
TEST(PZLabel, TransparencyAndEmptyCaption) {
  auto stage = MakeStage(200, 60, true);
  TPZLabel* label = MakeLabel(stage.get(), 20, 10, 120, 30, "\\BM");
  Settle();
  testkit::Image img = PaintOffscreen(stage.get());
  EXPECT_EQ(GradientAt(130, 35), img.At(130, 35));
  EXPECT_GT(InkOf(img, 0, TRect(20, 10, 140, 40)).Count, 10);

  label->SetParentColor(false);
  label->SetColor(0x00E0F0);
  label->SetTransparent(false);
  Settle();
  img = PaintOffscreen(stage.get());
  EXPECT_EQ(0xF0E000u, img.At(130, 35));
  EXPECT_GT(InkOf(img, 0, TRect(20, 10, 140, 40)).Count, 10);

  label->SetCaption("");
  Settle();
  img = PaintOffscreen(stage.get());
  EXPECT_EQ(120 * 30, InkOf(img, 0xF0E000, TRect(20, 10, 140, 40)).Count);
}

// A setter repaints only on a real change.
TEST(PZLabel, SettersInvalidateOnlyOnChange) {
  auto stage = MakeStage(200, 60);
  TPZLabel* label = MakeLabel(stage.get(), 20, 10, 100, 30, "x");
  struct Case {
    const char* what;
    std::function<void()> change;
    bool repaints;
  } cases[] = {
      {"caption", [&] { label->SetCaption("y"); }, true},
      {"same caption", [&] { label->SetCaption("y"); }, false},
      {"horizontal", [&] { label->SetHorzAlignment(haCenter); }, true},
      {"same horizontal", [&] { label->SetHorzAlignment(haCenter); }, false},
      {"vertical", [&] { label->SetVertAlignment(vaBottom); }, true},
      {"same vertical", [&] { label->SetVertAlignment(vaBottom); }, false},
      {"opaque", [&] { label->SetTransparent(false); }, true},
      {"same opaque", [&] { label->SetTransparent(false); }, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.repaints, InvalidatesParent(label, c.change)) << c.what;
}

// Hostile sizes and captions paint and end.
TEST(PZLabel, HugeLabelsAndCaptionsPaint) {
  auto stage = MakeStage(200, 100);
  std::string big, huge;
  while (big.size() < (1u << 14)) big += "\\Bword\\b \\cRedx\\cN\r\n\\lb\x01\\";
  big += std::string(1 << 12, 'w');
  while (huge.size() < (1u << 20)) huge += big;
  struct Case {
    int w, h;
    const std::string* caption;
  } cases[] = {{0, 0, &big}, {30000, 30000, &big}, {1, 80, &big}, {100, 80, &huge}};
  for (const Case& c : cases) {
    TPZLabel* label = MakeLabel(stage.get(), 0, 0, c.w, c.h, *c.caption);
    Settle();
    testkit::Image img = PaintOffscreen(stage.get());
    EXPECT_EQ(200, img.Width);
    TComponent::Free(label);
  }
}
