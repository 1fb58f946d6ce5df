#include "framework/SysInfo.h"

namespace {
OSVERSIONINFOA ReadVersion() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // Without an answer all values stay 0: no platform the program knows.
  GetVersionExA(&v);
#pragma GCC diagnostic pop
  return v;
}
const OSVERSIONINFOA g_Version = ReadVersion();
}  // namespace

DWORD Win32Platform = g_Version.dwPlatformId;
DWORD Win32MajorVersion = g_Version.dwMajorVersion;
DWORD Win32MinorVersion = g_Version.dwMinorVersion;
