// Counting the process's live GDI objects, for leak checks.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Graphics.h"

namespace gfxtest {

// Wine's GetGuiResources answers 0; there the count is the process's handle
// limit minus the objects that can still be made, found by making regions
// until the system refuses.
inline int GdiObjects() {
  int n = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (n > 0) return n;
  constexpr int kProbeLimit = 200000;
  std::vector<GdiRegion> probes;
  for (int i = 0; i < kProbeLimit; ++i) {
    HRGN r = CreateRectRgn(0, 0, 1, 1);
    if (!r) break;
    probes.emplace_back(r);
  }
  return kProbeLimit - static_cast<int>(probes.size());
}

// Runs a round once (so that caches settle), counts, runs it `rounds` more
// times and returns how many objects were left over.
template <class F>
int GdiObjectsLeftBy(F round, int rounds) {
  round();
  const int before = GdiObjects();
  for (int i = 0; i < rounds; ++i) round();
  return GdiObjects() - before;
}

}  // namespace gfxtest
