// All of the program's own controls on one surface, with the program's
// artwork, photographed for a look by eye; the checks cover what only shows
// when the controls meet: see-through controls over see-through panels.
#include <gtest/gtest.h>

#include "ControlsTestUtil.h"
#include "controls/OrvCustomCheck.h"
#include "controls/OrvRoundRectPanel.h"
#include "controls/TrsPanel.h"
#include "drawing/PZSpButt.h"
#include "framework/StdCtrls.h"

using namespace ctltest;

namespace {

TPZSpeedButton* Button(TComponent* owner, TWinControl* parent, int l, int t, int w, int h,
                       const char* caption, const char* glyph) {
  auto* b = new TPZSpeedButton(owner);
  b->SetBounds(l, t, w, h);
  b->Font()->SetName("Arial");
  b->Font()->SetHeight(-11);
  b->SetCaption(caption);
  TBitmap picture;
  if (FindResourceA(GetModuleHandleA(nullptr), glyph, MAKEINTRESOURCEA(2))) {
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), glyph);
    b->SetGlyph(&picture);
  }
  b->SetParent(parent);
  return b;
}

TOrvCheck* Check(TComponent* owner, TWinControl* parent, int l, int t, const char* caption) {
  auto* c = new TOrvCheck(owner);
  c->SetBounds(l, t, 190, 19);
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-11);
  c->SetCaption(caption);
  c->SetTransparent(true);
  c->SetParent(parent);
  return c;
}

}  // namespace

TEST(ControlsShowcase, AllControlsTogether) {
  auto stage = MakeStage(600, 330, true);
  TStage* s = stage.get();
  TPZSpeedButton* update = Button(s, s, 8, 3, 73, 45, "&Update", "GLYPH_UPDATE");
  Button(s, s, 88, 3, 73, 45, "&Explore", "GLYPH_EXPLORE");
  TPZSpeedButton* explorer = Button(s, s, 168, 3, 73, 45, "Explore&r", "GLYPH_EXPLORER");
  explorer->SetGroupIndex(1);
  explorer->SetDown(true);
  Button(s, s, 272, 3, 25, 25, "", "GLYPH_HELP");

  auto* right = new TTrsPanel(s);
  right->SetBevelOuter(bvNone);
  right->SetBounds(313, 0, 256, 49);
  right->SetParent(s);
  TPZSpeedButton* cross = Button(s, right, 15, 3, 73, 45, "Insert '#'", "GLYPH_CROSS");
  Button(s, right, 95, 3, 73, 45, "Insert filter", "GLYPH_FILTER");
  Button(s, right, 174, 3, 75, 45, "Insert filename", "GLYPH_FNAME")->SetEnabled(false);

  auto* cmd = new TOrvRoundRectPanel(s);
  cmd->SetBounds(8, 60, 529, 21);
  cmd->SetClipFirstControl(true);
  cmd->SetClipLeft(2);
  cmd->SetClipRight(4);
  cmd->SetClipTop(2);
  cmd->SetClipBottom(4);
  cmd->SetParent(s);
  auto* edit = new TEdit(s);
  edit->SetBounds(6, -1, 517, 24);
  edit->SetText("dir /w");
  edit->SetParent(cmd);

  auto* files = new TOrvRoundRectPanel(s);
  files->SetBounds(8, 90, 273, 120);
  files->SetClipFirstControl(true);
  files->SetClipLeft(1);
  files->SetClipRight(2);
  files->SetClipTop(1);
  files->SetClipBottom(2);
  files->SetParent(s);
  auto* list = new TListBox(s);
  list->SetBounds(8, 8, 257, 104);
  list->SetParent(files);
  for (const char* n : {"AUTOEXEC.BAT", "CONFIG.SYS", "OrvQuill.exe", "ReadMe.RTF"})
    list->Items()->Add(n);

  Check(s, s, 300, 90, "Unchecked");
  Check(s, s, 300, 110, "Checked")->SetChecked(true);
  TOrvCheck* grayed = Check(s, s, 300, 130, "Grayed");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
  TOrvCheck* question = Check(s, s, 300, 150, "Grayed with &question mark");
  question->SetAllowGrayed(true);
  question->SetGrayedQuestionMark(true);
  question->SetState(cbGrayed);
  TOrvCheck* disabled = Check(s, s, 300, 170, "Close DOS-Window after execution");
  disabled->SetChecked(true);
  disabled->SetEnabled(false);
  TOrvCheck* radio = Check(s, s, 300, 190, "Radio, checked");
  radio->SetIsRadioButton(true);
  radio->SetRadioGroup(1);
  radio->SetChecked(true);
  TOrvCheck* radio2 = Check(s, s, 300, 210, "Radio");
  radio2->SetIsRadioButton(true);
  radio2->SetRadioGroup(1);
  TOrvCheck* left = Check(s, s, 300, 230, "Box on the right");
  left->SetAlignment(taLeftJustify);
  left->SetFlat(false);
  left->SetImageType(igCrossGreen);
  left->SetChecked(true);
  TOrvCheck* framed = Check(s, s, 300, 252, "Simple frame, not flat, blue cross");
  framed->SetTransparent(false);
  framed->SetStyle(bmSimple);
  framed->SetFlat(false);
  framed->SetImageType(igCrossBlue);
  framed->SetChecked(true);
  TOrvCheck* hot = Check(s, s, 300, 276, "Hot tracked");
  hot->SetHotTrack(true);

  auto* bevelled = new TTrsPanel(s);
  bevelled->SetBounds(8, 220, 273, 41);
  bevelled->SetBevelInner(bvLowered);
  bevelled->Font()->SetName("Arial");
  bevelled->Font()->SetHeight(-13);
  bevelled->Font()->SetStyle(fsBold);
  bevelled->SetCaption("See-through, bevelled");
  bevelled->SetParent(s);
  auto* engraved = new TTrsPanel(s);
  engraved->SetBounds(8, 270, 273, 41);
  engraved->SetBevelOuter(bvLowered);
  engraved->SetTransparent(false);
  engraved->Font()->Assign(*bevelled->Font());
  engraved->SetCaption("Opaque and disabled");
  engraved->SetEnabled(false);
  engraved->SetParent(s);

  Settle();
  testkit::MouseMove(hot, 60, 9);
  testkit::MouseMove(update, 30, 20);
  Settle();
  EXPECT_TRUE(hot->Hot() || update->ButtonState() == stHot);
  EXPECT_TRUE(explorer->Down());

  // The see-through panel shows the stage's gradient between its buttons.
  testkit::Image panel = testkit::CaptureScreen(right->Handle());
  EXPECT_EQ(GradientAt(313 + 2, 20), panel.At(2, 20));
  EXPECT_EQ(GradientAt(313 + 255, 48), panel.At(255, 48));
  // A see-through check box over the gradient, beside its caption.
  testkit::Image box = testkit::CaptureScreen(grayed->Handle());
  EXPECT_EQ(GradientAt(300 + 189, 130 + 18), box.At(189, 18));
  (void)cross;

  testkit::SaveWindowShot(s->Handle(), testkit::ShotsFolder() + "Controls_showcase.png");
}
