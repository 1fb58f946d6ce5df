// A file's contents in memory.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

using Bytes = std::vector<std::uint8_t>;

}  // namespace art
