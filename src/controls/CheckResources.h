// What the check boxes take from the program's resources: their 16 x 16
// images, the click sound and the hand cursor. A missing resource leaves the
// picture as it was, the silence unbroken and the cursor unchanged.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TBitmap;

// Loads the bitmap resource of that name (matched without regard to case).
// False, and the target untouched, when the program has no such resource.
bool LoadCheckImage(TBitmap& target, const std::string& name);

// Plays a wave file held in memory and returns when it has finished. The
// default player is the system's (sndPlaySoundA with SND_MEMORY); a test
// installs its own to see what would have been played. An empty player
// restores the system's. Returns the previous player.
using WavePlayer = std::function<bool(const void* wave, DWORD size)>;
WavePlayer SetWavePlayer(WavePlayer player);
bool PlayWaveFromMemory(const void* wave, DWORD size);

// Finds the "klik" resource of type "WAV" and plays it synchronously;
// false when there is no such resource or the system could not play it.
bool PlayClickSound();

// The "HANDD" cursor of the program, loaded once; nullptr when missing.
HCURSOR HandCursor();
