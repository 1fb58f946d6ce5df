// The clipboard.
#pragma once

#include <windows.h>

#include <string>

// Puts a text of the program's 8-bit form on the clipboard as the system's
// Unicode text (CF_UNICODETEXT), which every program reads, in place of
// what it held. False when the clipboard could not be had (another program
// holds it open) or the text not placed.
bool SetClipboardText(HWND owner, const std::string& text);
