// The system's platform and version, read once from GetVersionEx when the
// program starts. Code asks these values instead of the system, so that a
// test can stand in another version.
#pragma once

#include <windows.h>

extern DWORD Win32Platform;      // VER_PLATFORM_WIN32_NT (2), ..._WINDOWS (1)
extern DWORD Win32MajorVersion;
extern DWORD Win32MinorVersion;
