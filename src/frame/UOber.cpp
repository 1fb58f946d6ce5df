#include "frame/UOber.h"

#include "framework/SysInfo.h"

bool IsNt51OrLater() {
  if (Win32Platform != VER_PLATFORM_WIN32_NT) return false;
  return Win32MajorVersion > 5 || (Win32MajorVersion == 5 && Win32MinorVersion >= 1);
}

TOberFormAbs::TOberFormAbs(TComponent* AOwner) : TForm(AOwner) {}

void TOberFormAbs::SetCaptionText(const std::string& text) {
  for (TPZLabel** ref : {FCaptionLabel1, FCaptionLabel2}) {
    if (ref && *ref) (*ref)->SetCaption(text);
  }
}

bool TOberFormAbs::EnableDropShadow() {
  if (!IsNt51OrLater()) return false;
  // Fourth argument 0: the setting holds for this session, the user's
  // profile keeps its own.
  if (!SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0)) return false;
  HWND h = Handle();
  if (!h) return false;
  // The style belongs to the window class: every window of the class shows
  // the shadow from now on.
  const DWORD style = GetClassLongA(h, GCL_STYLE);
  return SetClassLongA(h, GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW)) != 0;
}
