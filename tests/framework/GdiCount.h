// Counting the process's live GDI objects, for leak checks.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "framework/ProcessFigures.h"

namespace gfxtest {

inline int GdiObjects() { return ProbedGdiObjects(); }

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
