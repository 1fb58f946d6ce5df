// The file-drop block a drop brings from any program, and the block a drag
// builds from the names it reads.
#include <cstring>

#include "FuzzInput.h"
#include "dragdrop/DragDropRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FileDropNames got = ReadFileDropBlock(data, size);
  // Names only come from inside the block: never more than it can hold.
  FUZZ_CHECK(got.Count() <= size / 2);
  for (const std::string& n : got.Names) FUZZ_CHECK(!n.empty() && n.find('\0') == std::string::npos);
  for (const std::u16string& n : got.WideNames)
    FUZZ_CHECK(!n.empty() && n.find(u'\0') == std::u16string::npos);
  // The names are the block's own content, as it stands: whatever it holds
  // (bytes that are no text of any code page, half a surrogate pair) is
  // neither repaired nor left out inside a name, so that the conversion that
  // follows sees what the other program wrote and refuses what has no exact
  // form.
  if (got.Count() > 0) {
    std::uint32_t first = 0;
    std::memcpy(&first, data, 4);
    std::vector<std::uint8_t> joined;
    if (got.Wide) {
      for (const std::u16string& n : got.WideNames) {
        for (char16_t c : n) {
          joined.push_back(static_cast<std::uint8_t>(c & 0xFF));
          joined.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        joined.insert(joined.end(), {0, 0});
      }
    } else {
      for (const std::string& n : got.Names) {
        joined.insert(joined.end(), n.begin(), n.end());
        joined.push_back(0);
      }
    }
    FUZZ_CHECK(first + joined.size() <= size);
    FUZZ_CHECK(std::memcmp(data + first, joined.data(), joined.size()) == 0);
  }
  // What a drag builds of these names reads back as the same names.
  if (got.Wide) {
    const std::vector<uint8_t> block = BuildWideFileDropBlock(got.WideNames);
    const FileDropNames again = ReadFileDropBlock(block.data(), block.size());
    FUZZ_CHECK(again.Wide && again.WideNames == got.WideNames);
  } else {
    const std::vector<uint8_t> block = BuildFileDropBlock(got.Names);
    const FileDropNames again = ReadFileDropBlock(block.data(), block.size());
    FUZZ_CHECK(!again.Wide && again.Names == got.Names);
  }
  const unsigned effect = SuggestDropEffect(size > 0 ? data[0] : 0, size > 1 ? data[1] & 7 : 0,
                                            size > 2 ? data[2] & 7 : 0);
  FUZZ_CHECK(effect == kEffectNone || effect == kEffectCopy || effect == kEffectMove ||
             effect == kEffectLink);
  return 0;
}
