#include "frame/UOberMetal.h"

#include "frame/CaptionMarkup.h"
#include "frame/OrvWindowSizeHook.h"
#include "frame/Placement.h"
#include "framework/Registry.h"

bool ShadedMode = false;
bool WinBorderMode = false;
bool PosRestoreEnabled = false;

FrameSkin& Skin() {
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

std::unique_ptr<TBitmap> LoadSkinFile(const std::string& path, bool png) {
  auto b = std::make_unique<TBitmap>();
  try {
    if (png) b->LoadFromPngFile(path);
    else b->LoadFromFile(path);
  } catch (const std::exception&) {
    return nullptr;
  }
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

namespace {
TOberFormMetal* FirstActiveFrame() {
  if (!Application) return nullptr;
  for (int i = 0; i < Application->ComponentCount(); ++i) {
    auto* f = dynamic_cast<TOberFormMetal*>(Application->Components(i));
    if (f && f->IsActiveFrame()) return f;
  }
  return nullptr;
}
}  // namespace

void LightActiveFrame() {
  if (TOberFormMetal* f = FirstActiveFrame()) f->ShowActiveLook();
}

void DimActiveFrame() {
  if (TOberFormMetal* f = FirstActiveFrame()) f->ShowInactiveLook();
}

// ---- TOberFormMetal --------------------------------------------------------------------
TOberFormMetal::TOberFormMetal(TComponent* AOwner) : TOberFormAbs(AOwner) {
  SetName("OberFormMetal");
  SetCaption("OberFormMetal");
  SetBounds(Left(), Top(), 435, 300);
  SetColor(clWindow);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  PanelClient = Designed<TPanel>(this, "PanelClient");
  PanelClient->SetParent(this);
  PanelClient->SetAlign(alClient);
  PanelClient->SetBevelWidth(2);
  PanelClient->SetBorderStyle(bsSingle);
  PanelClient->SetColor(clSilver);
  PanelClient->SetCtl3D(false);
  PanelClient->SetParentFont(true);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

void TOberFormMetal::FormCreate(TObject*) {
  FIsActive = false;
  FFormKey.clear();
  SetCaptionText(Caption());
  if (BorderStyle() != bsDialog && Tag() == 0) SetTag(1);
  // The system frame stays: no border line or bevel of our own around the
  // client, no help button, and a dialog keeps only its close box.
  if (BorderStyle() == bsDialog) SetBorderIcons(biSystemMenu);
  SetBorderIcons(BorderIcons() & ~unsigned(biHelp));
  PanelClient->SetBevelOuter(bvNone);
  PanelClient->SetBorderStyle(bsNone);
  PanelClient->SetColor(Color());
}

void TOberFormMetal::FormShow(TObject*) {
  FormResize(this);
  ApplySizeHooks(this);
}

void TOberFormMetal::FormResize(TObject*) {}

void TOberFormMetal::FormActivate(TObject*) {
  FIsActive = true;
  ShowActiveLook();
}

void TOberFormMetal::FormDeactivate(TObject*) {
  FIsActive = false;
  ShowInactiveLook();
}

void TOberFormMetal::FormClose(TObject*, TCloseAction&) {}

namespace {
const char kPlacementRoot[] = "Software\\Orv-Software\\";
}  // namespace

bool TOberFormMetal::IsResizableFrame() const {
  return BorderStyle() == bsSizeable || BorderStyle() == bsSizeToolWin;
}

void TOberFormMetal::FormDestroy(TObject*) {
  if (!PosRestoreEnabled || FFormKey.empty()) return;
  TRegistry reg;
  if (!reg.OpenKey(kPlacementRoot + FFormKey, true)) return;
  // Failures are silent: the placement is a convenience, never worth a box.
  try {
    reg.WriteInteger("X", Left());
    reg.WriteInteger("Y", Top());
    if (IsResizableFrame()) {
      reg.WriteInteger("Width", Width());
      reg.WriteInteger("Height", Height());
    }
  } catch (const ERegistryException&) {
  }
}

void TOberFormMetal::SetCaptionText(const std::string& text) {
  TOberFormAbs::SetCaptionText(text);
  // The system draws the caption, so it gets the text without markup.
  SetCaption(StripCaptionMarkup(text));
}

void TOberFormMetal::RestorePlacement(const std::string& formKey) {
  FFormKey = formKey;
  if (!PosRestoreEnabled) return;
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(kPlacementRoot + formKey)) return;
  try {
    const int x = reg.ReadInteger("X"), y = reg.ReadInteger("Y");
    int w = Width(), h = Height();
    if (IsResizableFrame()) {
      w = reg.ReadInteger("Width");
      h = reg.ReadInteger("Height");
    } else {
      // A fixed window's size is its grip's.
      ApplySizeHooks(this);
      w = Width();
      h = Height();
    }
    if (w <= 0 || h <= 0) return;
    if (!PlacementAccepted(x, y, w, h, Screen->Width(), Screen->Height())) return;
    SetPosition(poDesigned);
    SetBounds(x, y, w, h);
  } catch (const ERegistryException&) {
    // A missing or mistyped value abandons the reading.
  }
}

// ---- tOrvFormMetal ---------------------------------------------------------------------
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
    int l = c->Left(), t = c->Top();
    c->SetParent(PanelClient);
    c->SetBounds(l, t, c->Width(), c->Height());
    if (c->Align() == alNone && t + c->Height() > FContentBottom) FContentBottom = t + c->Height();
    if (dynamic_cast<TOrvWindowSizeHook*>(c)) gripFound = true;
  }
  if (gripFound) FContentBottom = 0;
}

void tOrvFormMetal::FormShow(TObject* Sender) {
  TOberFormMetal::FormShow(Sender);
  if (FShownOnce) return;
  FShownOnce = true;
  if (PanelClient->ClientHeight() < FContentBottom) SetClientHeight(FContentBottom);
}
