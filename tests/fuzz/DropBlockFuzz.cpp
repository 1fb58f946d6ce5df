// The file-drop block a drop brings from any program, and the block a drag
// builds from the names it reads.
#include "FuzzInput.h"
#include "dragdrop/DragDropRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FileDropNames got = ReadFileDropBlock(data, size);
  // Names only come from inside the block: never more than it can hold.
  FUZZ_CHECK(got.Count() <= size / 2);
  for (const std::string& n : got.Names) FUZZ_CHECK(!n.empty() && n.find('\0') == std::string::npos);
  for (const std::u16string& n : got.WideNames)
    FUZZ_CHECK(!n.empty() && n.find(u'\0') == std::u16string::npos);
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
