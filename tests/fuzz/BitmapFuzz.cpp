// The Windows bitmap reader: skin pictures are files a user can replace.
#include "FuzzInput.h"
#include "framework/BitmapFile.h"

namespace {
// An accepted picture is whole, and what is written of it reads back the same.
void CheckAccepted(const BmpImage& img, std::size_t inputSize) {
  FUZZ_CHECK(img.Width > 0 && img.Height > 0);
  FUZZ_CHECK(static_cast<std::size_t>(img.Width) * img.Height <= BmpMaxPixels);
  FUZZ_CHECK(img.Bits.size() == img.Stride() * img.Height);
  // Pictures the data cannot fill are refused before they are made.
  FUZZ_CHECK(img.Bits.size() <= 512 * inputSize + 4096);
  if (img.BitCount <= 8) FUZZ_CHECK(!img.ColorTable.empty() && img.ColorTable.size() <= 256u);
  const std::vector<std::uint8_t> file = EncodeBmpFile(img);
  const BmpImage again = DecodeBmpFile(file.data(), file.size());
  FUZZ_CHECK(again.Width == img.Width && again.Height == img.Height);
  FUZZ_CHECK(again.BitCount == img.BitCount && again.Bits == img.Bits);
  FUZZ_CHECK(again.ColorTable.size() == img.ColorTable.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    CheckAccepted(DecodeBmpFile(data, size), size);
  } catch (const BmpError&) {
  }
  // The same bytes as a resource's DIB, from behind the file header.
  if (size >= 14) {
    try {
      CheckAccepted(DecodeDib(data + 14, size - 14), size);
    } catch (const BmpError&) {
    }
  }
  return 0;
}
