#include "frame/Placement.h"

bool PlacementAccepted(int x, int y, int w, int h, int screenW, int screenH) {
  // Wide arithmetic: stored values come from the registry and may be absurd.
  const long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
  return x >= -3 && y >= -3 && right <= static_cast<long long>(screenW) + 3 &&
         bottom <= static_cast<long long>(screenH) + 3;
}
