// The frame's look switches and its skin: the pictures every frame window
// is drawn with, loaded once when the program starts.
#pragma once

#include <memory>
#include <string>

#include "framework/Bitmap.h"

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

struct FrameSkin {
  // Window-button glyphs and pictures from the program's resources.
  std::unique_ptr<TBitmap> X_M, UP_M, DOWN_M, BIG_M, RESTORE_M, SYSM_M, ECKE_M, ZOOMIN_M,
      ZOOMOUT_M;
  // The designed corner pieces of dialog frames, from the resources.
  std::unique_ptr<TBitmap> RundLO, RundRO, RundLU, RundRU;
  // From the "Skins\" folder beside the program; null when absent.
  std::unique_ptr<TBitmap> Metal, MetalBlue, MetalLight;
  std::unique_ptr<TBitmap> TitleBar, TitleBarActive, TitleShadow;
  std::unique_ptr<TBitmap> BorderW, BorderSW, BorderS, BorderE;
};
FrameSkin& Skin();

// Loads the resource pictures and the skin files from programFolder +
// "Skins\". Nothing is reported: a file that is missing, damaged or
// implausibly large stays absent, and the looks fall back as they are
// designed to (no metal bitmap: the grey look).
void LoadFrameSkin(const std::string& programFolder);

// The largest side a skin picture may have; anything bigger is taken for a
// damaged file rather than drawn.
constexpr int MaxSkinPictureSide = 4096;
