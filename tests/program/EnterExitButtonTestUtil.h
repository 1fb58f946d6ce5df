// Helpers of the image button's tests: a form to put buttons on, with the
// class-wide switches saved and restored, face bitmaps written on the fly,
// and off-screen pictures of a button.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/EnterExitButton.h"
#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "testkit/TestKit.h"

namespace btntest {

using testkit::Rgb;

// Writes a Windows bitmap file of one colour.
inline void WriteBmp(const std::string& path, TColor colour) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(4, 2);
  bmp.Canvas()->Brush()->SetColor(colour);
  bmp.Canvas()->FillRect(TRect(0, 0, 4, 2));
  bmp.SaveToFile(path);
}

// Paints the button through WM_PAINT into an off-screen 32-bit picture that
// starts out in a colour no face uses.
constexpr unsigned kUnpainted = 0xFF00FF;
inline testkit::Image PaintOffscreen(TWinControl* c) {
  return testkit::PaintOffscreen(c, false, kUnpainted);
}

// Horizontal extent of the pixels inside the frame that differ from the face.
struct Ink {
  int Left = -1, Right = -1;
  int Width() const { return Left < 0 ? 0 : Right - Left + 1; }
  double Centre() const { return (Left + Right) / 2.0; }
};
inline Ink InkOf(const testkit::Image& img, unsigned face) {
  Ink ink;
  for (int y = 1; y < img.Height - 1; ++y)
    for (int x = 1; x < img.Width - 1; ++x) {
      if (img.At(x, y) == face) continue;
      if (ink.Left < 0 || x < ink.Left) ink.Left = x;
      if (x > ink.Right) ink.Right = x;
    }
  return ink;
}

inline int CountColour(const testkit::Image& img, unsigned rgb) {
  int n = 0;
  for (unsigned p : img.Pixels) n += p == rgb;
  return n;
}

// Text width in a font, measured on a screen DC.
inline int TextWidthIn(const TFont& font, const std::string& text) {
  WindowDC screen(nullptr);
  TCanvas c;
  c.SetHandle(screen.Get());
  c.Font()->Assign(font);
  int w = c.TextWidth(text);
  c.SetHandle(nullptr);
  return w;
}

// A borderless form on the virtual screen with the button switches of the
// test's own: faces come from an empty folder unless a test writes some.
class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FSavedPath = TOrvNewButton::DefaultBitmapPath();
    FSavedBitmaps = TOrvNewButton::BitmapsEnabled();
    FSavedRegions = TOrvNewButton::RegionsEnabled();
    TOrvNewButton::SetDefaultBitmapPath(Faces.Path());
    TOrvNewButton::SetBitmapsEnabled(true);
    TOrvNewButton::SetRegionsEnabled(true);
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 360, 200);
    Form->SetColor(clWhite);
  }
  void TearDown() override {
    if (Form) TComponent::Free(Form);
    testkit::PumpPending();
    TOrvNewButton::SetDefaultBitmapPath(FSavedPath);
    TOrvNewButton::SetBitmapsEnabled(FSavedBitmaps);
    TOrvNewButton::SetRegionsEnabled(FSavedRegions);
  }

  TOrvNewButton* AddButton(int x, int y, int w, int h, const std::string& caption) {
    auto* b = new TOrvNewButton(Form);
    b->SetParent(Form);
    b->SetBounds(x, y, w, h);
    b->SetCaption(caption);
    return b;
  }

  // Shows the form and waits until every button on it has painted.
  void ShowForm() {
    Form->Show();
    ASSERT_TRUE(testkit::PumpUntil([this] {
      if (!IsWindowVisible(Form->Handle())) return false;
      for (int i = 0; i < Form->ControlCount(); ++i) {
        auto* b = dynamic_cast<TOrvNewButton*>(Form->Controls(i));
        if (b && b->Visible() && !b->HasPainted()) return false;
      }
      return true;
    }));
  }

  // Moves the real pointer over a point of the form that no button covers.
  void PointerToForm() { testkit::MouseMove(Form, 350, 190); }

  testkit::TempDir Faces;
  TForm* Form = nullptr;

 private:
  std::string FSavedPath;
  bool FSavedBitmaps = true;
  bool FSavedRegions = true;
};

}  // namespace btntest
