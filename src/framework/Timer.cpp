#include <map>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (!IsLoading()) UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == FInterval) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    Timers().erase(FId);
    FId = 0;
  }
  if (IsLoading() || IsDestroying() || !FEnabled || FInterval == 0) return;
  // Thread timers with a callback: they need no window and survive the
  // destruction of any form.
  FId = SetTimer(nullptr, 0, FInterval, TimerProc);
  if (FId) Timers()[FId] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) {
    KillTimer(nullptr, id);
    return;
  }
  try {
    it->second->Fire();
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
}

void TTimer::Fire() {
  if (OnTimer && !IsDestroying()) OnTimer(this);
}
