// The option words of the command line and the lines of the parameter file.
#include "FuzzInput.h"
#include "app/StartOptions.h"
#include "framework/TextRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool present = in.Byte() & 1;
  // The command line's words, then (after an empty word) the file's bytes.
  std::vector<std::string> args{"OrvQuill.exe"};
  for (std::string w = in.String(); !w.empty(); w = in.String()) args.push_back(w);
  const std::string file = in.Rest();
  const OptionSwitches s = ReadOptionSwitches(args, present, SplitLines(file));
  const LookDecisions d = ResolveOptions(s);
  FUZZ_CHECK(!d.SelectShadedLook || (!d.SelectWinBorder && !d.FreeMetalBitmaps));
  FUZZ_CHECK(!d.ButtonBitmapsOff || d.ButtonRegionsOff);
  FUZZ_CHECK(d.PanelRegionsOff == s.optNoRegions);
  // No options and no file ask for the chooser.
  if (args.size() == 1 && !present) FUZZ_CHECK(d.StartTypeChooser);
  return 0;
}
