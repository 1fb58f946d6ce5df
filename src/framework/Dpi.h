// The display's scale. Forms are designed in the units of a 96-DPI screen
// (100 %); a window is laid out for the DPI of the monitor it is on.
#pragma once

#include <windows.h>

// The system's DPI: GetDpiForSystem where the system has it, else the
// screen's LOGPIXELSX.
int SystemDpi();
// The DPI the system gives a window: GetDpiForWindow where the system has
// it, else the system's.
int WindowDpi(HWND wnd);

// Tests lay windows out for a scale the display does not have: while dpi
// is set (not 0), both answer it.
void SetDpiOverride(int dpi);
