#include "frame/FrameSkin.h"

#include <windows.h>

bool ShadedMode = false;
bool WinBorderMode = false;
bool PosRestoreEnabled = false;

FrameSkin& Skin() {
  // Lives until the program ends: frame windows keep copies only, so no
  // window ever holds a picture that the skin frees.
  static FrameSkin skin;
  return skin;
}

bool MetalBitmapsPresent() { return Skin().Metal && Skin().MetalBlue; }

void FreeMetalBitmaps() {
  Skin().Metal.reset();
  Skin().MetalBlue.reset();
}

void SelectShadedLook() {
  if (Skin().Metal) FreeMetalBitmaps();
  ShadedMode = true;
}

void SelectWinBorder() { WinBorderMode = true; }

void EnablePosRestore() { PosRestoreEnabled = true; }

namespace {
std::unique_ptr<TBitmap> LoadResourceBitmap(const char* name) {
  auto b = std::make_unique<TBitmap>();
  try {
    b->LoadFromResourceName(GetModuleHandleA(nullptr), name);
  } catch (const std::exception&) {
    return nullptr;  // the resources are part of the program; a gap stays empty
  }
  return b;
}

// Any failure (no file, damaged data, too little memory) leaves the
// picture absent: a user may replace the skin files with anything.
std::unique_ptr<TBitmap> LoadSkinFile(const std::string& path, bool png) {
  auto b = std::make_unique<TBitmap>();
  try {
    if (png) b->LoadFromPngFile(path);
    else b->LoadFromFile(path);
  } catch (const std::exception&) {
    return nullptr;
  }
  if (b->Empty() || b->Width() > MaxSkinPictureSide || b->Height() > MaxSkinPictureSide)
    return nullptr;
  return b;
}
}  // namespace

void LoadFrameSkin(const std::string& programFolder) {
  FrameSkin& s = Skin();
  s.X_M = LoadResourceBitmap("X_M");
  s.UP_M = LoadResourceBitmap("UP_M");
  s.DOWN_M = LoadResourceBitmap("DOWN_M");
  s.BIG_M = LoadResourceBitmap("BIG_M");
  s.RESTORE_M = LoadResourceBitmap("RESTORE_M");
  s.SYSM_M = LoadResourceBitmap("SYSM_M");
  s.ECKE_M = LoadResourceBitmap("ECKE_M");
  s.ZOOMIN_M = LoadResourceBitmap("ZOOMIN_M");
  s.ZOOMOUT_M = LoadResourceBitmap("ZOOMOUT_M");
  s.RundLO = LoadResourceBitmap("RUNDLO");
  s.RundRO = LoadResourceBitmap("RUNDRO");
  s.RundLU = LoadResourceBitmap("RUNDLU");
  s.RundRU = LoadResourceBitmap("RUNDRU");

  const std::string dir = programFolder + "Skins\\";
  s.Metal = LoadSkinFile(dir + "Metal\\brushedmetal.bmp", false);
  s.MetalBlue = LoadSkinFile(dir + "Metal\\brushedmetalblue.bmp", false);
  s.MetalLight = LoadSkinFile(dir + "Metal\\brushedmetallight.bmp", false);
  if (!s.Metal || !s.MetalBlue) {
    s.Metal.reset();
    s.MetalBlue.reset();
    s.MetalLight.reset();
  } else if (!s.MetalLight) {
    s.MetalLight = std::make_unique<TBitmap>();
    s.MetalLight->Assign(s.Metal.get());
  }

  s.TitleBar = LoadSkinFile(dir + "Shades\\titlebar.png", true);
  s.TitleBarActive = LoadSkinFile(dir + "Shades\\titlebarActive.png", true);
  if (!s.TitleBar || !s.TitleBarActive) {
    s.TitleBar.reset();
    s.TitleBarActive.reset();
  }
  s.TitleShadow = LoadSkinFile(dir + "Shades\\titleshadow.png", true);
  // The border pictures go together: one missing leaves all four absent,
  // and the later ones are not read at all.
  s.BorderW = LoadSkinFile(dir + "Shades\\borderW.png", true);
  s.BorderSW = s.BorderW ? LoadSkinFile(dir + "Shades\\borderSW.png", true) : nullptr;
  s.BorderS = s.BorderSW ? LoadSkinFile(dir + "Shades\\borderS.png", true) : nullptr;
  s.BorderE = s.BorderS ? LoadSkinFile(dir + "Shades\\borderE.png", true) : nullptr;
  if (!s.BorderW || !s.BorderSW || !s.BorderS || !s.BorderE) {
    s.BorderW.reset();
    s.BorderSW.reset();
    s.BorderS.reset();
    s.BorderE.reset();
  }
}
