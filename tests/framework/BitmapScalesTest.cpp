// A picture file and the files drawn for other scales beside it, as a
// user's skin folder may hold them: which one a scale shows, at what size,
// and a texture's own pixels.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/PictureScale.h"
#include "testkit/TestKit.h"

namespace {

// A bitmap file of one colour (0x00BBGGRR), side x side.
void WriteSolid(const std::string& path, int side, TColor colour) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(side, side);
  b.Canvas()->Brush()->SetColor(colour);
  b.Canvas()->FillRect(TRect(0, 0, side, side));
  b.SaveToFile(path);
}

constexpr TColor k100 = 0x0000FF, k150 = 0x00FF00, k200 = 0xFF0000;

std::uint32_t Argb(TColor c) { return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

}  // namespace

TEST(BitmapScales, AFileShowsTheSiblingDrawnForItsScaleOrIsScaled) {
  struct Case {
    bool with150, with200, damaged150;
    int dpi;
    TColor shown;   // the set the picture comes from
    int side;       // of the picture shown (8 at 100 %)
    TColor texture; // the set a texture tiles with
    int textureSide;
  } cases[] = {
      {true, true, false, 96, k100, 8, k100, 8},
      {true, true, false, 110, k150, 9, k100, 8},     // a texture takes the nearest set
      {true, true, false, 120, k150, 10, k150, 12},   // between: the larger set, shrunk
      {true, true, false, 144, k150, 12, k150, 12},
      {true, true, false, 168, k200, 14, k200, 16},
      {true, true, false, 192, k200, 16, k200, 16},
      {true, true, false, 240, k200, 20, k200, 16},   // above 200 %: grown
      {false, true, false, 144, k200, 12, k200, 16},  // no 150 %: the 200 % set, shrunk
      {true, true, true, 144, k200, 12, k200, 16},    // a damaged set is passed over
      {false, false, false, 192, k100, 16, k100, 8},  // 100 % only: scaled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << (c.with150 ? " 150" : "") << (c.with200 ? " 200" : "")
                                    << (c.damaged150 ? " damaged" : ""));
    testkit::TempDir dir;
    WriteSolid(dir / "face.bmp", 8, k100);
    if (c.with150 && !c.damaged150) WriteSolid(dir / "face@150.bmp", 12, k150);
    if (c.damaged150) dir.Write("face@150.bmp", "BM not a picture");
    if (c.with200) WriteSolid(dir / "face@200.bmp", 16, k200);
    TBitmap picture;
    picture.LoadFromFile(dir / "face.bmp");
    TBitmap copy;
    copy.Assign(&picture);  // copies show the same sets

    const PixelPicture shown = copy.AtDpi(c.dpi, false).Pixels();
    EXPECT_EQ(c.side, shown.Width);
    EXPECT_EQ(c.side, shown.Height);
    EXPECT_EQ(Argb(c.shown), shown.Pixels.at(std::size_t(shown.Width) * shown.Height / 2));
    const TBitmap& texture = copy.TextureAtDpi(c.dpi);
    EXPECT_EQ(c.textureSide, texture.Width());
    EXPECT_EQ(Argb(c.texture), texture.Pixels().Pixels.at(0));
  }
}

// A picture drawn by the program itself has no sets: it shows as it is.
TEST(BitmapScales, APictureMadeByCodeShowsAsItIs) {
  testkit::TempDir dir;
  WriteSolid(dir / "face.bmp", 8, k100);
  WriteSolid(dir / "face@200.bmp", 16, k200);
  TBitmap picture;
  picture.LoadFromFile(dir / "face.bmp");
  picture.Canvas()->SetPixel(0, 0, k150);  // drawing on it makes it the program's own
  EXPECT_EQ(&picture, &picture.AtDpi(192, false));
}
