// The check sums of the PNG container (CRC-32) and of the zlib stream
// (Adler-32).
#pragma once

#include <cstddef>
#include <cstdint>

namespace art {

// crc continues a running sum; start with 0.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
// adler continues a running sum; start with 1.
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

}  // namespace art
