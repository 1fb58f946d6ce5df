#include "controls/CheckResources.h"

#include <mmsystem.h>

#include "framework/Bitmap.h"

namespace {
WavePlayer& Player() {
  static WavePlayer player;
  return player;
}
}  // namespace

bool LoadCheckImage(TBitmap& target, const std::string& name) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  // Looked up first so that a missing image costs no exception.
  if (!FindResourceA(inst, name.c_str(), MAKEINTRESOURCEA(2))) return false;  // RT_BITMAP
  try {
    target.LoadFromResourceName(inst, name);
  } catch (const EInvalidGraphic&) {
    return false;  // damaged: the picture stays as it was
  }
  return true;
}

WavePlayer SetWavePlayer(WavePlayer player) {
  WavePlayer old = std::move(Player());
  Player() = std::move(player);
  return old;
}

bool PlayWaveFromMemory(const void* wave, DWORD size) {
  if (Player()) return Player()(wave, size);
  // SND_MEMORY alone is synchronous: the call returns when the sound is over.
  return sndPlaySoundA(static_cast<LPCSTR>(wave), SND_MEMORY) != FALSE;
}

bool PlayClickSound() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(inst, "klik", "WAV");
  if (!info) return false;
  HGLOBAL res = LoadResource(inst, info);
  const void* data = res ? LockResource(res) : nullptr;
  DWORD size = SizeofResource(inst, info);
  // Resources of a loaded module need no unlocking or freeing on Win32.
  if (!data || size == 0) return false;
  return PlayWaveFromMemory(data, size);
}

HCURSOR HandCursor() {
  static HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HANDD");
  return hand;
}
