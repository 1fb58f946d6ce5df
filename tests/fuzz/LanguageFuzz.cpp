// Language files and the pointer file that names the language in force.
#include "FuzzInput.h"
#include "framework/Utf8.h"
#include "program/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string bytes = in.Rest();
  const LanguageTexts texts = ReadLanguageFile(bytes);
  const bool validText = IsValidUtf8(bytes);
  for (int n = 1; n <= kLanguageLineCount; ++n) {
    const std::string* t = texts.Text(static_cast<LangLine>(n));
    if (!t) {
      // Only the optional tail, from the drop hint on, may be missing.
      FUZZ_CHECK(n >= static_cast<int>(LangLine::DropHint));
      continue;
    }
    FUZZ_CHECK(CountCharacters(*t) <= kMaxLanguageMessage);
    // A line added after the first 38 replaces its text only with a text.
    if (n > kFixedLanguageLines) FUZZ_CHECK(!t->empty());
    // A cut never splits a character: valid UTF-8 in, valid UTF-8 out.
    if (validText) FUZZ_CHECK(IsValidUtf8(*t));
    FUZZ_CHECK(t->find('\r') == std::string::npos && t->find('\n') == std::string::npos);
  }
  if (const auto c = texts.InsertCharacter())
    FUZZ_CHECK(!c->empty() && c->size() <= 3 && static_cast<unsigned char>((*c)[0]) > ' ' &&
               CountCharacters(*c) == 1);

  const std::string first = FirstLine(bytes);
  FUZZ_CHECK(first.size() <= bytes.size());
  if (const auto file = LanguageFileOfPointer(first)) {
    const std::string name = LanguageNameOf(*file);
    FUZZ_CHECK(name.size() + 4 == file->size());
    // What the chooser writes for a language points back to its file.
    const std::string pointer = PointerFileText(name);
    if (!name.empty()) FUZZ_CHECK(IsLanguageFileName(FirstLine(pointer)));
    FUZZ_CHECK(LanguageNameOf(FirstLine(pointer)) == name);
  }
  FUZZ_CHECK(LanguagePointerPath(first).size() >= 3);
  return 0;
}
