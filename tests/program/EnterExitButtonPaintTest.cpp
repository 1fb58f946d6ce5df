// The image button's pictures: faces by state, pressed look, captions,
// accelerators, the window region, GDI objects, and the looks on screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "EnterExitButtonTestUtil.h"
#include "framework/Bitmap.h"
#include "framework/ProcessFigures.h"

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
  for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 20}, {99, 20}, {50, 20}, {99, 10}})
    EXPECT_EQ(img.At(x, y), 0u) << x << "," << y;  // black frame, right and bottom too

  testkit::MouseMove(b, 30, 10);  // hot
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asActive; }));
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF9D8CF));
  PointerToForm();
  b->SetFocus();  // focused
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->Focused() && !b->MouseInside(); }));
  b->SetColorActive(0xB3FFB3);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xB3FFB3));
  b->SetEnabled(false);
  EXPECT_EQ(PaintOffscreen(b).At(5, 5), Rgb(0xF5F5F5));
  EXPECT_EQ(b->FaceBitmap(), nullptr);
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
  auto face = [&] { return PaintOffscreen(b).At(5, 5); };

  testkit::Image img = PaintOffscreen(b);  // stretched over the whole face
  EXPECT_TRUE(img.At(0, 0) == Rgb(0x0000C0) && img.At(99, 20) == Rgb(0x0000C0));
  const TBitmap* loaded = b->FaceBitmap();
  ASSERT_NE(loaded, nullptr);
  // No disk access while the state stays: the file may go.
  DeleteFileA((Faces / "NORM.bmp").c_str());
  EXPECT_EQ(face(), Rgb(0x0000C0));
  EXPECT_EQ(b->FaceBitmap(), loaded);

  testkit::MouseMove(b, 30, 10);
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asActive; }));
  EXPECT_EQ(face(), Rgb(0x00C000));
  // Back to normal, the file gone: the flat face, until the file is back.
  PointerToForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->ActiveState() == asNormal; }));
  EXPECT_EQ(face(), Rgb(0xD2D2D2));
  WriteBmp(Faces / "NORM.bmp", 0x008080);
  EXPECT_EQ(face(), Rgb(0x008080));

  b->SetEnabled(false);
  EXPECT_EQ(face(), Rgb(0xC00000));
  b->SetResBmpDisabled("");  // the normal face stands in
  EXPECT_EQ(face(), Rgb(0x008080));
  testkit::TempDir broken;  // a file that is no bitmap counts as missing
  broken.Write("NORM.bmp", "this is not a bitmap");
  b->SetBitmapPath(broken.Path());
  EXPECT_EQ(face(), Rgb(0xF5F5F5));
  b->SetBitmapPath(Faces.Path());
  EXPECT_EQ(face(), Rgb(0x008080));
  TOrvNewButton::SetBitmapsEnabled(false);
  EXPECT_EQ(face(), Rgb(0xF5F5F5));
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
  // Edge lines in Color along the left column and the top row, the picture
  // from (1, 1); the right column is left as it was.
  testkit::Image img = PaintOffscreen(b);
  for (auto [x, y] : {std::pair{0, 20}, {0, 0}, {98, 0}}) EXPECT_EQ(img.At(x, y), Rgb(0x303030));
  EXPECT_TRUE(img.At(1, 1) == Rgb(0x00C000) && img.At(98, 20) == Rgb(0x00C000));
  EXPECT_EQ(img.At(99, 10), btntest::kUnpainted);
  testkit::MouseUp(b, 30, 10);
  img = PaintOffscreen(b);
  EXPECT_TRUE(img.At(0, 10) == Rgb(0x00C000) && img.At(99, 10) == Rgb(0x00C000));
}

// ---- captions -------------------------------------------------------------------------------
using OrvNewButtonCaption = ButtonTest;

TEST_F(OrvNewButtonCaption, TooWideCaptionLosesBoldThenShrinks) {
  const std::string text = "Deutsche Hilfe";
  ArialBold10 bold, plain;
  plain.SetStyle(0);
  int wBold = TextWidthIn(bold, text), wPlain = TextWidthIn(plain, text);
  ASSERT_GT(wBold, wPlain);
  TOrvNewButton* fitsBold = AddButton(10, 10, wBold, 21, text);
  TOrvNewButton* fitsPlain = AddButton(10, 40, wPlain, 21, text);
  TOrvNewButton* tight = AddButton(10, 70, wPlain - 8, 21, text);
  TOrvNewButton* hopeless = AddButton(10, 100, 30, 21, "A caption far too wide for it");
  TOrvNewButton* atLeft = AddButton(10, 130, 30, 21, text);
  atLeft->SetCaptionHCenter(false);
  ShowForm();
  auto fitted = [](TOrvNewButton* b) { return b->Canvas()->Font(); };
  EXPECT_TRUE(fitted(fitsBold)->Size() == 10 && (fitted(fitsBold)->Style() & fsBold));
  EXPECT_TRUE(fitted(fitsPlain)->Size() == 10 && !(fitted(fitsPlain)->Style() & fsBold));
  EXPECT_TRUE(fitted(tight)->Size() < 10 && fitted(tight)->Size() > 6);
  EXPECT_LE(TextWidthIn(*fitted(tight), text), tight->Width());
  EXPECT_EQ(fitted(hopeless)->Size(), 6);
  EXPECT_TRUE(hopeless->Font()->Size() == 10 && (hopeless->Font()->Style() & fsBold));
  EXPECT_TRUE(fitted(atLeft)->Size() == 10 && (fitted(atLeft)->Style() & fsBold));
}

TEST_F(OrvNewButtonCaption, CentredOrAtCaptionLeftPressedMovesIt) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "OK");
  b->SetCaptionHCenter(false);
  b->SetCaptionLeft(35);
  ShowForm();
  auto ink = [&] {
    testkit::Image img = PaintOffscreen(b);
    return InkOf(img, img.At(3, 3));
  };
  btntest::Ink left = ink();  // the light copy starts a pixel left of it
  EXPECT_TRUE(left.Left >= 34 && left.Left <= 38) << left.Left;
  TOrvNewButton::SetBitmapsEnabled(false);  // NOBUTTONBITMAPS: always centred
  EXPECT_NEAR(ink().Centre(), 49.5, 2.0);
  TOrvNewButton::SetBitmapsEnabled(true);
  b->SetCaptionHCenter(true);
  btntest::Ink centred = ink();
  EXPECT_NEAR(centred.Centre(), 49.5, 2.0);
  testkit::MouseMove(b, 80, 10);
  testkit::MouseDown(b, 80, 10);
  ASSERT_TRUE(b->Pressed());
  EXPECT_EQ(ink().Left, centred.Left + 1);
  testkit::MouseUp(b, 80, 10);
}

TEST_F(OrvNewButtonCaption, AcceleratorUnderlinedInEachPass) {
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
  int lineY = RoundHalfEven(21 / 2.0 - c.TextHeight("&Apply") / 2.0) +
              RoundHalfEven(0.9 * c.TextHeight("Pp"));
  int wA = c.TextWidth("A");
  c.SetHandle(nullptr);
  int differing = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 100; ++x) {
      if (marked.At(x, y) == plain.At(x, y)) continue;
      ++differing;
      EXPECT_TRUE(y >= lineY - 1 && y <= lineY + 1) << x << "," << y;
    }
  EXPECT_GT(differing, 0);
  // The text pass comes last: its underline is whole, as wide as the "A".
  int run = 0, best = 0;
  for (int x = 0; x < 100; ++x) {
    run = marked.At(x, lineY) == Rgb(kRed) ? run + 1 : 0;
    best = std::max(best, run);
  }
  EXPECT_NEAR(best, wA, 1);
}

TEST_F(OrvNewButtonCaption, AmpersandsDrawnLiterallyWhenNotAMarker) {
  TOrvNewButton* b = AddButton(10, 10, 160, 21, "A&&B");
  ShowForm();
  PointerToForm();
  testkit::PumpPending();
  int wAmp = TextWidthIn(ArialBold10(), "&");
  auto inkWidth = [&](const testkit::Image& img) { return InkOf(img, img.At(2, 2)).Width(); };
  // "&&" first: drawn as it stands, both ampersands included.
  testkit::Image doubled = PaintOffscreen(b);
  b->SetShowAccelChar(false);
  EXPECT_EQ(doubled.Pixels, PaintOffscreen(b).Pixels);
  b->SetCaption("A&B");
  EXPECT_NEAR(inkWidth(doubled) - inkWidth(PaintOffscreen(b)), wAmp, 2);
  // ShowAccelChar off: "&Apply" keeps its ampersand.
  b->SetCaption("&Apply");
  testkit::Image literal = PaintOffscreen(b);
  b->SetShowAccelChar(true);
  EXPECT_NEAR(inkWidth(literal) - inkWidth(PaintOffscreen(b)), wAmp, 2);
}

TEST_F(OrvNewButtonCaption, DisabledCaptionTakesTheFaceColour) {
  TOrvNewButton* b = AddButton(10, 10, 100, 21, "Hilfe");
  b->Font()->SetColor(kRed);
  b->SetFontShadowColor(kGreen);
  b->SetFontLightColor(kBlue);
  b->SetColor(0x404040);
  ShowForm();
  EXPECT_GT(CountColour(PaintOffscreen(b), Rgb(kRed)), 10);
  b->SetEnabled(false);
  testkit::Image off = PaintOffscreen(b);
  EXPECT_EQ(CountColour(off, Rgb(kRed)), 0);
  EXPECT_GT(CountColour(off, Rgb(0x404040)), 10);
  EXPECT_TRUE(CountColour(off, Rgb(kGreen)) > 0 && CountColour(off, Rgb(kBlue)) > 0);
}

// ---- regions ------------------------------------------------------------------------------------
using OrvNewButtonRegion = ButtonTest;

namespace {
// Whether the window's region is the button's shape for w x h (or any
// region at all when w is 0). Compared as areas: the same shape may come
// back split into other rectangles.
bool WindowHasRegion(HWND wnd, int w = 0, int h = 0) {
  GdiRegion got(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, got.Get()) == ERROR) return false;
  if (w == 0) return true;
  GdiRegion want(CreateRoundRectRgn(1, 1, w + 1, h, 16, 18));
  GdiRegion diff(CreateRectRgn(0, 0, 0, 0));
  return CombineRgn(diff.Get(), got.Get(), want.Get(), RGN_XOR) == NULLREGION;
}
}  // namespace

TEST_F(OrvNewButtonRegion, HandedOverAtFirstPaintRemadeOnResizeOnly) {
  TOrvNewButton* b = AddButton(20, 20, 100, 21, "Shape");
  HWND h = b->Handle();  // the window exists, hidden: the region waits
  EXPECT_TRUE(b->ButtonRegion() && !b->RegionApplied() && !WindowHasRegion(h));
  ShowForm();
  ASSERT_TRUE(testkit::PumpUntil([&] { return b->RegionApplied(); }));
  EXPECT_TRUE(WindowHasRegion(h, 100, 21));
  // On the screen the left column and the top row show the form.
  testkit::PumpPending();
  testkit::Image shot = testkit::CaptureScreen(h);
  EXPECT_TRUE(shot.At(0, 10) == 0xFFFFFFu && shot.At(50, 0) == 0xFFFFFFu);
  EXPECT_NE(shot.At(50, 10), 0xFFFFFFu);

  HRGN first = b->ButtonRegion();
  b->SetBounds(20, 20, 150, 30);
  EXPECT_NE(b->ButtonRegion(), first);
  EXPECT_TRUE(WindowHasRegion(h, 150, 30));
  HRGN second = b->ButtonRegion();
  b->SetBounds(60, 70, 150, 30);  // a move
  EXPECT_EQ(b->ButtonRegion(), second);
  EXPECT_TRUE(WindowHasRegion(h, 150, 30));

  // Dropped, the window keeps its shape; a kind turns it on again at once.
  b->SetUseOrvRegion(false);
  b->SetBounds(60, 70, 120, 25);
  EXPECT_TRUE(b->ButtonRegion() == nullptr && WindowHasRegion(h, 150, 30));
  b->SetKind(ibkBlue);
  EXPECT_TRUE(WindowHasRegion(h, 100, 21));

  TOrvNewButton::SetRegionsEnabled(false);  // NOBUTTONSHAPES
  TOrvNewButton* square = AddButton(20, 120, 100, 21, "Square");
  testkit::PumpUntil([&] { return square->HasPainted(); });
  EXPECT_TRUE(square->ButtonRegion() == nullptr && !WindowHasRegion(square->Handle()));
}

TEST_F(OrvNewButtonRegion, RegionsNotHandedOverAreDeletedUnlessGivenFromOutside) {
  TOrvNewButton* b = AddButton(20, 20, 100, 21, "");
  // Made by the button, never handed over: deleted when replaced, even with
  // DelOldRgn off, since nobody else could ever free it.
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
  // And with a button that never painted.
  b->MakeButtonRegion();
  HRGN last = b->ButtonRegion();
  TComponent::Free(b);
  EXPECT_EQ(GetObjectType(last), 0u);
}

// ---- resources ----------------------------------------------------------------------------------
namespace {
// A form whose buttons hold every kind of GDI object a button makes: a face
// bitmap, regions handed over and replaced, fitted caption fonts, pens.
struct ButtonsOnAForm {
  TForm* Form = new TForm(Application);
  std::vector<TOrvNewButton*> Buttons;
  ButtonsOnAForm() {
    Form->AfterConstruction();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(300, 300, 250, 100);
    const char* captions[] = {"&Apply", "", "A caption far too wide"};
    for (int i = 0; i < 3; ++i) {
      auto* b = new TOrvNewButton(Form);
      b->SetParent(Form);
      b->SetBounds(0, 30 * i, i == 2 ? 30 : 100, 21);
      b->SetCaption(captions[i]);
      b->SetResBmpActive("ACT");
      Buttons.push_back(b);
    }
    Buttons[1]->SetKind(ibkCancel);
    Buttons[2]->SetEnabled(false);
    Form->Show();
    testkit::PumpUntil([&] {
      return std::all_of(Buttons.begin(), Buttons.end(), [](auto* b) { return b->HasPainted(); });
    });
    Buttons[0]->SetFocus();
    Buttons[0]->SetBounds(0, 0, 140, 25);
    Buttons[0]->Repaint();
    testkit::PumpPending();
  }
  void Free() {
    TComponent::Free(Form);
    testkit::PumpPending();
  }
};
}  // namespace

using OrvNewButtonResources = ButtonTest;

TEST_F(OrvNewButtonResources, NoGdiObjectLeftBehind) {
  WriteBmp(Faces / "ACT.bmp", 0x00C000);
  WriteBmp(Faces / "SILVER100.bmp", 0xC0C0C0);
  ButtonsOnAForm f;
  ASSERT_NE(f.Buttons[0]->FaceBitmap(), nullptr);
  std::vector<HGDIOBJ> held;
  for (TOrvNewButton* b : f.Buttons) {
    // A region handed to the window is the system's (Wine frees it at once).
    if (b->ButtonRegion() && !b->RegionApplied()) held.push_back(b->ButtonRegion());
    if (b->FaceBitmap()) held.push_back(b->FaceBitmap()->Handle());
    held.push_back(b->Canvas()->Font()->Handle());
    held.push_back(b->Canvas()->Pen()->Handle());
  }
  f.Free();
  for (HGDIOBJ h : held) EXPECT_EQ(GetObjectType(h), 0u) << h;

  // Over many buttons: the process holds no more GDI objects than before.
  const int before = ProbedGdiObjects();
  for (int i = 0; i < 20; ++i) ButtonsOnAForm().Free();
  EXPECT_LE(ProbedGdiObjects(), before + 2);
}

// ---- the looks, on screen -------------------------------------------------------------------
using OrvNewButtonLooks = ButtonTest;

TEST_F(OrvNewButtonLooks, OnScreen) {
  // The program's own face bitmaps, drawn by the build.
  std::string faces = testkit::ExeFolder() + "art\\Skins\\Buttons\\";
  if (!testkit::FileExists(faces + "OKGREEN.bmp")) GTEST_SKIP() << "no face bitmaps in " << faces;
  const struct {
    const char* Name;
    bool Bitmaps, Regions;
  } looks[] = {{"bitmaps", true, true}, {"nobitmaps", false, false}, {"noregions", true, false}};
  for (const auto& look : looks) {
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
    // The dialogs' buttons: batch window, attribute dialog, language chooser.
    TOrvNewButton* ok = add(8, 8, 100, "", ibkOK);
    add(116, 8, 100, "", ibkCancel);
    add(224, 8, 130, "&Save as...", ibkBlue);
    TOrvNewButton* apply = add(8, 40, 100, "&Apply", ibkBlue);
    add(116, 40, 100, "&Close", ibkBlue)->SetCaptionLeft(35);
    add(224, 40, 100, "", ibkHelp);
    TOrvNewButton* info = add(8, 72, 100, "", ibkInfo);
    add(116, 72, 35, "", ibkPPP);
    add(160, 72, 100, "", ibkOK)->SetEnabled(false);
    TOrvNewButton* english = add(8, 104, 100, "English Help", ibkOther);
    english->Font()->SetColor(clNavy);
    add(116, 104, 100, "Deutsche Hilfe", ibkOther)->Font()->SetColor(clNavy);
    f->Show();
    ASSERT_TRUE(testkit::PumpUntil([&] { return ok->HasPainted() && english->HasPainted(); }));
    testkit::MouseMove(info, 30, 10);  // hot
    apply->SetFocus();                 // focused, and held down by the space bar
    ASSERT_TRUE(testkit::PumpUntil([&] { return apply->Focused(); }));
    PostMessageA(apply->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    testkit::PumpPending();
    EXPECT_TRUE(testkit::SaveWindowShot(
        f->Handle(), testkit::ShotsFolder() + "EnterExitButton_" + look.Name + ".png"));
    // The rounded corner shows the form behind it only with regions.
    unsigned corner = testkit::CaptureScreen(f->Handle()).At(ok->Left(), ok->Top());
    EXPECT_EQ(corner == Rgb(0xE0E0E0), look.Regions);
    PostMessageA(apply->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001));
    testkit::PumpPending();
    TComponent::Free(f);
    testkit::PumpPending();
  }
}
