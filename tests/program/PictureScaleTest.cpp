// The controls that show the program's pictures show, at a display's scale,
// the pictures drawn for it: read from what a real control paints.
#include <gtest/gtest.h>

#include <functional>

#include "ControlsTestUtil.h"
#include "controls/OrvCustomCheck.h"
#include "drawing/PZSpButt.h"
#include "framework/ExtCtrls.h"
#include "framework/PictureScale.h"

using namespace ctltest;

namespace {

// A resource picture's pixels (0x00RRGGBB), the columns [x0, x0 + w) only.
PixelPicture Resource(const std::string& name, int x0 = 0, int w = -1) {
  TBitmap b;
  b.LoadFromResourceName(GetModuleHandleA(nullptr), name);
  const PixelPicture all = b.Pixels();
  if (w < 0) w = all.Width - x0;
  PixelPicture part{w, all.Height, {}};
  for (int y = 0; y < all.Height; ++y)
    for (int x = x0; x < x0 + w; ++x) part.Pixels.push_back(all.Pixels[std::size_t(y) * all.Width + x] & 0xFFFFFF);
  return part;
}

PixelPicture Doubled(const PixelPicture& p) {
  PixelPicture d{2 * p.Width, 2 * p.Height, {}};
  for (int y = 0; y < d.Height; ++y)
    for (int x = 0; x < d.Width; ++x) d.Pixels.push_back(p.Pixels[std::size_t(y / 2) * p.Width + x / 2]);
  return d;
}

// Whether the painting shows the picture somewhere: every pixel of it but
// those of its bottom-left colour, which is cut out.
bool Shows(const testkit::Image& painted, const PixelPicture& picture) {
  const std::uint32_t key = picture.Pixels[std::size_t(picture.Height - 1) * picture.Width];
  for (int oy = 0; oy + picture.Height <= painted.Height; ++oy)
    for (int ox = 0; ox + picture.Width <= painted.Width; ++ox) {
      bool all = true;
      for (int y = 0; all && y < picture.Height; ++y)
        for (int x = 0; all && x < picture.Width; ++x) {
          const std::uint32_t p = picture.Pixels[std::size_t(y) * picture.Width + x];
          all = p == key || painted.At(ox + x, oy + y) == p;
        }
      if (all) return true;
    }
  return false;
}

}  // namespace

// A title button's glyph, a check box's mark and the size grip, each at
// 96, 144 and 192 DPI: the picture drawn for that scale, and at 200 % not
// the 100 % one with its pixels doubled.
TEST(PictureScale, ControlsShowThePicturesDrawnForTheirScale) {
  struct Shown {
    const char* what;
    // Puts the control on the stage; what paints it (a windowless control's
    // parent paints it).
    std::function<TWinControl*(TStage*)> place;
    std::function<PixelPicture(const std::string& suffix)> picture;
  } shown[] = {
      {"title button",
       [](TStage* stage) -> TWinControl* {
         auto* b = new TPZSpeedButton(stage);
         b->SetParent(stage);
         b->SetBounds(4, 4, 40, 40);
         TBitmap glyph;
         glyph.LoadFromResourceName(GetModuleHandleA(nullptr), "X_M");
         b->SetGlyph(&glyph);
         return stage;
       },
       // The button rests: its second cell, the idle one.
       [](const std::string& suffix) {
         const PixelPicture cells = Resource("X_M" + suffix);
         return Resource("X_M" + suffix, cells.Width / 2, cells.Width / 2);
       }},
      {"check box",
       [](TStage* stage) -> TWinControl* {
         auto* c = new TOrvCheck(stage);
         c->SetParent(stage);
         c->SetBounds(4, 4, 80, 40);
         c->SetImageType(igCrossRed);
         c->SetChecked(true);
         return c;
       },
       [](const std::string& suffix) { return Resource("CHECKIKS" + suffix); }},
      {"size grip",
       [](TStage* stage) -> TWinControl* {
         auto* image = new TImage(stage);
         image->SetParent(stage);
         image->SetTransparent(true);
         image->SetAutoSize(true);
         image->Picture()->LoadFromResourceName(GetModuleHandleA(nullptr), "ECKE_M");
         return stage;
       },
       [](const std::string& suffix) { return Resource("ECKE_M" + suffix); }},
  };
  for (const Shown& s : shown)
    for (int dpi : {96, 144, 192}) {
      SCOPED_TRACE(std::string(s.what) + " at " + std::to_string(dpi));
      testkit::DpiScope scale(dpi);
      StagePtr stage = MakeStage(120, 60);
      stage->SetColor(clAqua);
      const testkit::Image painted = PaintOffscreen(s.place(stage.get()));
      testkit::SavePng(painted, testkit::ShotsFolder() + "scale-" + std::to_string(dpi) + "-" + s.what + ".png");
      const std::string suffix = dpi == 96 ? "" : dpi == 144 ? "_150" : "_200";
      EXPECT_TRUE(Shows(painted, s.picture(suffix)));
      if (dpi == 192) EXPECT_FALSE(Shows(painted, Doubled(s.picture(""))));
    }
}

// A button whose scale changes after it was painted (its window moved to
// another display) takes the glyph of the new scale at its next paint.
TEST(PictureScale, AControlTakesTheSetOfItsNewScaleAtItsNextPaint) {
  StagePtr stage = MakeStage(60, 60);
  stage->SetColor(clAqua);
  auto* b = new TPZSpeedButton(stage.get());
  b->SetParent(stage.get());
  b->SetBounds(4, 4, 40, 40);
  TBitmap glyph;
  glyph.LoadFromResourceName(GetModuleHandleA(nullptr), "UP_M");
  b->SetGlyph(&glyph);
  const PixelPicture at100 = Resource("UP_M", 14, 14), at200 = Resource("UP_M_200", 28, 28);
  EXPECT_TRUE(Shows(PaintOffscreen(stage.get()), at100));
  testkit::DpiScope scale(192);
  const testkit::Image painted = PaintOffscreen(stage.get());
  EXPECT_TRUE(Shows(painted, at200));
  EXPECT_FALSE(Shows(painted, at100));
}
