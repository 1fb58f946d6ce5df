#include "encoders.h"

namespace art {

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  const std::uint32_t dataBytes = std::uint32_t(samples.size()) * 2;
  LeWriter w;
  w.Tag("RIFF");
  w.U32(4 + 8 + 16 + 8 + dataBytes);
  w.Tag("WAVE");
  w.Tag("fmt ");
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(1);  // mono
  w.U32(std::uint32_t(sampleRate));
  w.U32(std::uint32_t(sampleRate) * 2);  // bytes per second
  w.U16(2);                              // bytes per sample frame
  w.U16(16);
  w.Tag("data");
  w.U32(dataBytes);
  for (std::int16_t s : samples) w.U16(std::uint16_t(s));
  return std::move(w.Out());
}

}  // namespace art
