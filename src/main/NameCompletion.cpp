#include "main/NameCompletion.h"

#include <algorithm>

#include "framework/FileRules.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Outside quotes these end a word: a blank, and the interpreter's
// redirections and command separators, which no file name holds unquoted.
bool EndsWord(char c) { return IsBlank(c) || c == '<' || c == '>' || c == '|' || c == '&'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool NeedsQuotes(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    return IsBlank(c) || kQuotedNameCharacters.find(c) != std::string_view::npos;
  });
}

bool InsideOpenQuote(std::string_view text, std::size_t caret) {
  text = text.substr(0, std::min(caret, text.size()));
  return std::count(text.begin(), text.end(), '"') % 2 != 0;
}

std::string InsertableName(std::string_view text, std::size_t caret, const std::string& name) {
  if (!NeedsQuotes(name) || InsideOpenQuote(text, caret)) return name;
  return '"' + name + '"';
}

CompletionWord FindCompletionWord(std::string_view text, std::size_t caret) {
  CompletionWord w;
  caret = std::min(caret, text.size());
  bool inQuote = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < caret; ++i) {
    if (text[i] == '"') inQuote = !inQuote;
    else if (!inQuote && EndsWord(text[i])) start = i + 1;
  }
  if (start == caret) return w;
  w.Found = true;
  w.Start = start;
  w.End = caret;
  // The quote that closes a word typed in quotes goes with the word.
  if (inQuote && caret < text.size() && text[caret] == '"') w.End = caret + 1;
  std::string path;
  for (char c : text.substr(start, caret - start)) {
    if (c == '"') w.Quoted = true;
    else path += c;
  }
  std::size_t cut = path.rfind('\\');
  if (cut != std::string::npos) ++cut;
  else if (path.size() >= 2 && path[1] == ':' && IsAsciiLetter(path[0])) cut = 2;
  else cut = 0;
  w.Folder = path.substr(0, cut);
  w.Prefix = path.substr(cut);
  return w;
}

std::string CompletedWord(const CompletionWord& word, std::string_view name) {
  std::string path = word.Folder;
  path += name;
  if (!word.Quoted && !NeedsQuotes(path)) return path;
  return '"' + path + '"';
}

std::string CompletionFolder(const std::string& shownDir, const std::string& folder) {
  if (folder.empty()) return shownDir;
  if (folder.size() >= 2 && ((folder[0] == '\\' && folder[1] == '\\') || folder[1] == ':'))
    return folder;
  if (folder[0] == '\\') {
    const std::string root = SplitDirectoryPath(shownDir).Root;  // "C:\" or "\\server\share\"
    return root.empty() ? folder : root + folder.substr(1);
  }
  return JoinPath(shownDir, folder);
}

std::size_t WordStartBefore(std::string_view text, std::size_t caret) {
  caret = std::min(caret, text.size());
  std::size_t i = caret;
  while (i > 0 && IsBlank(text[i - 1])) --i;
  const CompletionWord w = FindCompletionWord(text, i);
  if (w.Found) return w.Start;
  // Right after a '|', '<', '>' or '&': that character is the word.
  return i == caret && i > 0 ? i - 1 : i;
}

void CompletionCycle::Begin(std::vector<std::string> names, bool forward) {
  FNames = std::move(names);
  FIndex = forward || FNames.empty() ? 0 : FNames.size() - 1;
}

void CompletionCycle::Step(bool forward) {
  if (FNames.empty()) return;
  FIndex = forward ? (FIndex + 1) % FNames.size() : (FIndex + FNames.size() - 1) % FNames.size();
}
