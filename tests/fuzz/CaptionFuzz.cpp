// Caption markup as the frame strips it for the system's caption, and the
// escaping of plain text put into a caption.
#include "FuzzInput.h"
#include "frame/CaptionMarkup.h"
#include "framework/TextRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string text = in.Rest();
  const std::string stripped = StripCaptionMarkup(text);
  FUZZ_CHECK(stripped.size() <= text.size());
  // Escaped plain text comes out of the stripping as it went in (less the
  // two characters that are never text).
  std::string plain;
  for (char c : text)
    if (c != '\0' && c != '\x01') plain += c;
  FUZZ_CHECK(StripCaptionMarkup(EscapeMarkupText(text)) == plain);
  // The accelerator of a caption.
  const char key = AcceleratorOf(text);
  if (key) FUZZ_CHECK(text.find(std::string("&") + key) != std::string::npos);
  FUZZ_CHECK(StripAccelerator(text).size() <= text.size());
  return 0;
}
