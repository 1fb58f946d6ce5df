#include "frame/Placement.h"

bool PlacementAccepted(int x, int y, int w, int h, int screenW, int screenH) {
  // Wide arithmetic: stored values come from the registry and may be absurd.
  const long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
  // A window without a size is no placement: it could not be seen or reached.
  return w > 0 && h > 0 && x >= -3 && y >= -3 && right <= static_cast<long long>(screenW) + 3 &&
         bottom <= static_cast<long long>(screenH) + 3;
}
