// The window-free rules of drag and drop: which effect a drop target offers
// for the keys held, and the file-drop block (a DROPFILES header followed by
// the names) built for a drag and read from a drop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Effect masks and key states as the platform numbers them.
inline constexpr unsigned kEffectNone = 0, kEffectCopy = 1, kEffectMove = 2, kEffectLink = 4;
inline constexpr unsigned kKeyShift = 4, kKeyControl = 8;

// The effect a target answers for the keys held, the effects the source
// offers and those the target takes: Shift alone asks for a move and
// Ctrl+Shift for a link, whatever the source offered; otherwise the first
// of copy, move and link that both sides allow, or none.
unsigned SuggestDropEffect(unsigned keyState, unsigned offered, unsigned accepted);

// The size of the block's header; the names follow it.
inline constexpr size_t kFileDropHeaderSize = 20;

// A block of 8-bit names: header (names at offset 20, point 0/0, not
// non-client, not wide), each name with a zero byte, and one more zero.
std::vector<uint8_t> BuildFileDropBlock(const std::vector<std::string>& names);
// The same with 16-bit names (the wide flag set), little-endian.
std::vector<uint8_t> BuildWideFileDropBlock(const std::vector<std::u16string>& names);

// What a file-drop block holds: its names in the order given, in the width
// the header declares.
struct FileDropNames {
  bool Wide = false;
  std::vector<std::string> Names;          // when not Wide
  std::vector<std::u16string> WideNames;   // when Wide
  size_t Count() const { return Wide ? WideNames.size() : Names.size(); }
};

// Reads a block of `size` bytes that may come from any program. Nothing is
// read outside the block: a header cut short or an offset of the names that
// points into the header or past the end gives no names; a name without its
// terminator inside the block, or half a wide character at the end, is left
// out; the list ends at the first empty name.
FileDropNames ReadFileDropBlock(const uint8_t* data, size_t size);
