// The image button's pictures: faces by state, pressed look, captions,
// accelerators, the window region, and GDI hygiene over many buttons.
#include <gtest/gtest.h>

#include <algorithm>

#include "EnterExitButtonTestUtil.h"
#include "framework/Bitmap.h"

using btntest::ButtonTest;
using btntest::CountColour;
using btntest::InkOf;
using btntest::PaintOffscreen;
using btntest::Rgb;
using btntest::TextWidthIn;
using btntest::WriteBmp;

namespace {
constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

// The font a new button has.
struct ArialBold10 : TFont {
  ArialBold10() {
    SetName("Arial");
    SetSize(10);
    SetStyle(fsBold);
  }
};
}  // namespace

using OrvNewButtonFace = ButtonTest;

TEST_F(OrvNewButtonFace, MissingFilesGiveFlatColouredFaces) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "");
  ShowForm();
  PointerToForm();
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return other->Focused(); }));

  testkit::Image img = PaintOffscreen(b);
  EXPECT_EQ(img.At(5, 5), Rgb(0xD2D2D2));
  EXPECT_EQ(img.At(50, 10), Rgb(0xD2D2D2));
  // A black frame all round, right and bottom edges included.
  for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 20}, {99, 20}, {50, 0}, {50, 20}, {0, 10}, {99, 10}})
    EXPECT_EQ(img.At(x, y), 0u) << x << "," << y;
  EXPECT_EQ(b->FaceBitmap(), nullptr);

  // Hot.
  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asActive; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF9D8CF));
  b->SetColorActive(0xB3FFB3);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xB3FFB3));
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asNormal; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xD2D2D2));

  // Focused.
  b->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asActive; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xB3FFB3));

  // Disabled.
  other->SetFocus();
  b->SetEnabled(false);
  img = PaintOffscreen(b);
  EXPECT_EQ(img.At(5, 5), Rgb(0xF5F5F5));
  EXPECT_EQ(img.At(0, 10), 0u);
}

TEST_F(OrvNewButtonFace, BitmapPerStateLoadedOnlyWhenTheStateChanges) {
  WriteBmp(Faces / "NORM.bmp", 0x0000C0);
  WriteBmp(Faces / "ACT.bmp", 0x00C000);
  WriteBmp(Faces / "DIS.bmp", 0xC00000);
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "");
  b->SetResBmpNormal("NORM");
  b->SetResBmpActive("ACT");
  b->SetResBmpDisabled("DIS");
  ShowForm();
  PointerToForm();
  other->SetFocus();
  ASSERT_TRUE(testkit::PumpUntil([&] { return other->Focused(); }));

  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x0000C0));
  const TBitmap* loaded = b->FaceBitmap();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(b->LoadedState(), asNormal);
  // Stretched over the whole face, edges included.
  testkit::Image img = PaintOffscreen(b);
  EXPECT_EQ(img.At(0, 0), Rgb(0x0000C0));
  EXPECT_EQ(img.At(99, 20), Rgb(0x0000C0));

  // No disk access while the state stays: the file may go.
  DeleteFileA((Faces / "NORM.bmp").c_str());
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x0000C0));
  EXPECT_EQ(b->FaceBitmap(), loaded);

  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asActive; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x00C000));
  EXPECT_EQ(b->LoadedState(), asActive);

  // Back to normal: the file is gone now, so the flat face stands in...
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asNormal; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xD2D2D2));
  EXPECT_EQ(b->FaceBitmap(), nullptr);
  // ...until it is there again.
  WriteBmp(Faces / "NORM.bmp", 0x008080);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x008080));

  b->SetEnabled(false);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xC00000));
  // Without a disabled name the normal face shows; renaming reloads.
  b->SetResBmpDisabled("");
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x008080));
  b->SetResBmpNormal("ACT");
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x00C000));
  b->SetResBmpNormal("NONE");
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF5F5F5));

  // A new folder reloads too.
  testkit::TempDir elsewhere;
  WriteBmp(elsewhere / "NONE.bmp", 0x404040);
  b->SetBitmapPath(elsewhere.Path());
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x404040));

  // A file that is no bitmap counts as missing.
  testkit::TempDir broken;
  broken.Write("NONE.bmp", "this is not a bitmap");
  b->SetBitmapPath(broken.Path());
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF5F5F5));

  // Bitmaps turned off: the loaded one goes, the flat face shows.
  b->SetBitmapPath(elsewhere.Path());
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0x404040));
  TOrvNewButton::SetBitmapsEnabled(false);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF5F5F5));
  EXPECT_EQ(b->FaceBitmap(), nullptr);
}

TEST_F(OrvNewButtonFace, PressedFaceIsPushedIn) {
  WriteBmp(Faces / "ACT.bmp", 0x00C000);
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "");
  b->SetResBmpActive("ACT");
  b->SetColor(0x303030);
  ShowForm();
  testkit::MouseMove(b, 30, 10);
  testkit::MouseDown(b, 30, 10);
  ASSERT_TRUE(b->Pressed());
  testkit::Image img = PaintOffscreen(b);
  // The edge lines in Color along the left column and the top row, the
  // picture from (1, 1); the right column is left as it was.
  EXPECT_EQ(img.At(0, 20), Rgb(0x303030));
  EXPECT_EQ(img.At(0, 0), Rgb(0x303030));
  EXPECT_EQ(img.At(98, 0), Rgb(0x303030));
  EXPECT_EQ(img.At(1, 1), Rgb(0x00C000));
  EXPECT_EQ(img.At(98, 20), Rgb(0x00C000));
  EXPECT_EQ(img.At(99, 10), btntest::kUnpainted);
  testkit::MouseUp(b, 30, 10);
  img = PaintOffscreen(b);
  EXPECT_EQ(img.At(0, 10), Rgb(0x00C000));
  EXPECT_EQ(img.At(99, 10), Rgb(0x00C000));
}

// ---- captions -------------------------------------------------------------------------------
using OrvNewButtonCaption = ButtonTest;

TEST_F(OrvNewButtonCaption, TooWideCaptionLosesBoldThenShrinks) {
  const std::string text = "Deutsche Hilfe";
  ArialBold10 bold;
  ArialBold10 plain;
  plain.SetStyle(0);
  int wBold = TextWidthIn(bold, text), wPlain = TextWidthIn(plain, text);
  ASSERT_GT(wBold, wPlain);

  TOrvNewButton* fitsBold = AddButton(10, 10, wBold, 21, text);
  TOrvNewButton* fitsPlain = AddButton(10, 40, wPlain, 21, text);
  TOrvNewButton* tight = AddButton(10, 70, wPlain - 8, 21, text);
  TOrvNewButton* hopeless = AddButton(10, 100, 30, 21, "A caption far too wide for it");
  TOrvNewButton* leftAligned = AddButton(10, 130, 30, 21, text);
  leftAligned->SetCaptionHCenter(false);
  ShowForm();

  EXPECT_EQ(fitsBold->Canvas()->Font()->Size(), 10);
  EXPECT_TRUE(fitsBold->Canvas()->Font()->Style() & fsBold);
  EXPECT_EQ(fitsPlain->Canvas()->Font()->Size(), 10);
  EXPECT_FALSE(fitsPlain->Canvas()->Font()->Style() & fsBold);
  EXPECT_LT(tight->Canvas()->Font()->Size(), 10);
  EXPECT_GT(tight->Canvas()->Font()->Size(), 6);
  EXPECT_FALSE(tight->Canvas()->Font()->Style() & fsBold);
  EXPECT_LE(TextWidthIn(*tight->Canvas()->Font(), text), tight->Width());
  EXPECT_EQ(hopeless->Canvas()->Font()->Size(), 6);
  // The button's own font is left alone.
  EXPECT_TRUE(hopeless->Font()->Style() & fsBold);
  EXPECT_EQ(hopeless->Font()->Size(), 10);
  // A caption at a fixed position is not fitted.
  EXPECT_EQ(leftAligned->Canvas()->Font()->Size(), 10);
  EXPECT_TRUE(leftAligned->Canvas()->Font()->Style() & fsBold);
}

TEST_F(OrvNewButtonCaption, CentredOrAtCaptionLeft) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "OK");
  b->SetCaptionHCenter(false);
  b->SetCaptionLeft(35);
  ShowForm();
  unsigned face = Rgb(0xD2D2D2);
  auto paintNormal = [&] {
    PointerToForm();
    testkit::PumpPending();
    Form->SetFocus();
    return PaintOffscreen(b);
  };
  testkit::Image img = paintNormal();
  face = img.At(2, 2);
  btntest::Ink ink = InkOf(img, face);
  // The light copy starts one pixel left of the caption.
  EXPECT_GE(ink.Left, 34);
  EXPECT_LE(ink.Left, 38);

  // Without bitmaps every caption is centred, whatever CaptionLeft says.
  TOrvNewButton::SetBitmapsEnabled(false);
  img = paintNormal();
  ink = InkOf(img, img.At(2, 2));
  EXPECT_NEAR(ink.Centre(), 49.5, 2.0);

  // And so is a centred one with bitmaps; pressing moves it one pixel
  // right and down.
  TOrvNewButton::SetBitmapsEnabled(true);
  b->SetCaptionHCenter(true);
  img = paintNormal();
  btntest::Ink centred = InkOf(img, img.At(2, 2));
  EXPECT_NEAR(centred.Centre(), 49.5, 2.0);
  testkit::MouseMove(b, 80, 10);
  testkit::MouseDown(b, 80, 10);
  ASSERT_TRUE(b->Pressed());
  img = PaintOffscreen(b);
  btntest::Ink pressed = InkOf(img, img.At(3, 3));
  EXPECT_EQ(pressed.Left, centred.Left + 1);
  testkit::MouseUp(b, 80, 10);
}

TEST_F(OrvNewButtonCaption, AcceleratorIsUnderlinedInEachPass) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "&Apply");
  b->Font()->SetColor(kRed);
  b->SetFontShadowColor(kGreen);
  b->SetFontLightColor(kBlue);
  ShowForm();
  PointerToForm();
  testkit::PumpPending();
  testkit::Image marked = PaintOffscreen(b);
  b->SetCaption("Apply");
  testkit::Image plain = PaintOffscreen(b);

  // The same letters at the same place; only the three underlines differ.
  ArialBold10 font;
  WindowDC screen(nullptr);
  TCanvas c;
  c.SetHandle(screen.Get());
  c.Font()->Assign(font);
  int h = c.TextHeight("Pp");
  int y = RoundHalfEven(21 / 2.0 - c.TextHeight("&Apply") / 2.0);
  int lineY = y + RoundHalfEven(0.9 * h);
  int wA = c.TextWidth("A");
  c.SetHandle(nullptr);

  int differing = 0;
  for (int py = 0; py < 21; ++py)
    for (int px = 0; px < 100; ++px) {
      if (marked.At(px, py) == plain.At(px, py)) continue;
      ++differing;
      EXPECT_TRUE(py >= lineY - 1 && py <= lineY + 1) << px << "," << py;
    }
  EXPECT_GT(differing, 0);
  // The text pass is drawn last: its underline is whole, under the "A".
  int run = 0, best = 0;
  for (int px = 0; px < 100; ++px) {
    run = marked.At(px, lineY) == Rgb(kRed) ? run + 1 : 0;
    best = std::max(best, run);
  }
  EXPECT_GE(best, wA - 1);
  EXPECT_LE(best, wA + 1);
  EXPECT_GT(CountColour(marked, Rgb(kGreen)), 0);
  EXPECT_GT(CountColour(marked, Rgb(kBlue)), 0);
}

TEST_F(OrvNewButtonCaption, AmpersandsDrawnLiterallyWhenNotAMarker) {
  TOrvNewButton* b = AddButton(10, 10, 160, 21, "A&&B");
  ShowForm();
  PointerToForm();
  testkit::PumpPending();
  int wAmp = TextWidthIn(ArialBold10(), "&");
  auto inkWidth = [&](const testkit::Image& img) { return InkOf(img, img.At(2, 2)).Width(); };

  // "&&" first: the caption is drawn as it stands, with both ampersands.
  testkit::Image doubled = PaintOffscreen(b);
  b->SetShowAccelChar(false);
  testkit::Image doubledLiteral = PaintOffscreen(b);
  EXPECT_EQ(doubled.Pixels, doubledLiteral.Pixels);
  b->SetCaption("A&B");
  EXPECT_NEAR(inkWidth(doubled) - inkWidth(PaintOffscreen(b)), wAmp, 2);

  // ShowAccelChar off: "&Apply" keeps its ampersand and has no underline.
  b->SetCaption("&Apply");
  testkit::Image literal = PaintOffscreen(b);
  b->SetShowAccelChar(true);
  testkit::Image marked = PaintOffscreen(b);
  EXPECT_NE(literal.Pixels, marked.Pixels);
  EXPECT_NEAR(inkWidth(literal) - inkWidth(marked), wAmp, 2);
}

TEST_F(OrvNewButtonCaption, DisabledCaptionTakesTheFaceColour) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Hilfe");
  TOrvNewButton* other = AddButton(10, 60, 100, 21, "");
  b->Font()->SetColor(kRed);
  b->SetFontShadowColor(kGreen);
  b->SetFontLightColor(kBlue);
  b->SetColor(0x404040);
  ShowForm();
  PointerToForm();
  other->SetFocus();
  testkit::PumpPending();
  testkit::Image on = PaintOffscreen(b);
  EXPECT_GT(CountColour(on, Rgb(kRed)), 10);
  b->SetEnabled(false);
  testkit::Image off = PaintOffscreen(b);
  EXPECT_EQ(CountColour(off, Rgb(kRed)), 0);
  EXPECT_GT(CountColour(off, Rgb(0x404040)), 10);
  EXPECT_GT(CountColour(off, Rgb(kGreen)), 0);
  EXPECT_GT(CountColour(off, Rgb(kBlue)), 0);
}

// ---- regions ------------------------------------------------------------------------------------
using OrvNewButtonRegion = ButtonTest;

namespace {
// Whether the window's region has the button's shape for w x h. Compared as
// areas: the same shape may come back split into other rectangles.
bool WindowHasRegion(HWND wnd, int w, int h) {
  GdiRegion got(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, got.Get()) == ERROR) return false;
  GdiRegion want(CreateRoundRectRgn(1, 1, w + 1, h, 16, 18));
  GdiRegion diff(CreateRectRgn(0, 0, 0, 0));
  return CombineRgn(diff.Get(), got.Get(), want.Get(), RGN_XOR) == NULLREGION;
}
bool WindowHasAnyRegion(HWND wnd) {
  GdiRegion got(CreateRectRgn(0, 0, 0, 0));
  return GetWindowRgn(wnd, got.Get()) != ERROR;
}
}  // namespace

TEST_F(OrvNewButtonRegion, HandedOverAtFirstPaintRemadeOnResizeOnly) {
  TOrvNewButton* b = AddButton(20, 20, 100, 21, "Shape");
  HWND h = b->Handle();  // the window exists, hidden
  EXPECT_NE(b->ButtonRegion(), nullptr);
  EXPECT_FALSE(b->RegionApplied());
  EXPECT_FALSE(WindowHasAnyRegion(h));

  ShowForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->RegionApplied(); }));
  EXPECT_TRUE(WindowHasRegion(h, 100, 21));
  // On the screen the left column and the top row belong to the form.
  testkit::PumpPending();
  testkit::Image shot = testkit::CaptureScreen(h);
  EXPECT_EQ(shot.At(0, 10), 0xFFFFFFu);
  EXPECT_EQ(shot.At(50, 0), 0xFFFFFFu);
  EXPECT_EQ(shot.At(99, 0), 0xFFFFFFu);
  EXPECT_NE(shot.At(50, 10), 0xFFFFFFu);

  HRGN first = b->ButtonRegion();
  b->SetBounds(20, 20, 150, 30);
  EXPECT_NE(b->ButtonRegion(), first);
  EXPECT_TRUE(b->RegionApplied());
  EXPECT_TRUE(WindowHasRegion(h, 150, 30));

  HRGN second = b->ButtonRegion();
  b->SetBounds(60, 70, 150, 30);
  EXPECT_EQ(b->ButtonRegion(), second);
  EXPECT_TRUE(WindowHasRegion(h, 150, 30));

  // Dropping the region leaves the window's shape alone.
  b->SetUseOrvRegion(false);
  EXPECT_EQ(b->ButtonRegion(), nullptr);
  EXPECT_TRUE(WindowHasRegion(h, 150, 30));
  b->SetBounds(60, 70, 120, 25);
  EXPECT_EQ(b->ButtonRegion(), nullptr);
  // A kind turns it on again and shapes the window at once.
  b->SetKind(ibkBlue);
  EXPECT_TRUE(b->RegionApplied());
  EXPECT_TRUE(WindowHasRegion(h, 100, 21));
}

TEST_F(OrvNewButtonRegion, NoShapesWithoutRegions) {
  TOrvNewButton::SetRegionsEnabled(false);
  TOrvNewButton* b = AddButton(20, 20, 100, 21, "Square");
  ShowForm();
  b->SetBounds(20, 20, 130, 25);
  testkit::PumpPending();
  EXPECT_EQ(b->ButtonRegion(), nullptr);
  EXPECT_FALSE(WindowHasAnyRegion(b->Handle()));
}

TEST_F(OrvNewButtonRegion, RegionsNotHandedOverAreDeletedUnlessGivenFromOutside) {
  TOrvNewButton* b = AddButton(20, 20, 100, 21, "");
  // Made by the button before any paint: deleted when replaced, even with
  // DelOldRgn off (nobody else could ever free it).
  b->SetDelOldRgn(false);
  HRGN own = b->ButtonRegion();
  ASSERT_NE(own, nullptr);
  b->SetBounds(20, 20, 120, 21);
  EXPECT_EQ(GetObjectType(own), 0u);

  // Given from outside: DelOldRgn decides.
  HRGN mine = CreateRectRgn(0, 0, 10, 10);
  b->SetButtonRegion(mine);
  b->SetButtonRegion(nullptr);
  EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_REGION));
  b->SetDelOldRgn(true);
  b->SetButtonRegion(mine);
  b->SetButtonRegion(nullptr);
  EXPECT_EQ(GetObjectType(mine), 0u);

  // Freed with a button that never painted.
  b->MakeButtonRegion();
  HRGN last = b->ButtonRegion();
  ASSERT_NE(last, nullptr);
  TComponent::Free(b);
  EXPECT_EQ(GetObjectType(last), 0u);
}

// ---- resources ----------------------------------------------------------------------------------
namespace {
// A form with buttons in the states that hold GDI objects: a loaded face, a
// region handed over and replaced, a fitted caption font, a disabled one.
struct ButtonsOnAForm {
  TForm* Form;
  TOrvNewButton *A, *K, *D;
  ButtonsOnAForm() {
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(300, 300, 250, 100);
    A = Add(0, 0, 100, "&Apply");
    A->SetResBmpActive("ACT");
    K = Add(0, 30, 80, "");
    K->SetKind(ibkCancel);
    D = Add(0, 60, 30, "A caption far too wide");
    D->SetEnabled(false);
    Form->Show();
    testkit::PumpUntil([&] { return A->HasPainted() && K->HasPainted() && D->HasPainted(); });
    A->SetFocus();
    A->SetBounds(0, 0, 140, 25);  // a new region for a shaped window
    A->Repaint();
    testkit::PumpPending();
  }
  TOrvNewButton* Add(int x, int y, int w, const std::string& caption) {
    auto* b = new TOrvNewButton(Form);
    b->SetParent(Form);
    b->SetBounds(x, y, w, 21);
    b->SetCaption(caption);
    return b;
  }
  void Free() {
    TComponent::Free(Form);
    testkit::PumpPending();
  }
};
}  // namespace

using OrvNewButtonResources = ButtonTest;

TEST_F(OrvNewButtonResources, ItsGdiObjectsGoWithTheButton) {
  WriteBmp(Faces / "ACT.bmp", 0x00C000);
  WriteBmp(Faces / "SILVER100.bmp", 0xC0C0C0);
  ButtonsOnAForm f;
  std::vector<HGDIOBJ> held;
  for (TOrvNewButton* b : {f.A, f.K, f.D}) {
    ASSERT_TRUE(b->HasPainted());
    // A region handed to the window is the system's (Wine frees it at once).
    if (b->ButtonRegion() && !b->RegionApplied()) held.push_back(b->ButtonRegion());
    if (b->FaceBitmap()) held.push_back(b->FaceBitmap()->Handle());
    held.push_back(b->Canvas()->Font()->Handle());
    held.push_back(b->Canvas()->Pen()->Handle());
  }
  ASSERT_NE(f.A->FaceBitmap(), nullptr);
  ASSERT_TRUE(f.A->RegionApplied());
  for (HGDIOBJ h : held) ASSERT_NE(GetObjectType(h), 0u);
  f.Free();
  for (HGDIOBJ h : held) EXPECT_EQ(GetObjectType(h), 0u) << h;
}

TEST_F(OrvNewButtonResources, GdiCountStaysFlatOverManyButtons) {
  HANDLE self = GetCurrentProcess();
  if (GetGuiResources(self, GR_GDIOBJECTS) == 0)
    GTEST_SKIP() << "GetGuiResources does not count GDI objects here";
  WriteBmp(Faces / "ACT.bmp", 0x00C000);
  WriteBmp(Faces / "SILVER100.bmp", 0xC0C0C0);
  ButtonsOnAForm().Free();  // caches of the first use (fonts, classes) settle
  DWORD before = GetGuiResources(self, GR_GDIOBJECTS);
  for (int i = 0; i < 20; ++i) ButtonsOnAForm().Free();
  DWORD after = GetGuiResources(self, GR_GDIOBJECTS);
  EXPECT_LE(after, before + 2) << "before " << before << ", after " << after;
}

// ---- the looks, on screen -------------------------------------------------------------------
namespace {
// Face bitmaps: the program's own skin files when the build has drawn them,
// else plain ramps written here.
std::string FaceFolder(const testkit::TempDir& scratch) {
  std::string art = testkit::ExeFolder() + "art\\Skins\\Buttons\\";
  if (testkit::FileExists(art + "OKGREEN.bmp")) return art;
  const std::pair<const char*, TColor> ramps[] = {
      {"OKGREEN", 0x40C040},  {"OKSILVER", 0xC0C0C0},   {"CANCELRED", 0x4040E0},
      {"CANCELSILVER", 0xC0C0C0}, {"BLUE100", 0xE0A060}, {"SILVER100", 0xC0C0C0},
      {"BLUE150", 0xE0A060},  {"SILVER150", 0xC0C0C0},  {"HELPCYAN", 0xE0E040},
      {"HELPSILVER", 0xC0C0C0}, {"PPPBLUE", 0xE0A060},   {"PPPSILVER", 0xC0C0C0},
      {"PPPDISABLED", 0xE8E8E8}, {"INFOBLUE", 0xE0A060}, {"INFOSILVER", 0xC0C0C0}};
  for (auto [name, colour] : ramps)
    WriteBmp(scratch / (std::string(name) + ".bmp"), 100, 21, 0xFFFFFF, colour);
  return scratch.Path() + "\\";
}
}  // namespace

using OrvNewButtonLooks = ButtonTest;

TEST_F(OrvNewButtonLooks, OnScreen) {
  struct Look {
    const char* Name;
    bool Bitmaps, Regions;
  };
  const Look looks[] = {{"bitmaps", true, true}, {"nobitmaps", false, false},
                        {"noregions", true, false}};
  std::string faces = FaceFolder(Faces);
  for (const Look& look : looks) {
    TOrvNewButton::SetBitmapsEnabled(look.Bitmaps);
    TOrvNewButton::SetRegionsEnabled(look.Regions);
    TOrvNewButton::SetDefaultBitmapPath(faces);
    TForm* f = new TForm(Application);
    f->AfterConstruction();
    f->SetBorderStyle(bsNone);
    f->SetBounds(20, 20, 400, 150);
    f->SetColor(0xE0E0E0);
    auto add = [&](int x, int y, int w, const std::string& caption, TOrvButtonKind kind) {
      auto* b = new TOrvNewButton(f);
      b->SetParent(f);
      b->SetBounds(x, y, w, 21);
      b->SetCaption(caption);
      b->SetKind(kind);
      return b;
    };
    // The dialogs' buttons: language chooser, batch window, attribute dialog.
    TOrvNewButton* ok = add(8, 8, 100, "", ibkOK);
    add(116, 8, 100, "", ibkCancel);
    add(224, 8, 130, "&Save as...", ibkBlue);
    TOrvNewButton* apply = add(8, 40, 100, "&Apply", ibkBlue);
    add(116, 40, 100, "&Close", ibkBlue)->SetCaptionLeft(35);
    add(224, 40, 100, "", ibkHelp);
    TOrvNewButton* info = add(8, 72, 100, "", ibkInfo);
    add(116, 72, 35, "", ibkPPP);
    TOrvNewButton* off = add(160, 72, 100, "", ibkOK);
    off->SetEnabled(false);
    TOrvNewButton* english = add(8, 104, 100, "English Help", ibkOther);
    english->Font()->SetColor(clNavy);
    english->Font()->SetStyle(0);
    add(116, 104, 100, "Deutsche Hilfe", ibkOther)->Font()->SetColor(clNavy);
    f->Show();
    ASSERT_TRUE(testkit::PumpUntil([&] { return ok->HasPainted() && english->HasPainted(); }));
    testkit::MouseMove(info, 30, 10);  // hot
    apply->SetFocus();                 // focused, and held down by the space bar
    ASSERT_TRUE(testkit::PumpUntil([&] { return apply->Focused(); }));
    PostMessageA(apply->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    testkit::PumpPending();
    ASSERT_TRUE(apply->Pressed());
    RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testkit::PumpPending();
    EXPECT_TRUE(testkit::SaveWindowShot(
        f->Handle(), testkit::ShotsFolder() + "EnterExitButton_" + look.Name + ".png"));
    // The rounded corner shows the form behind it only with regions.
    testkit::Image shot = testkit::CaptureScreen(f->Handle());
    unsigned corner = shot.At(ok->Left(), ok->Top());
    if (look.Regions) EXPECT_EQ(corner, Rgb(0xE0E0E0));
    else EXPECT_NE(corner, Rgb(0xE0E0E0));
    PostMessageA(apply->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001));
    testkit::PumpPending();
    TComponent::Free(f);
    testkit::PumpPending();
  }
}
