#include "frame/UOber.h"

bool IsNt51OrLaterFor(DWORD platformId, DWORD major, DWORD minor) {
  if (platformId != VER_PLATFORM_WIN32_NT) return false;
  return major > 5 || (major == 5 && minor >= 1);
}

bool IsNt51OrLater() {
  static const bool value = [] {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return false;
#pragma GCC diagnostic pop
    return IsNt51OrLaterFor(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion);
  }();
  return value;
}

TOberFormAbs::TOberFormAbs(TComponent* AOwner) : TForm(AOwner) {}

void TOberFormAbs::SetCaptionText(const std::string& text) {
  for (TControl** ref : {FCaptionLabel1, FCaptionLabel2}) {
    if (ref && *ref) (*ref)->SetCaption(text);
  }
}

bool TOberFormAbs::EnableDropShadow() {
  if (!IsNt51OrLater()) return false;
  if (!SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0))
    return false;
  HWND h = Handle();
  if (!h) return false;
  DWORD style = GetClassLongA(h, GCL_STYLE);
  return SetClassLongA(h, GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW)) != 0;
}
