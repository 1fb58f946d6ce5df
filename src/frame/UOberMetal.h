// The metal frame: the look switches and skin of all frame windows, and the
// frame classes every window of the program derives from.
//
// The frame's own title bar, edges and looks are not built yet: until they
// are, every frame window keeps the system's border and caption, as in the
// Windows-border mode, and shows its caption without markup.
#pragma once

#include <memory>
#include <string>

#include "frame/UOber.h"
#include "framework/Bitmap.h"
#include "framework/ExtCtrls.h"

// ---- look switches (set once at start-up, before the first window) ----------
extern bool ShadedMode;
extern bool WinBorderMode;
extern bool PosRestoreEnabled;
// The metal look is possible: both metal bitmaps loaded and not discarded.
bool MetalBitmapsPresent();
void FreeMetalBitmaps();
void SelectShadedLook();
void SelectWinBorder();
void EnablePosRestore();

// ---- the skin, loaded once when the program starts ----------------------------
struct FrameSkin {
  // Window-button glyphs and pictures from the program's resources.
  std::unique_ptr<TBitmap> X_M, UP_M, DOWN_M, BIG_M, RESTORE_M, SYSM_M, ECKE_M, ZOOMIN_M,
      ZOOMOUT_M;
  // From the "Skins\" folder beside the program; null when absent.
  std::unique_ptr<TBitmap> Metal, MetalBlue, MetalLight;
  std::unique_ptr<TBitmap> TitleBar, TitleBarActive, TitleShadow;
  std::unique_ptr<TBitmap> BorderW, BorderSW, BorderS, BorderE;
};
FrameSkin& Skin();
// Loads the glyphs and the skin files from programFolder + "Skins\". No
// failure is reported: what is missing stays absent.
void LoadFrameSkin(const std::string& programFolder);

// The first frame window (in the application's order) that holds activation
// shows its active, respectively inactive, title look; nothing without one.
void LightActiveFrame();
void DimActiveFrame();

class TOberFormMetal : public TOberFormAbs {
 public:
  explicit TOberFormMetal(TComponent* AOwner);

  // The frame's client panel: the window's own controls live in it.
  TPanel* PanelClient = nullptr;

  // Handlers bound to the form's events; a window that has its own handler
  // of the same name calls the frame's first.
  virtual void FormCreate(TObject* Sender);
  virtual void FormShow(TObject* Sender);
  virtual void FormResize(TObject* Sender);
  virtual void FormActivate(TObject* Sender);
  virtual void FormDeactivate(TObject* Sender);
  virtual void FormClose(TObject* Sender, TCloseAction& Action);
  virtual void FormDestroy(TObject* Sender);

  void SetCaptionText(const std::string& text) override;
  // Keeps the window's registry key and, when positions are remembered,
  // applies the placement stored under it.
  void RestorePlacement(const std::string& formKey);
  const std::string& FormKey() const { return FFormKey; }
  bool IsActiveFrame() const { return FIsActive; }

 protected:
  // A resizable frame stores its size as well as its position.
  bool IsResizableFrame() const;

  bool FIsActive = false;
  std::string FFormKey;
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
