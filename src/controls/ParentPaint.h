// See-through painting: a control lets its parent paint the part of the
// parent that lies behind it into the control's own device context (often
// an OffscreenBitmap's).
#pragma once

#include <windows.h>

#include "framework/OffscreenBitmap.h"

class TControl;

// Sends the control's parent WM_ERASEBKGND and then WM_PAINT, synchronously,
// with dc as first parameter. The viewport origin is moved by the control's
// (-Left, -Top) so that the parent's coordinates land where the control lies,
// and drawing is clipped to the parent's client area. The DC's state is the
// same afterwards. Does nothing when the control has no parent window.
void PaintParentInto(TControl* control, HDC dc);
