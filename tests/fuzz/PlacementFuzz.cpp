// Stored window placements read back from the registry.
#include "FuzzInput.h"
#include "frame/Placement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int x = in.Int32(), y = in.Int32(), w = in.Int32(), h = in.Int32();
  const int sw = in.Int32(), sh = in.Int32();
  if (PlacementAccepted(x, y, w, h, sw, sh)) {
    // Accepted: on the primary screen, give or take 3 pixels each side.
    const long long l = x, t = y, r = l + w, b = t + h;
    FUZZ_CHECK(l >= -3 && t >= -3 && r <= sw + 3LL && b <= sh + 3LL);
    FUZZ_CHECK(w >= 0 && h >= 0);
  }
  return 0;
}
