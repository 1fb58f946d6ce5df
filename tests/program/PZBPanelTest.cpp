#include "drawing/PZBPanel.h"

#include <gtest/gtest.h>

#include "ControlsTestUtil.h"
#include "controls/TrsPanel.h"
#include "framework/BitmapFile.h"

using namespace ctltest;

namespace {

// Pictures given as 0x00RRGGBB per pixel (the test's own convention).
using Texel = std::function<unsigned(int x, int y)>;

unsigned Tex24(int x, int y) { return ((10u + 12 * x) << 16) | ((20u + 15 * y) << 8) | 200u; }

// A picture in the bitmap file format: 24 bits from a texel function, or
// 4 or 8 bits from indices into a colour table.
std::unique_ptr<TBitmap> Picture24(int w, int h, const Texel& texel) {
  BmpImage img;
  img.Width = w, img.Height = h, img.BitCount = 24;
  img.Bits.assign(img.Stride() * std::size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = img.Bits.data() + std::size_t(h - 1 - y) * img.Stride() + 3 * x;
      const unsigned c = texel(x, y);
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
    }
  auto b = std::make_unique<TBitmap>();
  b->LoadFromStream(EncodeBmpFile(img));
  return b;
}

std::unique_ptr<TBitmap> PictureIndexed(int bits, int w, int h, const std::vector<unsigned>& table,
                                        const std::function<int(int, int)>& index) {
  BmpImage img;
  img.Width = w, img.Height = h, img.BitCount = bits;
  for (unsigned c : table)
    img.ColorTable.push_back(BmpColor{std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), 0});
  img.Bits.assign(img.Stride() * std::size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* row = img.Bits.data() + std::size_t(h - 1 - y) * img.Stride();
      const int i = index(x, y);
      if (bits == 8) row[x] = std::uint8_t(i);
      else row[x / 2] |= std::uint8_t(x % 2 ? i : i << 4);
    }
  auto b = std::make_unique<TBitmap>();
  b->LoadFromStream(EncodeBmpFile(img));
  return b;
}

// What the picture shows at a pixel of the owning form's client area.
unsigned TextureAt(const Texel& t, int w, int h, int fx, int fy) {
  return t(((fx % w) + w) % w, ((fy % h) + h) % h);
}

// A panel owned by the host form (whose client coordinates fix the tile
// phase) on the stage.
TPZBitmapPanel* MakePanel(TStage* stage, const TRect& bounds, const TBitmap* picture) {
  auto* p = new TPZBitmapPanel(HostForm());
  p->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  p->SetColor(clRed);
  p->SetParent(stage);
  if (picture) p->Background()->SetBitmap(picture);
  p->HandleNeeded();
  return p;
}

// The panel's client origin in the host form's client coordinates.
TPoint FormOrigin(TWinControl* c) {
  POINT p{0, 0};
  MapWindowPoints(c->Handle(), HostForm()->Handle(), &p, 1);
  return TPoint(p.x, p.y);
}

// Which part of a panel of w x h with a raised outer bevel of two and a
// border of three a pixel belongs to: 140 (light bevel), 60 (shadow bevel)
// or 100 (border and face).
int KeyAt(int x, int y, int w, int h, int bevel) {
  const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
  if (ring >= bevel) return 100;
  return (x == ring || y == ring) ? 140 : 60;
}

unsigned Scaled(unsigned rgb, int key) { return ScaleColour(rgb, key); }

// The number of pixels of the picture that differ from what expect says.
int Mismatches(const testkit::Image& img, const std::function<unsigned(int x, int y)>& expect) {
  int wrong = 0;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) wrong += img.At(x, y) != expect(x, y);
  return wrong;
}

}  // namespace

// Face and border show the texture, the bevels the same texture at 60 % and
// 140 %, bright channels clipped at 255: pixel by pixel, in the phase of the
// owning form. Only 8- and 24-bit pictures have brightness variants: an
// 8-bit picture's bevels take the nearest colours of its own palette, other
// depths bevel in the system's plain colours around a textured face.
TEST(PZBitmapPanel, BevelsAreTheTextureDarkenedAndBrightened) {
  std::vector<unsigned> ramp;
  for (int i = 0; i < 16; ++i) ramp.push_back(0x101010u * i);
  const Texel grey = [&](int x, int y) { return ramp[(x + 2 * y) % 16]; };
  auto index = [](int x, int y) { return (x + 2 * y) % 16; };
  std::vector<unsigned> vga{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  const Texel colours = [&](int x, int y) { return vga[(x + 2 * y) % 16]; };
  const Texel rgba = [](int x, int y) { return Tex24(x, y) ^ 0x00332211u; };
  auto px32 = [&] {
    auto b = Picture24(10, 10, rgba);
    b->SetPixelFormat(pf32bit);
    return b;
  };
  const Texel one = [](int, int) { return 0x406080u; };
  // How the bevels come out: the nearest colours of the 8-bit picture's
  // palette, scaled pixels of a 24-bit one, or plain system colours.
  enum Bevels { Palette, Scaled24, Plain };
  struct Case {
    const char* what;
    std::unique_ptr<TBitmap> picture;
    Texel texel;
    int w, h;
    Bevels bevels;
  } cases[] = {
      {"24 bits", Picture24(16, 12, Tex24), Tex24, 16, 12, Scaled24},
      {"8 bits", PictureIndexed(8, 16, 9, ramp, index), grey, 16, 9, Palette},
      {"4 bits", PictureIndexed(4, 16, 9, vga, index), colours, 16, 9, Plain},
      {"32 bits", px32(), rgba, 10, 10, Plain},
      {"1 x 1", Picture24(1, 1, one), one, 1, 1, Scaled24},
  };
  auto stage = MakeStage(200, 120);
  const unsigned shadow = Rgb(clBtnShadow), light = Rgb(clBtnHighlight);
  for (Case& c : cases) {
    TPZBitmapPanel* p = MakePanel(stage.get(), TRect(3, 4, 83, 54), c.picture.get());
    p->SetBevelWidth(2);
    p->SetBorderWidth(3);
    Settle();
    testkit::Image img = PaintOffscreen(p);
    const TPoint o = FormOrigin(p);
    const int wrong = Mismatches(img, [&](int x, int y) {
      const unsigned texel = TextureAt(c.texel, c.w, c.h, o.x + x, o.y + y);
      const int key = KeyAt(x, y, 80, 50, 2);
      if (key == 100) return texel;
      if (c.bevels == Plain) return key == 60 ? shadow : light;
      if (c.bevels == Palette) return ramp[NearestColour(ramp, Scaled(texel, key))];
      return Scaled(texel, key);
    });
    EXPECT_EQ(0, wrong) << c.what;
    if (c.w == 16 && c.bevels == Scaled24) {
      EXPECT_EQ(0xFFu, img.At(0, 30) & 0xFF);  // blue 200 at 140 %: clipped
      testkit::SavePng(img, testkit::ShotsFolder() + "PZBitmapPanel_bevels.png");
    }
    TComponent::Free(p);
  }
}

// Two panels one above the other, as the frame stacks its title bar and
// client panel: the texture runs on across their common edge on the screen.
TEST(PZBitmapPanel, StackedPanelsShowOneTextureWithoutSeam) {
  auto stage = MakeStage(240, 160);
  auto pic = Picture24(16, 12, Tex24);
  TPZBitmapPanel* head = MakePanel(stage.get(), TRect(0, 0, 240, 22), pic.get());
  TPZBitmapPanel* client = MakePanel(stage.get(), TRect(0, 22, 240, 160), pic.get());
  for (TPZBitmapPanel* p : {head, client}) p->SetBevelOuter(bvNone);
  head->SetAlign(alTop);
  client->SetAlign(alClient);
  Settle();
  testkit::Image shot = testkit::CaptureScreen(stage->Handle());
  const TPoint o = FormOrigin(stage.get());
  EXPECT_EQ(0, Mismatches(shot, [&](int x, int y) { return TextureAt(Tex24, 16, 12, o.x + x, o.y + y); }));

  // A see-through panel on the title bar (the frame puts its caption on
  // one) has the title bar paint into it with a shifted origin: the texture
  // still runs on.
  auto* through = new TTrsPanel(HostForm());
  through->SetBevelOuter(bvNone);
  through->SetBounds(37, 3, 120, 16);
  through->SetParent(head);
  Settle();
  const TPoint t = FormOrigin(through);
  EXPECT_EQ(0, Mismatches(PaintOffscreen(through),
                          [&](int x, int y) { return TextureAt(Tex24, 16, 12, t.x + x, t.y + y); }));

  // The frame's own make-up: a border line and raised bevels of two. The
  // faces still follow the one texture.
  for (TPZBitmapPanel* p : {head, client}) {
    p->SetBevelOuter(bvRaised);
    p->SetBevelWidth(2);
    p->SetCtl3D(false);
    p->SetBorderStyle(bsSingle);
  }
  Settle();
  shot = testkit::CaptureScreen(stage->Handle());
  for (TPZBitmapPanel* p : {head, client}) {
    const TPoint po = FormOrigin(p), so = FormOrigin(stage.get());
    int faceWrong = 0;
    for (int y = 2; y < p->ClientHeight() - 2; ++y)
      for (int x = 2; x < p->ClientWidth() - 2; ++x) {
        const int sx = po.x - so.x + x, sy = po.y - so.y + y;
        faceWrong += shot.At(sx, sy) != TextureAt(Tex24, 16, 12, po.x + x, po.y + y);
      }
    EXPECT_EQ(0, faceWrong);
  }
  testkit::SaveWindowShot(stage->Handle(), testkit::ShotsFolder() + "PZBitmapPanel_stacked.png");
}

// Equal pictures are held once, by content, with one reference per user;
// the last user gone, the picture goes.
TEST(PZBitmapPanel, PicturesAreSharedByContent) {
  TPZBackgroundBitmaps& store = PZBackgroundBitmaps();
  const int before = store.Count();
  auto stage = MakeStage(200, 120);
  auto a = Picture24(16, 12, Tex24), b = Picture24(16, 12, Tex24);
  auto other = Picture24(16, 12, [](int x, int y) { return Tex24(y, x); });
  TPZBitmapPanel* p1 = MakePanel(stage.get(), TRect(0, 0, 90, 50), a.get());
  TPZBitmapPanel* p2 = MakePanel(stage.get(), TRect(100, 0, 190, 50), b.get());
  ASSERT_EQ(before + 1, store.Count());
  TPZBackgroundBitmap* shared = p1->Background()->SharedPicture();
  EXPECT_EQ(shared, p2->Background()->SharedPicture());
  EXPECT_EQ(2, shared->Users);
  for (int key : {100, 60, 140}) EXPECT_EQ(2, shared->Item(key)->RefCount) << key;

  p2->Background()->SetBitmap(other.get());
  EXPECT_EQ(before + 2, store.Count());
  EXPECT_EQ(1, shared->Users);
  p2->Background()->SetBitmap(a.get());
  EXPECT_EQ(before + 1, store.Count());

  TComponent::Free(p1);
  ASSERT_EQ(before + 1, store.Count());
  p2->SetBevelOuter(bvNone);
  Settle();
  testkit::Image img = PaintOffscreen(p2);
  ASSERT_EQ(90, img.Width);
  const TPoint o = FormOrigin(p2);
  EXPECT_EQ(TextureAt(Tex24, 16, 12, o.x + 5, o.y + 7), img.At(5, 7));
  TComponent::Free(p2);
  EXPECT_EQ(before, store.Count());
}

// Transparent: the colour shows where the picture has its bottom-left
// colour, and the bevels are plain (only 100 % exists). Centred: the picture
// once, in the middle, on the colour.
TEST(PZBitmapPanel, TransparentAndCentredPictures) {
  auto stage = MakeStage(200, 120);
  const Texel holes = [](int x, int y) { return (x + y) % 3 == 0 ? 0xFF00FFu : Tex24(x, y); };
  auto pic = Picture24(9, 7, [&](int x, int y) { return y == 6 && x == 0 ? 0xFF00FFu : holes(x, y); });
  TPZBitmapPanel* p = MakePanel(stage.get(), TRect(5, 5, 85, 55), pic.get());
  p->SetColor(0x336699);
  p->SetBevelWidth(2);
  p->Background()->SetTransparent(true);
  Settle();
  testkit::Image img = PaintOffscreen(p);
  const TPoint o = FormOrigin(p);
  EXPECT_EQ(0, Mismatches(img, [&](int x, int y) {
              const int key = KeyAt(x, y, 80, 50, 2);
              const unsigned t = TextureAt(holes, 9, 7, o.x + x, o.y + y);
              if (key == 60) return Rgb(clBtnShadow);
              if (key == 140) return Rgb(clBtnHighlight);
              return t == 0xFF00FF ? 0x996633u : t;
            }));

  p->Background()->SetTransparent(false);
  p->Background()->SetStyle(bsCentered);
  p->SetBevelOuter(bvNone);
  Settle();
  img = PaintOffscreen(p);
  EXPECT_EQ(0, Mismatches(img, [&](int x, int y) {
              const int px = x - (40 - 4), py = y - (25 - 3);
              const bool inside = px >= 0 && px < 9 && py >= 0 && py < 7;
              return inside ? holes(px, py) : 0x996633u;
            }));
}

// A picture the background cannot take gives its message, to the code that
// assigned it or, from an event, in the application's error box; the panel
// stays plain. Damaged files are refused by the bitmap itself.
TEST(PZBitmapPanel, RefusedPicturesLeaveAPlainPanelAndAMessage) {
  auto stage = MakeStage(200, 120);
  auto good = Picture24(16, 12, Tex24);
  TPZBitmapPanel* p = MakePanel(stage.get(), TRect(0, 0, 60, 40), good.get());
  p->SetBevelOuter(bvNone);
  TBitmap fields;  // 5-6-5 pixels are written with bit fields: compressed
  fields.LoadFromStream(EncodeBmpFile([] {
    BmpImage i;
    i.Width = 4, i.Height = 4, i.BitCount = 16, i.BitFields565 = true;
    i.Bits.assign(i.Stride() * 4, 0x77);
    return i;
  }()));
  try {
    p->Background()->SetBitmap(&fields);
    ADD_FAILURE() << "a compressed picture was taken";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ("Unsupported bitmap image", e.what());
  }
  EXPECT_EQ(nullptr, p->Background()->SharedPicture());
  Settle();
  testkit::Image img = PaintOffscreen(p);
  for (unsigned px : img.Pixels) ASSERT_EQ(Rgb(clRed), px);

  // From a click: the framework's error box shows the message.
  p->Background()->SetBitmap(good.get());
  p->OnClick = [&](TObject*) { p->Background()->SetBitmap(&fields); };
  testkit::MessageBoxRecorder boxes;
  testkit::Click(p, 10, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return !boxes.Boxes.empty(); }));
  EXPECT_EQ("Unsupported bitmap image.", boxes.Boxes[0].Text);
  EXPECT_EQ(nullptr, p->Background()->SharedPicture());

  std::vector<std::uint8_t> bytes = good->SaveToStream();
  std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 40);
  std::vector<std::uint8_t> claims = bytes;
  claims[46] = 0, claims[47] = 0, claims[48] = 0, claims[49] = 0x80;  // 2^31 colours
  for (const auto* damaged : {&truncated, &claims}) {
    p->Background()->SetBitmap(good.get());
    EXPECT_THROW(p->Background()->Bitmap()->LoadFromStream(*damaged), EInvalidGraphic);
  }
  TComponent::Free(p);
}

// On a 256-colour display the 8-bit pictures share one palette of at most
// 236 colours, faces show its nearest colours, and the main form, watched,
// has the textured panels repainted when another window changed the palette.
TEST(PZBitmapPanel, PaletteDisplayMergesPalettesAndRepaintsOnChange) {
  const int saved = DisplayColours;
  struct Restore {
    int Value;
    ~Restore() {
      DisplayColours = Value;
      PZBackgroundBitmaps().NeedsRebuild = true;
    }
  } restore{saved};
  DisplayColours = 256;
  PZBackgroundBitmaps().NeedsRebuild = true;
  PZBackgrounds().NeedsRehook = true;

  std::vector<unsigned> warm, cool;
  for (int i = 0; i < 200; ++i) warm.push_back(0x010000u * i + 0x40);
  for (int i = 0; i < 200; ++i) cool.push_back(0x000101u * i + 0x400000);
  auto index = [](int x, int y) { return (x * 13 + y * 7) % 200; };
  auto a = PictureIndexed(8, 20, 20, warm, index), b = PictureIndexed(8, 20, 20, cool, index);
  auto stage = MakeStage(200, 120);
  TPZBitmapPanel* p1 = MakePanel(stage.get(), TRect(0, 0, 90, 60), a.get());
  TPZBitmapPanel* p2 = MakePanel(stage.get(), TRect(100, 0, 190, 60), b.get());
  for (TPZBitmapPanel* p : {p1, p2}) p->SetBevelOuter(bvNone);
  Settle();
  TPZPalette& merged = PZBackgroundBitmaps().Merged();
  ASSERT_EQ(236, merged.Count());
  EXPECT_EQ(warm[199], merged.Colour(199));
  EXPECT_EQ(cool[0], merged.Colour(200));

  testkit::Image img = PaintOffscreen(p2);
  const TPoint o = FormOrigin(p2);
  EXPECT_EQ(0, Mismatches(img, [&](int x, int y) {
              const unsigned texel = cool[index(((o.x + x) % 20 + 20) % 20, ((o.y + y) % 20 + 20) % 20)];
              return merged.Colour(merged.NearestColour(texel));
            }));

  HWND main = Application->MainForm()->Handle();
  bool hooked = false;
  for (const TPZHookItem& h : PZBackgrounds().Hooks()) hooked |= h.Wnd == main;
  ASSERT_TRUE(hooked);
  Settle();
  ValidateRect(p1->Handle(), nullptr);
  ValidateRect(p2->Handle(), nullptr);
  SendMessageA(main, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(stage->Handle()), 0);
  RECT r;
  EXPECT_TRUE(GetUpdateRect(p1->Handle(), &r, FALSE));
  EXPECT_TRUE(GetUpdateRect(p2->Handle(), &r, FALSE));
  // Its own change of palette is no news to the main form.
  Settle();
  ValidateRect(p1->Handle(), nullptr);
  SendMessageA(main, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(main), 0);
  EXPECT_FALSE(GetUpdateRect(p1->Handle(), &r, FALSE));
}
