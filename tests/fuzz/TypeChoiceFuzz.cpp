// The type chooser's reading of the parameter file, and what it writes back.
#include "FuzzInput.h"
#include "framework/TextRules.h"
#include "oqtyp/TypeChoice.h"

namespace {
bool Same(const TypeChoice& a, const TypeChoice& b) {
  return a.Look == b.Look && a.NoRegions == b.NoRegions &&
         a.NoButtonBitmaps == b.NoButtonBitmaps && a.RememberPositions == b.RememberPositions;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const TypeChoice c = ChoiceFromWords(SplitLines(in.Rest()));
  const std::vector<std::string> words = ParameterWords(c);
  FUZZ_CHECK(!words.empty());
  // What the chooser writes reads back as the same choice.
  FUZZ_CHECK(Same(ChoiceFromWords(words), c));
  return 0;
}
