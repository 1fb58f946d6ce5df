// TEnterExitButton, and TOrvNewButton's settings, regions and input. Its
// painting is in EnterExitButtonPaint.cpp.
#include "controls/EnterExitButton.h"

#include "framework/Bitmap.h"
#include "framework/Files.h"

// ---- TEnterExitButton ---------------------------------------------------------------
TEnterExitButton::TEnterExitButton(TComponent* AOwner) : TButton(AOwner) {}

TEnterExitButton::~TEnterExitButton() { *FAlive = false; }

bool TEnterExitButton::Fire(const TNotifyEvent& event) {
  if (!event) return true;
  std::shared_ptr<bool> alive = FAlive;
  TNotifyEvent handler = event;  // the handler may replace itself
  handler(this);
  return *alive;
}

void TEnterExitButton::SetActiveState(TActiveState value) {
  if (value == FActiveState) return;
  FActiveState = value;
  ActiveStateChanged();
}

void TEnterExitButton::MouseEnter() {
  FMouseInside = true;
  if (!Fire(OnMouseEnter)) return;
  if (!FWasFocused && Enabled()) {
    if (!Fire(OnEnter)) return;
    SetActiveState(asActive);
  }
}

void TEnterExitButton::MouseLeave() {
  FMouseInside = false;
  if (!Fire(OnMouseExit)) return;
  if (!FWasFocused && Enabled()) {
    if (!Fire(OnExit)) return;
    SetActiveState(asNormal);
  }
}

void TEnterExitButton::FocusReceived() {
  std::shared_ptr<bool> alive = FAlive;
  TButton::FocusReceived();
  if (*alive) FocusChange(true);
}

void TEnterExitButton::FocusLost() {
  std::shared_ptr<bool> alive = FAlive;
  TButton::FocusLost();
  if (*alive) FocusChange(false);
}

void TEnterExitButton::FocusChange(bool focusedNow) {
  // Only the button's own transitions count; a repeated notification (the
  // window regaining the focus it already had) changes nothing.
  if (focusedNow == FWasFocused) return;
  FWasFocused = focusedNow;
  if (focusedNow) {
    if (!FMouseInside && !Fire(OnEnter)) return;
    SetActiveState(asActive);
  } else if (!FMouseInside) {
    if (!Fire(OnExit)) return;
    SetActiveState(Enabled() ? asNormal : asDisabled);
  }
}

void TEnterExitButton::EnabledChanged() {
  // Disabling the focused window makes the system take the focus away
  // (FocusLost runs inside this call), so the state is set last.
  std::shared_ptr<bool> alive = FAlive;
  TButton::EnabledChanged();
  if (*alive) SetActiveState(Enabled() ? asNormal : asDisabled);
}

// ---- TOrvNewButton: class-wide settings -------------------------------------------------
std::string TOrvNewButton::FDefaultBitmapPath = ProgramFileFolder() + "Skins\\Buttons\\";
bool TOrvNewButton::FBitmapsEnabled = true;
bool TOrvNewButton::FRegionsEnabled = true;

void TOrvNewButton::SetDefaultBitmapPath(const std::string& folder) {
  FDefaultBitmapPath = WithTrailingBackslash(folder);
}

void InitEnterExitButtonModule(const std::vector<std::string>& params,
                               const std::string& programDir) {
  std::string dir = programDir.empty() ? ProgramFileFolder() : WithTrailingBackslash(programDir);
  TOrvNewButton::SetDefaultBitmapPath(dir + "Skins\\Buttons\\");
  TButtonModuleSwitches s = ButtonSwitchesFromParams(params);
  // The words only ever turn the looks off.
  if (!s.BitmapsEnabled) TOrvNewButton::SetBitmapsEnabled(false);
  if (!s.RegionsEnabled) TOrvNewButton::SetRegionsEnabled(false);
}

// ---- TOrvNewButton: life --------------------------------------------------------------------
TOrvNewButton::TOrvNewButton(TComponent* AOwner)
    : TEnterExitButton(AOwner), FCanvas(std::make_unique<TCanvas>()) {
  TControl::SetColor(0xD2D2D2);
  Font()->SetName("Arial");
  Font()->SetSize(10);
  Font()->SetStyle(fsBold);
  SetBounds(Left(), Top(), 100, 21);
}

TOrvNewButton::~TOrvNewButton() {
  FCanvas.reset();
  FBitmap.reset();
  DropRegion();
}

void TOrvNewButton::CreateParams(TCreateParams& p) {
  TEnterExitButton::CreateParams(p);
  // The system then draws nothing of the face and tells the parent instead.
  p.Style |= BS_OWNERDRAW;
}

void TOrvNewButton::HandleDestroying() {
  // The system frees a window's region with the window; a new window starts
  // unshaped and gets a new region at its first paint.
  if (FRegionApplied) {
    FButtonRegion = nullptr;
    FRegionApplied = false;
  }
  TEnterExitButton::HandleDestroying();
}

// ---- setters -----------------------------------------------------------------------------
void TOrvNewButton::InvalidateIfPainted() {
  if (FHasPainted) Invalidate();
}

void TOrvNewButton::ForceReload() {
  FLoadedState = ActiveState() == asNormal ? asActive : asNormal;
}

void TOrvNewButton::ActiveStateChanged() { InvalidateIfPainted(); }

void TOrvNewButton::SetKind(TOrvButtonKind value) {
  FKind = value;
  bool regionBefore = FUseOrvRegion;
  std::optional<TOrvKindPreset> p = KindPreset(value, Width(), FBitmapsEnabled);
  if (p) {
    SetHeight(21);
    SetUseOrvRegion(true);
    SetColor(0xD2D2D2);
    SetColorDisabled(0xF5F5F5);
    Font()->SetName("Arial");
    Font()->SetSize(10);
    SetResBmpDisabled("");
    SetCaptionHCenter(value == ibkBlue);
    SetResBmpActive(p->ResBmpActive);
    SetResBmpNormal(p->ResBmpNormal);
    SetResBmpDisabled(p->ResBmpDisabled);
    SetColorActive(p->ColorActive);
    SetDefault(p->Default);
    SetCancel(p->Cancel);
    if (p->Width) SetWidth(*p->Width);
    if (p->Caption) SetCaption(*p->Caption);
    if (p->FontColor) Font()->SetColor(*p->FontColor);
    if (p->CaptionLeft) SetCaptionLeft(*p->CaptionLeft);
    SetModalResult(p->ModalResult);
  }
  if (!regionBefore && FUseOrvRegion && FHasPainted && FRegionsEnabled) MakeButtonRegion();
}

void TOrvNewButton::SetResBmpActive(const std::string& value) {
  if (value == FResBmpActive) return;
  FResBmpActive = value;
  if (ActiveState() == asActive && FHasPainted) {
    ForceReload();
    Invalidate();
  }
}

void TOrvNewButton::SetResBmpNormal(const std::string& value) {
  if (value == FResBmpNormal) return;
  FResBmpNormal = value;
  // A disabled button without a name of its own shows the normal face.
  bool inUse = ActiveState() == asNormal || (ActiveState() == asDisabled && FResBmpDisabled.empty());
  if (inUse && FHasPainted) {
    ForceReload();
    Invalidate();
  }
}

void TOrvNewButton::SetResBmpDisabled(const std::string& value) {
  if (value == FResBmpDisabled) return;
  FResBmpDisabled = value;
  if (ActiveState() == asDisabled && FHasPainted) {
    ForceReload();
    Invalidate();
  }
}

void TOrvNewButton::SetBitmapPath(const std::string& value) {
  std::string folder = WithTrailingBackslash(value);
  if (folder == FBitmapPath) return;
  FBitmapPath = folder;
  if (FHasPainted) {
    ForceReload();
    Invalidate();
  }
}

std::string TOrvNewButton::BitmapFolder() const {
  return FBitmapPath.empty() ? FDefaultBitmapPath : FBitmapPath;
}

void TOrvNewButton::SetColorActive(TColor value) {
  if (value == FColorActive) return;
  FColorActive = value;
  if (ActiveState() == asActive) InvalidateIfPainted();
}

void TOrvNewButton::SetColorDisabled(TColor value) {
  if (value == FColorDisabled) return;
  FColorDisabled = value;
  if (ActiveState() == asDisabled) InvalidateIfPainted();
}

void TOrvNewButton::SetFontShadowColor(TColor value) {
  if (value == FFontShadowColor) return;
  FFontShadowColor = value;
  InvalidateIfPainted();
}

void TOrvNewButton::SetFontLightColor(TColor value) {
  if (value == FFontLightColor) return;
  FFontLightColor = value;
  InvalidateIfPainted();
}

void TOrvNewButton::SetShowAccelChar(bool value) {
  if (value == FShowAccelChar) return;
  FShowAccelChar = value;
  InvalidateIfPainted();
}

void TOrvNewButton::SetCaptionLeft(int value) {
  if (value == FCaptionLeft) return;
  FCaptionLeft = value;
  if (!FCaptionHCenter && FBitmapsEnabled) InvalidateIfPainted();
}

void TOrvNewButton::SetCaptionHCenter(bool value) {
  if (value == FCaptionHCenter) return;
  FCaptionHCenter = value;
  InvalidateIfPainted();
}

void TOrvNewButton::SetUseOrvRegion(bool value) {
  if (value == FUseOrvRegion) return;
  FUseOrvRegion = value;
  // The window keeps the shape it has; only the button lets go of it.
  if (!value) DropRegion();
}

// ---- regions ---------------------------------------------------------------------------------
void TOrvNewButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int oldWidth = Width(), oldHeight = Height();
  TEnterExitButton::SetBounds(ALeft, ATop, AWidth, AHeight);
  bool sized = Width() != oldWidth || Height() != oldHeight;
  if (sized && FRegionsEnabled && FUseOrvRegion) MakeButtonRegion();
}

void TOrvNewButton::MakeButtonRegion() {
  // The left column and the top row are cut off; the corner ellipse is 16
  // wide and 18 high. A failed creation (null) leaves the window unshaped.
  GdiRegion region(CreateRoundRectRgn(1, 1, Width() + 1, Height(), 16, 18));
  DropRegion();
  if (!region) return;
  FButtonRegion = region.Get();
  FOwnRegion = std::move(region);
  if (FHasPainted) ApplyRegionToWindow();
}

void TOrvNewButton::SetButtonRegion(HRGN region) {
  if (region == FButtonRegion) return;
  DropRegion();
  FButtonRegion = region;
  if (!region) return;
  if (FHasPainted) ApplyRegionToWindow();
}

void TOrvNewButton::ApplyRegionToWindow() {
  HWND h = HandleIfAllocated();
  FRegionApplied = false;
  if (!h || !FButtonRegion) return;
  // From here on the region is the system's: it is freed with the window or
  // when the window gets its next region. If the call fails it stays ours.
  if (!SetWindowRgn(h, FButtonRegion, TRUE)) return;
  FRegionApplied = true;
  if (FOwnRegion.Get() == FButtonRegion) FOwnRegion.Release();
}

void TOrvNewButton::DropRegion() {
  if (!FButtonRegion) return;
  // A region the window holds is never deleted here. One the button made
  // and never handed over has no other owner, so it goes regardless of
  // DelOldRgn; DelOldRgn decides only for regions given from outside.
  if (FOwnRegion) FOwnRegion.Reset();
  else if (!FRegionApplied && FDelOldRgn) DeleteObject(FButtonRegion);
  FButtonRegion = nullptr;
  FRegionApplied = false;
}

// ---- input -------------------------------------------------------------------------------------
void TOrvNewButton::WndProc(TMessage& m) {
  std::shared_ptr<bool> alive = AliveToken();
  switch (m.Msg) {
    case BM_SETSTYLE:
      // Making the button the default one would turn the owner-drawn window
      // back into a system-drawn push button.
      m.Result = 0;
      return;
    case CN_DRAWITEM:
      // Sent on focus and push state changes; the face is drawn in WM_PAINT.
      InvalidateIfPainted();
      m.Result = TRUE;
      return;
    case WM_LBUTTONDBLCLK:
      // The system button takes a double click on an owner-drawn button as
      // a notification only; here it is a second press.
      m.Msg = WM_LBUTTONDOWN;
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (!Enabled()) return;
      TEnterExitButton::WndProc(m);
      if (!*alive) return;
      FPressed = true;
      Invalidate();
      return;
    case WM_LBUTTONUP:
      TEnterExitButton::WndProc(m);  // the click, when released inside
      if (!*alive) return;
      FPressed = false;
      FPressedOutside = false;
      Invalidate();
      return;
    case WM_KEYDOWN: {
      WPARAM key = m.WParam;
      TEnterExitButton::WndProc(m);
      if (!*alive) return;
      if (key == VK_SPACE) FPressed = true;
      Invalidate();
      return;
    }
    case WM_KEYUP:
      TEnterExitButton::WndProc(m);  // the click of the space bar
      if (!*alive) return;
      FPressed = false;
      Invalidate();
      return;
    default:
      TEnterExitButton::WndProc(m);
      return;
  }
}

void TOrvNewButton::MouseLeave() {
  std::shared_ptr<bool> alive = AliveToken();
  TEnterExitButton::MouseLeave();
  if (!*alive) return;
  if (FPressed) {
    FPressedOutside = true;
    FPressed = false;
  }
  Invalidate();
}

void TOrvNewButton::MouseEnter() {
  std::shared_ptr<bool> alive = AliveToken();
  TEnterExitButton::MouseEnter();
  if (!*alive) return;
  if (FPressedOutside) {
    FPressedOutside = false;
    FPressed = true;
  }
  Invalidate();
}

void TOrvNewButton::CaptureLost() {
  // The system button holds the capture while the mouse button or the space
  // bar is down. Losing it some other way (another window took it) ends the
  // press, or the face would come back pushed in at the next pointer entry.
  if (!FPressed && !FPressedOutside) return;
  FPressed = false;
  FPressedOutside = false;
  Invalidate();
}
