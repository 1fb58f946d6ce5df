// Our own zlib stream (RFC 1950) around deflate data (RFC 1951), as the PNG
// encoder needs it, and a decoder for the kinds of blocks the encoder
// writes (stored and fixed-Huffman), which the self-check uses.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace art {

using Bytes = std::vector<std::uint8_t>;

// Compresses with LZ77 matches in fixed-Huffman blocks, or stores the data
// when that comes out smaller. forceStored writes stored blocks only.
Bytes ZlibCompress(const Bytes& data, bool forceStored = false);

// Decodes a zlib stream made of stored and fixed-Huffman blocks and checks
// its header and Adler-32; nullopt on any error.
std::optional<Bytes> ZlibDecompress(const Bytes& stream);

}  // namespace art
