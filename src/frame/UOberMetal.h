// The metal frame: the title bar, border, looks, title buttons, moving,
// resizing and placement that every window of the program is drawn in.
//
// One class, its work split by concern:
//   UOberMetal.cpp           the frame's design, construction, adoption of
//                            the window's controls, showing, closing
//   UOberMetalLooks.cpp      metal, grey and shaded looks; activation
//   UOberMetalTitle.cpp      title buttons, system menu, roll-up, maximise,
//                            the rounded dialog region
//   UOberMetalSizing.cpp     moving, resizing, relayout, zoom
//   UOberMetalPlacement.cpp  placement in the registry
//   FrameSkin.*              the look switches and the skin pictures
//   FrameGeometry.*          the window-free rules (resizing, title-button
//                            places, scaling)
#pragma once

#include <string>

#include "frame/FrameGeometry.h"
#include "frame/FrameSkin.h"
#include "drawing/PZBPanel.h"
#include "frame/UOber.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"

class TPZLabel;
class TPZShaded;
class TPZSpeedButton;
class TTrsPanel;

// The first frame window (in the application's order) that holds activation
// shows its active, respectively inactive, title look; nothing without one.
void LightActiveFrame();
void DimActiveFrame();

class TOberFormMetal : public TOberFormAbs {
 public:
  explicit TOberFormMetal(TComponent* AOwner);

  // ---- designed components ----
  // Title bar, left to right inside its border: RundLO (dialogs), ImgSysM,
  // PanelGraySpace, PanelHeadShade (gradient and caption), PanelX (title
  // buttons), RundRO (dialogs).
  TPZBitmapPanel* PanelHead;
  TImage* HeadShadeImage;
  TImage* HeadShadeActiveImage;
  TImage* ImgSysM;
  TShape* ShapeO;
  TShape* ShapeLOL;
  TShape* ShapeLOO;
  TShape* ShapeROO;
  TShape* ShapeROR;
  TImage* RundLO;
  TImage* RundRO;
  TTrsPanel* PanelGraySpace;
  TTrsPanel* PanelHeadShade;
  // Destroyed by the metal look; nullptr from then on.
  TPZShaded* HeadShade;
  TPZLabel* LabelWh;
  TPZLabel* LabelBl;
  TTrsPanel* PanelX;
  TPZSpeedButton* WinZoomButt;
  TPZSpeedButton* WinDownButt;
  TPZSpeedButton* WinUpButt;
  TPZSpeedButton* WinBigButt;
  TPZSpeedButton* WinXButt;
  // The window's own controls live here.
  TPZBitmapPanel* PanelClient;
  TImage* ImgEcke;
  TShape* ShapeU;
  TShape* ShapeR;
  TShape* ShapeL;
  TShape* ShapeRUU;
  TShape* ShapeRUR;
  TShape* ShapeLUL;
  TShape* ShapeLUU;
  TImage* RundLU;
  TImage* RundRU;
  TImage* ImgBorderW;
  TImage* ImgBorderE;
  TImage* ImgBorderSW;
  TImage* ImgBorderS;
  TImage* ImgBorderN;
  TPopupMenu* SysMen;
  TMenuItem* MenMinimieren;
  TMenuItem* MenMaximieren;
  TMenuItem* MenLinie;
  TMenuItem* MenSchlieen;
  TTimer* TimerActivateVerzoegerung;
  TTimer* TimerDeActivateVerzoegerung;

  // ---- form handlers (a window with its own handler of the same name
  // calls the frame's first) ----
  virtual void FormCreate(TObject* Sender);
  virtual void FormShow(TObject* Sender);
  virtual void FormResize(TObject* Sender);
  virtual void FormActivate(TObject* Sender);
  virtual void FormDeactivate(TObject* Sender);
  virtual void FormClose(TObject* Sender, TCloseAction& Action);
  virtual void FormDestroy(TObject* Sender);

  // ---- looks ----
  void ShowActiveLook() override;
  void ShowInactiveLook() override;
  void SetCaptionText(const std::string& text) override;
  void SetMetalLook(bool on);
  void ApplyShadedLook();
  void SetHeadBitmap(const TBitmap* bitmap);
  void TimerActivateVerzoegerungTimer(TObject* Sender);
  void TimerDeActivateVerzoegerungTimer(TObject* Sender);

  // ---- title buttons, system menu, window shape ----
  void LayoutTitleButtons();
  void ImgSysMClick(TObject* Sender);
  void WinXButtClick(TObject* Sender);
  void WinBigButtClick(TObject* Sender);
  void WinUpButtClick(TObject* Sender);
  void WinDownButtClick(TObject* Sender);
  void PanelHeadDblClick(TObject* Sender);
  void SetRolledUp(bool on);
  void SetRoundRegion(bool on);
  void UpdateRoundRegion();

  // ---- moving, resizing, zoom ----
  void PanelHeadMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PanelHeadMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void PanelHeadMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ImgEckeMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ImgEckeMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ImgEckeMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeUMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeOMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeRMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeLMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeLUMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeLOMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ShapeROMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void WinZoomButtClick(TObject* Sender);
  virtual void SetZoomed(bool on);
  virtual void ScaleFrame(double factor);

  // ---- placement ----
  // Keeps the window's registry key and, when positions are remembered,
  // applies the placement stored under it.
  void RestorePlacement(const std::string& formKey);

  // ---- state ----
  const std::string& FormKey() const { return FFormKey; }
  bool IsActiveFrame() const { return FIsActive; }
  bool Metal() const { return FMetal; }
  bool Shaded() const { return FShaded; }
  bool RolledUp() const { return FRolledUp; }
  bool Zoomed() const { return FZoomed; }
  bool RoundRegion() const { return FRoundRegion; }
  bool ActiveLookShown() const { return FActiveLookShown; }
  // A resizable frame (its size grip shows) stores its size as well as its
  // position.
  bool IsResizableFrame() const;
  // A dialog frame: rounded corners, 18-pixel title bar (the corner pieces
  // mark it, in every look).
  bool IsDialogFrame() const;

  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  bool FIsActive = false;
  bool FMetal = false;
  bool FActiveLookShown = false;
  bool FShaded = false;
  bool FTitleShadowPlaced = false;
  bool FRolledUp = false;
  int FUnrolledHeight = 0;
  int FUnrolledMinHeight = 0;
  bool FRoundRegion = false;
  bool FZoomed = false;
  std::string FFormKey;
  // A move or resize drag of this window is in progress; the pointer's
  // place at its start, in the pressed piece's coordinates. Held per window:
  // a window that goes away mid-drag leaves no other window refusing drags.
  bool FrameDragging = false;
  int DragStartX = 0;
  int DragStartY = 0;
  // The caption is sunk by a title drag.
  bool FCaptionSunk = false;
  // A resizable frame took its size from the stored placement: the size the
  // user gave it wins over its designed grip at every show.
  bool FSizeRestored = false;

  void HandleCreated() override;
  TColor FCaptionColorActive = clBlack;
  TColor FCaptionColorInactive = clBlack;
  TColor FShadowColorActive = clBlack;
  TColor FShadowColorInactive = clBlack;

 private:
  // The active or the inactive title in the current look.
  void ShowLook(bool active);
  // The shaded look's flip on activation: topmost for a moment, which puts
  // the window above other programs' windows, then back among the windows
  // that are not topmost, unless it stays on top.
  void RaiseAboveOtherPrograms();
  void CreateTitleBar();
  void CreateClientPanel();
  void CreateSystemMenu();
  void BindHandlers();
  void SetButtonGlyph(TPZSpeedButton* button, const TBitmap* glyph);
  // The title drag's end, on release or when the capture is lost.
  void EndTitleDrag();
  // A resize drag (not a title drag) is in progress.
  bool Resizing() const;
  // One rule of a resize drag, as a bounds change of its own.
  void ResizeBy(ResizeRule rule, int delta);
  void SavePlacement();
  void ScaleControlTree(TControl* control, double factor);
  void ConstrainMaximized(MINMAXINFO* info);
};

class tOrvFormMetal : public TOberFormMetal {
 public:
  explicit tOrvFormMetal(TComponent* AOwner);
  // Adopts the window's designed controls into the client panel.
  void FormCreate(TObject* Sender) override;
  void FormShow(TObject* Sender) override;

 protected:
  int FContentBottom = 0;
  bool FShownOnce = false;
};
