// The window's placement under its form key in the registry: read when the
// window is made, written when it goes, if positions are remembered.
#include "drawing/PZSpButt.h"
#include "frame/OrvWindowSizeHook.h"
#include "frame/Placement.h"
#include "frame/UOberMetal.h"
#include "framework/Registry.h"

namespace {
const char kPlacementRoot[] = "Software\\Orv-Software\\";
}  // namespace

void TOberFormMetal::RestorePlacement(const std::string& formKey) {
  FFormKey = formKey;
  if (!PosRestoreEnabled) return;
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(kPlacementRoot + formKey)) return;
  // Failures are silent: a missing or mistyped value abandons the reading,
  // and the window keeps its designed placement.
  try {
    const int x = reg.ReadInteger("X"), y = reg.ReadInteger("Y");
    const bool sizeable = IsResizableFrame();
    int w, h;
    if (sizeable) {
      w = reg.ReadInteger("Width");
      h = reg.ReadInteger("Height");
    } else {
      // A fixed window's size is its grip's.
      ApplySizeHooks(this);
      w = Width();
      h = Height();
    }
    if (WinZoomButt->Visible()) {
      try {
        if (reg.ReadBool("Zoomed")) SetZoomed(true);
      } catch (const ERegistryException&) {
        // Without a readable zoom state the rest still applies.
      }
    }
    if (!PlacementAccepted(x, y, w, h, Screen->Width(), Screen->Height())) return;
    SetPosition(poDesigned);
    SetBounds(x, y, sizeable ? w : Width(), sizeable ? h : Height());
    FSizeRestored = sizeable;
  } catch (const ERegistryException&) {
  }
}

void TOberFormMetal::SavePlacement() {
  if (!PosRestoreEnabled || FFormKey.empty()) return;
  TRegistry reg;
  if (!reg.OpenKey(kPlacementRoot + FFormKey, true)) return;
  try {
    reg.WriteInteger("X", Left());
    reg.WriteInteger("Y", Top());
    if (IsResizableFrame()) {
      reg.WriteInteger("Width", Width());
      // A window closed while rolled up opens unrolled next time: a strip
      // of title bar that is not rolled up could not be told from one.
      reg.WriteInteger("Height", FRolledUp ? FUnrolledHeight : Height());
    }
    if (WinZoomButt->Visible()) reg.WriteBool("Zoomed", FZoomed);
  } catch (const ERegistryException&) {
    // The placement is a convenience, never worth an error box.
  }
}
