// Every drawing piece on one form with the program's metal skin, the way
// the frame assembles them, photographed for a look by eye. The checks
// cover what only shows when the pieces meet: the caption and its
// under-copy over the gradient on the textured title bar.
#include <gtest/gtest.h>

#include "ControlsTestUtil.h"
#include "drawing/PZBPanel.h"
#include "drawing/PZLabel.h"
#include "drawing/PZShaded.h"

using namespace ctltest;

namespace {

std::unique_ptr<TBitmap> Skin(const char* name) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromFile(testkit::ExeFolder() + "art\\Skins\\Metal\\" + name);
  return b;
}

TPZLabel* Label(TComponent* owner, TWinControl* parent, const TRect& r, const std::string& caption,
                int height = -13, TColor colour = clBlack, TFontStyles style = 0) {
  auto* l = new TPZLabel(owner);
  l->SetBounds(r.left, r.top, r.Width(), r.Height());
  l->Font()->SetName("Arial");
  l->Font()->SetHeight(height);
  l->Font()->SetColor(colour);
  l->Font()->SetStyle(style);
  l->SetCaption(caption);
  l->SetParent(parent);
  return l;
}

TPZBitmapPanel* Panel(TComponent* owner, TWinControl* parent, const TRect& r, const TBitmap* picture) {
  auto* p = new TPZBitmapPanel(owner);
  p->SetBounds(r.left, r.top, r.Width(), r.Height());
  p->SetParent(parent);
  if (picture) p->Background()->SetBitmap(picture);
  p->Font()->SetName("Arial");
  p->Font()->SetHeight(-12);
  p->Font()->SetStyle(fsBold);
  return p;
}

class TShowcase : public TForm {
 public:
  explicit TShowcase(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 620, 430);
    auto metal = Skin("brushedmetal.bmp"), blue = Skin("brushedmetalblue.bmp");
    auto light = Skin("brushedmetallight.bmp");

    Head = Panel(this, this, TRect(0, 0, 620, 22), blue.get());
    Head->SetAlign(alTop);
    Client = Panel(this, this, TRect(0, 22, 620, 408), metal.get());
    Client->SetAlign(alClient);
    for (TPZBitmapPanel* p : {Head, Client}) {
      p->SetBevelWidth(2);
      p->SetColor(clSilver);
      p->SetCtl3D(false);
      p->SetBorderStyle(bsSingle);
    }
    Shade = new TPZShaded(this);
    Shade->SetBounds(20, 3, 193, 14);
    Shade->SetStartColor(clBlue);
    Shade->SetEndColor(clSilver);
    Shade->SetDirection(drHorizontal);
    Shade->SetParent(Head);
    const std::string title = "\\IOrv\\iQuillon -- \\BDrawing\\b showcase";
    Under = Label(this, Head, TRect(25, 2, 400, 17), title, -13, clWhite, fsBold);
    Over = Label(this, Head, TRect(24, 1, 400, 16), title, -13, clNavy, fsBold);

    const TPZDirection dirs[] = {drVertical, drHorizontal, drVerticalInOut, drHorizontalInOut,
                                 drDiagonalLeftRight, drDiagonalRightLeft};
    const char* names[] = {"Vertical", "Horizontal", "V in-out", "H in-out", "Diagonal \\", "Diagonal /"};
    for (int i = 0; i < 6; ++i) {
      auto* s = new TPZShaded(this);
      s->SetBounds(10 + i * 100, 10, 92, 60);
      s->SetStartColor(i % 2 ? clNavy : clMaroon);
      s->SetEndColor(i % 2 ? clAqua : clYellow);
      s->SetGraduation(i < 4 ? 25 : 10);
      s->SetDirection(dirs[i]);
      s->Font()->SetName("Arial");
      s->Font()->SetHeight(-11);
      s->Font()->SetColor(clWhite);
      s->SetCaption(names[i]);
      s->SetParent(Client);
    }

    Label(this, Client, TRect(10, 80, 300, 200),
          "Plain, \\Bbold\\b, \\Iitalic\\i, \\Uunderlined\\u, \\B\\I\\Uall three\\N.\\lb"
          "\\cMaroonMaroon \\cGreenGreen \\cOliveOlive \\cNavyNavy \\cPurplePurple \\cTealTeal "
          "\\cGrayGray \\cSilverSilver \\cRedRed \\cLimeLime \\cYellowYellow \\cBlueBlue "
          "\\cFuchsiaFuchsia \\cAquaAqua \\cLtGrayLtGray \\cDkGrayDkGray \\cWhiteWhite\\cN.\\lb"
          "A \\Bbold\\b word that wraps, and Averyveryverylongwordthatbreaksinside.\\lb"
          "An escaped \\\\B stays text: C:\\\\BUILD\\\\NEW.",
          -13);

    const TPZHorzAlignment hs[] = {haLeft, haCenter, haRight};
    const TPZVertAlignment vs[] = {vaTop, vaCenter, vaBottom};
    for (int v = 0; v < 3; ++v)
      for (int h = 0; h < 3; ++h) {
        TPZLabel* l = Label(this, Client, TRect(320 + h * 96, 80 + v * 42, 412 + h * 96, 118 + v * 42),
                            "\\Btwo\\b\\lblines", -11);
        l->SetTransparent(false);
        l->SetParentColor(false);
        l->SetColor(0xF0F8FF);
        l->SetHorzAlignment(hs[h]);
        l->SetVertAlignment(vs[v]);
      }

    TPZBitmapPanel* carved = Panel(this, Client, TRect(10, 215, 190, 305), light.get());
    carved->SetBevelWidth(3);
    carved->SetBevelOuter(bvLowered);
    carved->SetBevelInner(bvRaised);
    carved->SetBorderWidth(4);
    carved->SetCaption("Carved, 8 bits");

    // A picture with see-through holes (its bottom-left colour), and one
    // with colours that the 140 % bevel clips.
    Holes = std::make_unique<TBitmap>();
    Holes->SetPixelFormat(pf24bit);
    Holes->SetSize(24, 24);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        Holes->Canvas()->SetPixel(x, y, (x / 6 + y / 6) % 2 ? TColor(0xFF00FF)
                                                            : TColor(RGB(0xF0 - 4 * x, 0x60 + 4 * y, 0x20)));
    TPZBitmapPanel* holes = Panel(this, Client, TRect(200, 215, 380, 305), Holes.get());
    holes->SetColor(0x60C060);
    holes->SetBevelWidth(2);
    holes->Background()->SetTransparent(true);
    holes->SetCaption("Transparent");

    TPZBitmapPanel* centred = Panel(this, Client, TRect(390, 215, 600, 305), Holes.get());
    centred->SetColor(0xE0E0E0);
    centred->Background()->SetStyle(bsCentered);
    centred->SetBevelOuter(bvLowered);
    centred->SetAlignment(taLeftJustify);
    centred->SetCaption(" Centred");

    TPZBitmapPanel* plain = Panel(this, Client, TRect(10, 315, 600, 395), nullptr);
    plain->SetBevelWidth(2);
    plain->SetCaption("No picture: the system's plain panel colours");
  }
  TPZBitmapPanel *Head, *Client;
  TPZShaded* Shade;
  TPZLabel *Under, *Over;
  std::unique_ptr<TBitmap> Holes;
};

struct Ink {
  int Count = 0, Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
};
Ink InkOf(const testkit::Image& img, unsigned rgb, int x0, int y0, int x1, int y1) {
  Ink ink;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (img.At(x, y) == rgb) {
        ++ink.Count;
        ink.Left = std::min(ink.Left, x), ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y), ink.Bottom = std::max(ink.Bottom, y);
      }
  return ink;
}

}  // namespace

TEST(DrawingShowcase, EveryPieceTogether) {
  std::unique_ptr<TShowcase, ComponentDeleter> f(Application->CreateForm<TShowcase>());
  f->Show();
  SetForegroundWindow(f->Handle());
  ASSERT_TRUE(testkit::PumpUntil([&] { return IsWindowVisible(f->Handle()) != FALSE; }));
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::PumpPending();

  // The caption over its under-copy, one pixel right and down, both over the
  // gradient: the under-copy shows where the caption does not paint.
  testkit::Image head = testkit::CaptureScreen(f->Head->Handle());
  const int top = 1, bottom = head.Height - 1;
  Ink navy = InkOf(head, 0x000080, 0, top, head.Width, bottom);
  Ink white = InkOf(head, 0xFFFFFF, 0, top, head.Width, bottom);
  ASSERT_GT(navy.Count, 100);
  ASSERT_GT(white.Count, 30);
  EXPECT_EQ(navy.Right + 1, white.Right);
  EXPECT_EQ(navy.Bottom + 1, white.Bottom);
  // The gradient's first band, left of the caption, is blue.
  EXPECT_EQ(0x0000FFu, head.At(f->Shade->Left() + 2, f->Shade->Top() + 13));

  testkit::SaveWindowShot(f->Handle(), testkit::ShotsFolder() + "Drawing_showcase.png");
}
