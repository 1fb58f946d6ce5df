// A hand on the mouse, for tests of drag and drop: moves the real pointer
// through the system's input queue, presses and releases buttons and keys.
// A drag loop of the system reads the real input state, so a drag can only
// be driven this way, from a thread other than the one in the drag loop.
// The pauses are those of a hand: the drag loop looks at the pointer on a
// timer and needs to see it move and rest.
#pragma once

#include <windows.h>

namespace mousepath {

enum class Ending { Drop, Escape, SecondButton };

struct Path {
  POINT From{0, 0}, To{0, 0};
  int Steps = 20;
  int StepMs = 50;
  int PauseMs = 300;  // over the target, before the ending
  Ending End = Ending::Drop;
};

inline void Send(INPUT in) { SendInput(1, &in, sizeof in); }

inline void MoveTo(POINT p) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, w - 1);
  in.mi.dy = MulDiv(p.y, 65535, h - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(in);
}

inline void Button(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  Send(in);
}

inline void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  Send(in);
}

// The left button goes down at the start of the path.
inline void Press(const Path& p) {
  MoveTo(p.From);
  Sleep(p.StepMs);
  Button(MOUSEEVENTF_LEFTDOWN);
}

// Moves to the end of the path, rests there and ends the drag as asked.
inline void MoveAndEnd(const Path& p) {
  for (int i = 1; i <= p.Steps; ++i) {
    Sleep(p.StepMs);
    MoveTo(POINT{p.From.x + (p.To.x - p.From.x) * i / p.Steps,
                 p.From.y + (p.To.y - p.From.y) * i / p.Steps});
  }
  Sleep(p.PauseMs);
  switch (p.End) {
    case Ending::Drop:
      Button(MOUSEEVENTF_LEFTUP);
      break;
    // After a cancel the buttons are let go back at the start, so that no
    // window under the target sees a stray release (a right one would open
    // its context menu).
    case Ending::Escape:
      Key(VK_ESCAPE, false);
      Key(VK_ESCAPE, true);
      Sleep(p.PauseMs);
      MoveTo(p.From);
      Sleep(p.StepMs);
      Button(MOUSEEVENTF_LEFTUP);
      break;
    case Ending::SecondButton:
      Button(MOUSEEVENTF_RIGHTDOWN);
      Sleep(p.PauseMs);
      MoveTo(p.From);
      Sleep(p.StepMs);
      Button(MOUSEEVENTF_RIGHTUP);
      Button(MOUSEEVENTF_LEFTUP);
      break;
  }
}

}  // namespace mousepath
