// The textured background's reading of a picture file (a user's skin), and
// the recolouring of its pixels.
#include "FuzzInput.h"
#include "drawing/PZBgndRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BgndPicture p;
  try {
    p = ReadBgndPicture(data, size);
  } catch (const BgndPictureError&) {
    return 0;
  }
  // What was accepted lies inside the data.
  FUZZ_CHECK(p.Width != 0 && p.Height != 0);
  FUZZ_CHECK(p.Colours.size() <= 256);
  FUZZ_CHECK(p.BitsOffset <= size && p.BitsSize <= size - p.BitsOffset);
  FUZZ_CHECK(p.RowsSize() <= p.BitsSize);
  // The rows are recoloured in place, as a background does at each brightness.
  std::vector<std::uint8_t> rows(data + p.BitsOffset, data + p.BitsOffset + p.RowsSize());
  const int key = 60 + static_cast<int>(size % 81);
  if (p.BitCount == 8) {
    RecolourIndices(rows.data(), rows.size(), p.Colours, p.Colours, key);
    for (std::uint8_t index : rows)
      FUZZ_CHECK(p.Colours.empty() || index < p.Colours.size());
  } else if (p.BitCount == 24) {
    ScaleBytes(rows.data(), rows.size(), key);
  }
  const std::vector<std::uint32_t> merged = MergePalettes({&p.Colours, &p.Colours}, 256);
  FUZZ_CHECK(merged.size() <= p.Colours.size());
  return 0;
}
