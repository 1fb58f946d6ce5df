#include "program/LanguageFile.h"

#include "framework/TextRules.h"
#include "framework/Utf8.h"
#include "program/ProgramValues.h"

namespace {
std::size_t IndexOf(LangLine line) { return static_cast<std::size_t>(line) - 1; }

bool IsMessageLine(int n) {
  return (n >= static_cast<int>(LangLine::ErrorCaption) &&
          n <= static_cast<int>(LangLine::Objects)) ||
         n == static_cast<int>(LangLine::CommandTooLongText);
}

// Hands out the lines of a text one by one, each cut to a length, without
// ever copying more of a long line than is kept.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : FRest(bytes) {}

  bool AtEnd() const { return FRest.empty(); }

  // The next line, cut to at most maxLength characters.
  std::string Next(std::size_t maxLength) {
    std::size_t end = 0;
    while (end < FRest.size() && FRest[end] != '\r' && FRest[end] != '\n') ++end;
    std::string line = CutToCharacters(FRest.substr(0, end), maxLength);
    if (end < FRest.size() && FRest[end] == '\r' && end + 1 < FRest.size() &&
        FRest[end + 1] == '\n')
      ++end;
    FRest.remove_prefix(end < FRest.size() ? end + 1 : end);
    return line;
  }

 private:
  std::string_view FRest;
};

void SetIfRead(std::string& target, const LanguageTexts& texts, LangLine line) {
  if (const std::string* t = texts.Text(line)) target = *t;
}
}  // namespace

const std::string* LanguageTexts::Text(LangLine line) const {
  const auto& slot = FLines[IndexOf(line)];
  return slot ? &*slot : nullptr;
}

void LanguageTexts::Set(LangLine line, std::string text) { FLines[IndexOf(line)] = std::move(text); }

std::optional<std::string> LanguageTexts::InsertCharacter() const {
  const std::string* t = Text(LangLine::InsertChar);
  if (!t || t->empty()) return std::nullopt;
  const std::size_t n = Utf8CharLength(*t, 0);
  const std::uint32_t c = Utf8CodePointAt(*t, 0);
  // Control characters of both 8-bit halves when the character is a UTF-8
  // one; a lone byte of a legacy text is taken as that code page's.
  const bool control = c <= ' ' || c == 0x7F || (n == 2 && c >= 0x80 && c <= 0x9F);
  if (control || n == 4) return std::nullopt;
  return t->substr(0, n);
}

LanguageTexts ReadLanguageFile(std::string_view bytes) {
  bytes = WithoutUtf8Bom(bytes);
  LanguageTexts texts;
  LineReader reader(bytes);
  for (int n = 1; n <= kLanguageLineCount; ++n) {
    const bool added = n > kFixedLanguageLines;
    if (added && reader.AtEnd()) break;
    std::string line = reader.Next(IsMessageLine(n) ? kMaxLanguageMessage : kMaxLanguageText);
    if (n == static_cast<int>(LangLine::DropHint) && line.empty()) break;
    if (added && line.empty()) continue;
    texts.Set(static_cast<LangLine>(n), std::move(line));
  }
  if (std::optional<std::string> c = texts.InsertCharacter()) {
    for (LangLine l : {LangLine::CrossCaption, LangLine::CrossHint, LangLine::CommLineHint}) {
      std::string t = *texts.Text(l);
      ReplaceInsertChar(t, *c);
      texts.Set(l, std::move(t));
    }
  }
  return texts;
}

void ReplaceInsertChar(std::string& text, const std::string& insertChar) {
  if (insertChar == "#") return;
  const std::size_t p = text.find('#');
  if (p != std::string::npos && CountCharacters(std::string_view(text).substr(0, p)) < 255)
    text.replace(p, 1, insertChar);
}

void ApplyProgramTexts(const LanguageTexts& texts) {
  if (std::optional<std::string> c = texts.InsertCharacter()) InsertChar = *c;
  SetIfRead(ManualFileName, texts, LangLine::ManualFileName);
  for (int n = static_cast<int>(LangLine::ErrorCaption); n <= static_cast<int>(LangLine::Objects);
       ++n)
    SetIfRead(MessageTexts[static_cast<MessageId>(n - static_cast<int>(LangLine::ErrorCaption) +
                                                  static_cast<int>(MessageId::Error))],
              texts, static_cast<LangLine>(n));
  SetIfRead(DropHintText, texts, LangLine::DropHint);
  SetIfRead(BatchExecuteText, texts, LangLine::BatchExecute);
  SetIfRead(BatchCancelText, texts, LangLine::BatchCancel);
  SetIfRead(MessageTexts[MessageId::SaveAs], texts, LangLine::BatchSaveAs);
  SetIfRead(MessageTexts[MessageId::CommandTooLong], texts, LangLine::CommandTooLongText);
}

std::string LanguagePointerPath(const std::string& programPath) {
  return programPath.substr(0, programPath.size() >= 3 ? programPath.size() - 3 : 0) + "LNG";
}

std::optional<std::string> LanguageFileOfPointer(const std::string& firstLine) {
  // Fewer than four characters leave no name before an extension: such a
  // line names no language file.
  if (firstLine.size() < 4) return std::nullopt;
  return firstLine;
}

std::string LanguageNameOf(const std::string& fileName) {
  return fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0);
}

bool IsLanguageFileName(const std::string& fileName) {
  return fileName.size() > 4 && SameTextAscii(fileName.substr(fileName.size() - 4), ".OQL");
}

std::string PointerFileText(const std::string& languageName) {
  return languageName + ".OQL\r\n";
}

std::string FirstLine(std::string_view bytes) {
  return LineReader(bytes).Next(bytes.size());
}
