// The frame's design, construction, adoption of the window's controls,
// showing and closing.
#include "frame/UOberMetal.h"

#include <algorithm>

#include "controls/TrsPanel.h"
#include "drawing/PZBPanel.h"
#include "drawing/PZLabel.h"
#include "drawing/PZShaded.h"
#include "drawing/PZSpButt.h"
#include "frame/CaptionMarkup.h"
#include "frame/FramePanel.h"
#include "frame/OrvWindowSizeHook.h"
#include "framework/WideText.h"

namespace {
// A resize piece: an edge strip or corner piece with its cursor.
TShape* Piece(TComponent* owner, TWinControl* parent, const char* name, int l, int t, int w,
              int h, TCursor cursor) {
  TShape* s = Placed<TShape>(owner, parent, name, l, t, w, h);
  s->SetCursor(cursor);
  return s;
}

TImage* Picture(TComponent* owner, TWinControl* parent, const char* name, int l, int t, int w,
                int h) {
  TImage* i = Placed<TImage>(owner, parent, name, l, t, w, h);
  i->SetVisible(false);
  return i;
}

void TitleFont(TControl* c, TColor color) {
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-13);
  c->Font()->SetStyle(fsBold);
  c->Font()->SetColor(color);
}

TTrsPanel* SeeThroughPanel(TComponent* owner, TWinControl* parent, const char* name, int l, int t,
                           int w, int h, TAlign align) {
  auto* p = Placed<TTrsPanel>(owner, parent, name, l, t, w, h);
  p->SetBevelOuter(bvNone);
  p->SetCaption("");
  p->SetAlign(align);
  return p;
}

// The resize piece of a panel nearest to a point on the panel's border line,
// within the width of the border and its bevel; corners before edges.
TControl* ResizePieceNear(TOberFormMetal* f, TWinControl* panel, int x, int y) {
  TControl* const pieces[] = {f->ShapeLOL, f->ShapeLOO, f->ShapeROO, f->ShapeROR, f->ShapeRUU,
                              f->ShapeRUR, f->ShapeLUL, f->ShapeLUU, f->ImgEcke,  f->ShapeO,
                              f->ShapeU,   f->ShapeR,   f->ShapeL};
  auto gap = [](int v, int from, int length) {
    return v < from ? from - v : v >= from + length ? v - (from + length - 1) : 0;
  };
  TControl* nearest = nullptr;
  int best = 4;  // the line, and a bevel two pixels wide, and one more
  for (TControl* c : pieces) {
    if (c->Parent() != panel || !c->Visible()) continue;
    const int d = std::max(gap(x, c->Left(), c->Width()), gap(y, c->Top(), c->Height()));
    if (d < best) {
      best = d;
      nearest = c;
    }
  }
  return nearest;
}

TMenuItem* MenuItem(TComponent* owner, TPopupMenu* menu, const char* name, const std::string& caption) {
  auto* m = Designed<TMenuItem>(owner, name);
  m->SetCaption(caption);
  menu->Items()->Add(m);
  return m;
}
}  // namespace

// ---- design ------------------------------------------------------------------------------
TOberFormMetal::TOberFormMetal(TComponent* AOwner) : TOberFormAbs(AOwner) {
  SetName("OberFormMetal");
  SetCaption("OberFormMetal");
  SetBounds(Left(), Top(), 435, 300);
  SetColor(clWindow);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  CreateTitleBar();
  CreateClientPanel();
  CreateSystemMenu();
  TimerActivateVerzoegerung = Designed<TTimer>(this, "TimerActivateVerzoegerung");
  TimerActivateVerzoegerung->SetEnabled(false);
  TimerActivateVerzoegerung->SetInterval(50);
  TimerDeActivateVerzoegerung = Designed<TTimer>(this, "TimerDeActivateVerzoegerung");
  TimerDeActivateVerzoegerung->SetEnabled(false);
  TimerDeActivateVerzoegerung->SetInterval(100);
  BindHandlers();
}

void TOberFormMetal::CreateTitleBar() {
  PanelHead = Placed<TFramePanel>(this, this, "PanelHead", 0, 0, 435, 22);
  PanelHead->SetAlign(alTop);
  PanelHead->SetBevelWidth(2);
  PanelHead->SetBorderStyle(bsSingle);
  PanelHead->SetColor(clSilver);
  PanelHead->SetCtl3D(false);
  PanelHead->SetCaption("");

  // Made first, so that everything else of the title bar lies above them.
  HeadShadeImage = Picture(this, PanelHead, "HeadShadeImage", 0, 0, 9, 22);
  HeadShadeImage->SetStretch(true);
  HeadShadeActiveImage = Picture(this, PanelHead, "HeadShadeActiveImage", 0, 0, 9, 22);
  HeadShadeActiveImage->SetStretch(true);

  // Left-aligned parts keep their order by position: the dialog corner
  // before the system image before the grey space.
  RundLO = Picture(this, PanelHead, "RundLO", 0, 0, 5, 16);
  RundLO->SetAlign(alLeft);
  RundLO->SetAutoSize(true);
  RundLO->SetTransparent(true);
  ImgSysM = Placed<TImage>(this, PanelHead, "ImgSysM", 5, 0, 16, 16);
  ImgSysM->SetAlign(alLeft);
  ImgSysM->SetTransparent(true);
  // Made before the title buttons' panel: of two parts at the right edge the
  // first made goes outermost.
  RundRO = Picture(this, PanelHead, "RundRO", 420, 0, 6, 16);
  RundRO->SetAlign(alRight);
  RundRO->SetAutoSize(true);
  RundRO->SetTransparent(true);

  ShapeO = Piece(this, PanelHead, "ShapeO", 16, 0, 65, 2, crSizeNS);
  ShapeLOL = Piece(this, PanelHead, "ShapeLOL", 0, 0, 2, 16, crSizeNWSE);
  ShapeLOO = Piece(this, PanelHead, "ShapeLOO", 0, 0, 16, 2, crSizeNWSE);
  ShapeROO = Piece(this, PanelHead, "ShapeROO", 400, 0, 16, 2, crSizeNESW);
  ShapeROR = Piece(this, PanelHead, "ShapeROR", 383, 1, 2, 16, crSizeNESW);

  PanelGraySpace = SeeThroughPanel(this, PanelHead, "PanelGraySpace", 21, 0, 2, 16, alLeft);
  PanelHeadShade = SeeThroughPanel(this, PanelHead, "PanelHeadShade", 23, 0, 300, 16, alClient);
  HeadShade = Placed<TPZShaded>(this, PanelHeadShade, "HeadShade", 0, 1, 193, 14);
  HeadShade->SetStartColor(clBlue);
  HeadShade->SetEndColor(clSilver);
  HeadShade->SetGraduation(25);
  HeadShade->SetDirection(drHorizontal);
  // The white under-copy first: the caption proper lies on top of it.
  LabelWh = Placed<TPZLabel>(this, PanelHeadShade, "LabelWh", 5, 0, 65, 17);
  TitleFont(LabelWh, clWhite);
  // A title too long for the bar is cut with an ellipsis: wrapped, its
  // rest would go to a line that never shows.
  LabelWh->SetEndEllipsis(true);
  LabelBl = Placed<TPZLabel>(this, PanelHeadShade, "LabelBl", 4, -1, 65, 16);
  TitleFont(LabelBl, clNavy);
  LabelBl->SetEndEllipsis(true);

  PanelX = SeeThroughPanel(this, PanelHead, "PanelX", 330, 0, 80, 16, alRight);
  WinZoomButt = Placed<TPZSpeedButton>(this, PanelX, "WinZoomButt", 0, 0, 16, 16);
  WinZoomButt->SetVisible(false);
  WinDownButt = Placed<TPZSpeedButton>(this, PanelX, "WinDownButt", 16, 0, 16, 16);
  WinUpButt = Placed<TPZSpeedButton>(this, PanelX, "WinUpButt", 32, 0, 16, 16);
  WinBigButt = Placed<TPZSpeedButton>(this, PanelX, "WinBigButt", 48, 0, 16, 16);
  WinXButt = Placed<TPZSpeedButton>(this, PanelX, "WinXButt", 64, 0, 16, 16);
  for (TPZSpeedButton* b : {WinZoomButt, WinDownButt, WinUpButt, WinBigButt, WinXButt}) {
    b->SetNumGlyphs(2);
    b->SetCaption("");
  }
}

void TOberFormMetal::CreateClientPanel() {
  PanelClient = Placed<TFramePanel>(this, this, "PanelClient", 0, 22, 435, 278);
  PanelClient->SetAlign(alClient);
  PanelClient->SetBevelWidth(2);
  PanelClient->SetBorderStyle(bsSingle);
  PanelClient->SetColor(clSilver);
  PanelClient->SetCtl3D(false);
  PanelClient->SetCaption("");

  ImgEcke = Placed<TImage>(this, PanelClient, "ImgEcke", 400, 220, 16, 16);
  ImgEcke->SetAutoSize(true);
  ImgEcke->SetTransparent(true);
  ImgEcke->SetCursor(crSizeNWSE);

  ShapeU = Piece(this, PanelClient, "ShapeU", 16, 240, 65, 2, crSizeNS);
  ShapeR = Piece(this, PanelClient, "ShapeR", 415, 4, 2, 50, crSizeWE);
  ShapeL = Piece(this, PanelClient, "ShapeL", 0, 4, 2, 65, crSizeWE);
  ShapeRUU = Piece(this, PanelClient, "ShapeRUU", 376, 239, 16, 2, crSizeNWSE);
  ShapeRUR = Piece(this, PanelClient, "ShapeRUR", 415, 204, 2, 16, crSizeNWSE);
  ShapeLUL = Piece(this, PanelClient, "ShapeLUL", 0, 228, 2, 16, crSizeNESW);
  ShapeLUU = Piece(this, PanelClient, "ShapeLUU", 2, 239, 16, 2, crSizeNESW);

  RundLU = Picture(this, PanelClient, "RundLU", 1, 272, 5, 5);
  RundLU->SetAutoSize(true);
  RundLU->SetTransparent(true);
  RundRU = Picture(this, PanelClient, "RundRU", 428, 272, 6, 5);
  RundRU->SetAutoSize(true);
  RundRU->SetTransparent(true);

  ImgBorderW = Picture(this, PanelClient, "ImgBorderW", 0, 0, 10, 268);
  ImgBorderW->SetStretch(true);
  ImgBorderE = Picture(this, PanelClient, "ImgBorderE", 425, 0, 10, 278);
  ImgBorderE->SetStretch(true);
  ImgBorderSW = Picture(this, PanelClient, "ImgBorderSW", 0, 268, 10, 10);
  ImgBorderSW->SetAutoSize(true);
  ImgBorderS = Picture(this, PanelClient, "ImgBorderS", 10, 268, 425, 10);
  ImgBorderS->SetStretch(true);
  ImgBorderN = Picture(this, PanelClient, "ImgBorderN", 0, 0, 435, 5);
  ImgBorderN->SetStretch(true);
}

void TOberFormMetal::CreateSystemMenu() {
  SysMen = Designed<TPopupMenu>(this, "SysMen");
  MenMinimieren = MenuItem(this, SysMen, "MenMinimieren", "Mi&nimieren");
  MenMaximieren = MenuItem(this, SysMen, "MenMaximieren", "Ma&ximieren");
  MenLinie = MenuItem(this, SysMen, "MenLinie", "-");
  // The menu is German in every language; the text is in the 8-bit code page.
  MenSchlieen = MenuItem(this, SysMen, "MenSchlieen", Utf8ToAnsi("&Schlie\xC3\x9F" "en"));
}

void TOberFormMetal::BindHandlers() {
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };

  // The title bar and both caption labels move the window.
  for (TControl* c : std::initializer_list<TControl*>{PanelHead, LabelWh, LabelBl}) {
    c->OnDblClick = [this](TObject* s) { PanelHeadDblClick(s); };
    c->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      PanelHeadMouseDown(s, b, sh, x, y);
    };
    c->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
      PanelHeadMouseMove(s, sh, x, y);
    };
    c->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      PanelHeadMouseUp(s, b, sh, x, y);
    };
    // Another window taking the mouse mid-drag ends the drag as a release would.
    c->OnCaptureLost = [this](TObject*) { EndTitleDrag(); };
  }
  ImgSysM->OnClick = [this](TObject* s) { ImgSysMClick(s); };
  ImgSysM->OnDblClick = [this](TObject* s) { WinXButtClick(s); };
  WinZoomButt->OnClick = [this](TObject* s) { WinZoomButtClick(s); };
  WinDownButt->OnClick = [this](TObject* s) { WinDownButtClick(s); };
  WinUpButt->OnClick = [this](TObject* s) { WinUpButtClick(s); };
  WinBigButt->OnClick = [this](TObject* s) { WinBigButtClick(s); };
  WinXButt->OnClick = [this](TObject* s) { WinXButtClick(s); };
  MenMinimieren->OnClick = [this](TObject* s) { WinUpButtClick(s); };
  MenMaximieren->OnClick = [this](TObject* s) { WinBigButtClick(s); };
  MenSchlieen->OnClick = [this](TObject* s) { WinXButtClick(s); };
  TimerActivateVerzoegerung->OnTimer = [this](TObject* s) { TimerActivateVerzoegerungTimer(s); };
  TimerDeActivateVerzoegerung->OnTimer = [this](TObject* s) {
    TimerDeActivateVerzoegerungTimer(s);
  };

  using Move = void (TOberFormMetal::*)(TObject*, TShiftState, int, int);
  const std::pair<TControl*, Move> pieces[] = {
      {ShapeU, &TOberFormMetal::ShapeUMouseMove},     {ShapeO, &TOberFormMetal::ShapeOMouseMove},
      {ShapeR, &TOberFormMetal::ShapeRMouseMove},     {ShapeL, &TOberFormMetal::ShapeLMouseMove},
      {ImgEcke, &TOberFormMetal::ImgEckeMouseMove},   {ShapeRUU, &TOberFormMetal::ImgEckeMouseMove},
      {ShapeRUR, &TOberFormMetal::ImgEckeMouseMove},  {ShapeLUL, &TOberFormMetal::ShapeLUMouseMove},
      {ShapeLUU, &TOberFormMetal::ShapeLUMouseMove},  {ShapeLOL, &TOberFormMetal::ShapeLOMouseMove},
      {ShapeLOO, &TOberFormMetal::ShapeLOMouseMove},  {ShapeROO, &TOberFormMetal::ShapeROMouseMove},
      {ShapeROR, &TOberFormMetal::ShapeROMouseMove},
  };
  for (const auto& [piece, move] : pieces) {
    piece->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      ImgEckeMouseDown(s, b, sh, x, y);
    };
    piece->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      ImgEckeMouseUp(s, b, sh, x, y);
    };
    piece->OnMouseMove = [this, move](TObject* s, TShiftState sh, int x, int y) {
      (this->*move)(s, sh, x, y);
    };
    piece->OnCaptureLost = [this](TObject*) { FrameDragging = false; };
  }
}

void TOberFormMetal::SetButtonGlyph(TPZSpeedButton* button, const TBitmap* glyph) {
  if (glyph) button->SetGlyph(glyph);
}

// ---- construction ------------------------------------------------------------------------
void TOberFormMetal::FormCreate(TObject*) {
  FIsActive = false;
  FMetal = true;  // a request: the first show settles it
  FActiveLookShown = true;
  FFormKey.clear();
  FCaptionLabel1 = &LabelBl;
  FCaptionLabel2 = &LabelWh;
  SetCaptionText(Caption());
  FRoundRegion = false;

  const FrameSkin& skin = Skin();
  SetButtonGlyph(WinDownButt, skin.DOWN_M.get());
  SetButtonGlyph(WinUpButt, skin.UP_M.get());
  SetButtonGlyph(WinBigButt, skin.BIG_M.get());
  SetButtonGlyph(WinXButt, skin.X_M.get());
  SetButtonGlyph(WinZoomButt, skin.ZOOMIN_M.get());
  if (skin.ECKE_M) ImgEcke->Picture()->Assign(skin.ECKE_M.get());
  if (skin.SYSM_M) ImgSysM->Picture()->Assign(skin.SYSM_M.get());
  for (auto [image, picture] : {std::pair{RundLO, skin.RundLO.get()}, {RundRO, skin.RundRO.get()},
                                {RundLU, skin.RundLU.get()}, {RundRU, skin.RundRU.get()}})
    if (picture) image->Picture()->Assign(picture);
  SetRolledUp(false);

  const TFormBorderStyle style = BorderStyle();
  if (style == bsNone) SetHeight(Height() + PanelHead->Height());
  if ((style == bsSingle || style == bsDialog) && !WinBorderMode)
    SetBounds(Left(), Top(), Width() - 4, Height() - 4);
  if (style != bsDialog && Tag() == 0) SetTag(1);

  if (style == bsDialog) {
    if (WinBorderMode) {
      SetBorderIcons(biSystemMenu);
    } else {
      SetBorderIcons(BorderIcons() & ~unsigned(biMinimize | biMaximize));
      for (TPZBitmapPanel* p : {PanelHead, PanelClient}) {
        p->SetBorderStyle(bsNone);
        p->SetBevelWidth(1);
      }
      PanelHead->SetHeight(PanelHead->Height() - 4);
      for (TImage* i : {RundLO, RundRO, RundLU, RundRU}) i->SetVisible(true);
      SetRoundRegion(true);
    }
  }

  TShape* const strips[] = {ShapeO, ShapeLOL, ShapeLOO, ShapeROO, ShapeROR, ShapeU,
                            ShapeR, ShapeL,  ShapeRUU, ShapeRUR, ShapeLUL, ShapeLUU};
  const bool sizeable = style == bsSizeable || style == bsSizeToolWin;
  if (!sizeable || WinBorderMode) {
    for (TShape* s : strips) s->SetVisible(false);
    if (!sizeable) {
      ImgEcke->SetVisible(false);
      ImgEcke->Picture()->Clear();
    }
  } else {
    SetTag(-Tag());
    // Invisible, but still under the mouse.
    for (TShape* s : strips) {
      s->Pen()->SetStyle(psClear);
      s->Brush()->SetStyle(bsClear);
    }
    // The panels' border line is the window's edge too, to its outer pixel.
    for (TPZBitmapPanel* p : {PanelHead, PanelClient})
      if (auto* panel = dynamic_cast<TFramePanel*>(p))
        panel->BorderPiece = [this, panel](int x, int y) {
          return ResizePieceNear(this, panel, x, y);
        };
  }

  if (ShadedMode) {
    WinBorderMode = false;
    ApplyShadedLook();
  }

  if (WinBorderMode) {
    // The system draws frame and caption: the designed border style stays.
    PanelHead->SetVisible(false);
    PanelClient->SetBevelOuter(bvNone);
    PanelClient->SetBorderStyle(bsNone);
    SetBorderIcons(BorderIcons() & ~unsigned(biHelp));
  } else {
    SetBorderStyle(bsNone);
    const TBorderIcons icons = BorderIcons();
    ImgSysM->SetVisible(icons & biSystemMenu);
    WinBigButt->SetVisible(icons & biMaximize);
    MenMaximieren->SetVisible(WinBigButt->Visible());
    WinDownButt->SetVisible((icons & biHelp) && (icons & biMinimize));
    WinUpButt->SetVisible(icons & biMinimize);
    MenMinimieren->SetVisible(WinUpButt->Visible());
    MenLinie->SetVisible(MenMinimieren->Visible());
    LayoutTitleButtons();
  }
}

bool TOberFormMetal::IsResizableFrame() const { return ImgEcke->Visible(); }

bool TOberFormMetal::IsDialogFrame() const { return RundLO->Visible(); }

void TOberFormMetal::SetCaptionText(const std::string& text) {
  TOberFormAbs::SetCaptionText(text);
  // Task bar, task switchers and other programs read the system caption:
  // it holds the text without markup in every look.
  SetCaption(StripCaptionMarkup(text));
}

// ---- showing -----------------------------------------------------------------------------
void TOberFormMetal::FormShow(TObject*) {
  if (IsDialogFrame()) DimActiveFrame();
  FormResize(this);
  // A designed grip gives the window its size; a resizable window whose
  // size came back from the registry keeps that size instead (the user
  // made it so), else its remembered size would never show.
  if (!FSizeRestored) ApplySizeHooks(this);
  if (FMetal && HeadShade) SetMetalLook(true);
  if (FShaded && !FTitleShadowPlaced && ImgBorderN) {
    // The shadow goes onto the control at the top of the client area, so
    // that it lies over that control and not behind it.
    for (int i = 0; i < ComponentCount(); ++i) {
      auto* w = dynamic_cast<TWinControl*>(Components(i));
      if (!w || w->Align() != alTop || w->Parent() != PanelClient || w->Top() > 1) continue;
      ImgBorderN->SetParent(w);
      ImgBorderN->BringToFront();
      break;
    }
    FTitleShadowPlaced = true;
  }
}

void TOberFormMetal::FormClose(TObject*, TCloseAction&) {
  if (IsDialogFrame()) LightActiveFrame();
}

void TOberFormMetal::FormDestroy(TObject*) {
  FRoundRegion = false;
  SavePlacement();
}

void TOberFormMetal::Notification(TComponent* AComponent, TOperation Operation) {
  TOberFormAbs::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == HeadShade) HeadShade = nullptr;
  // The title shadow lies on the window's own top control and goes with it
  // when the window frees that control.
  if (Operation == opRemove && AComponent == ImgBorderN) ImgBorderN = nullptr;
}

void TOberFormMetal::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      // A click on an inactive frame window activates it and still reaches
      // the control under the pointer (a title button, a resize piece).
      m.Result = MA_ACTIVATE;
      return;
    case WM_GETMINMAXINFO:
      TOberFormAbs::WndProc(m);
      ConstrainMaximized(reinterpret_cast<MINMAXINFO*>(m.LParam));
      return;
    case WM_WINDOWPOSCHANGING:
      // The system keeps a window without a sizing border to its size
      // limits only when the user drags its frame: other programs' size
      // changes meet the window's constraints here.
      if (auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
          wp && !(wp->flags & SWP_NOSIZE) && !IsIconic(HandleIfAllocated())) {
        wp->cx = Constraints().ClampWidth(wp->cx);
        wp->cy = Constraints().ClampHeight(wp->cy);
      }
      TOberFormAbs::WndProc(m);
      return;
    default:
      TOberFormAbs::WndProc(m);
  }
}

void TOberFormMetal::ConstrainMaximized(MINMAXINFO* info) {
  // Without a system frame the system would maximise a window over the
  // whole screen, task bar included; the frame keeps to the work area.
  if (!info || WinBorderMode || !Screen) return;
  const TRect wa = Screen->WorkAreaRect();
  info->ptMaxPosition = POINT{wa.left, wa.top};
  info->ptMaxSize = POINT{wa.Width(), wa.Height()};
}

// ---- tOrvFormMetal -----------------------------------------------------------------------
tOrvFormMetal::tOrvFormMetal(TComponent* AOwner) : TOberFormMetal(AOwner) {}

void tOrvFormMetal::FormCreate(TObject* Sender) {
  TOberFormMetal::FormCreate(Sender);
  FContentBottom = 0;
  bool gripFound = false;
  // Taking a control into the panel removes it from the form's list, so the
  // same index then names the next control.
  for (int i = 0; i < ControlCount();) {
    TControl* c = Controls(i);
    const std::string& n = c->Name();
    if (n == "PanelHead" || n == "PanelClient" || n.compare(0, 5, "Shape") == 0) {
      ++i;
      continue;
    }
    const int l = c->Left(), t = c->Top();
    c->SetParent(PanelClient);
    c->SetBounds(l, t, c->Width(), c->Height());
    if (c->Align() == alNone && t + c->Height() > FContentBottom) FContentBottom = t + c->Height();
    if (auto* grip = dynamic_cast<TOrvWindowSizeHook*>(c)) {
      gripFound = true;
      if (!WinBorderMode) {
        const int plus = IsDialogFrame() ? 1 : 3;
        grip->SetPlusX(plus);
        grip->SetPlusY(plus);
      }
    }
  }
  if (gripFound) FContentBottom = 0;
}

void tOrvFormMetal::FormShow(TObject* Sender) {
  TOberFormMetal::FormShow(Sender);
  if (FShownOnce) return;
  FShownOnce = true;
  const int m = PanelClient->BevelOuter() != bvNone ? 2 * PanelClient->BevelWidth() : 0;
  // Set as a client height: the same as the whole height under the frame's
  // own title bar, and right under the system's caption too.
  if (PanelClient->Height() < m + FContentBottom)
    SetClientHeight(m + FContentBottom + (PanelHead->Visible() ? PanelHead->Height() : 0));
}
