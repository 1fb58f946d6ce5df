#include "main/CommandHistory.h"

#include <algorithm>

#include "framework/Utf8.h"

namespace {
bool IsLineBreak(char c) { return c == '\r' || c == '\n' || c == '\0'; }
constexpr std::string_view kBom = "\xEF\xBB\xBF";
}  // namespace

HistoryLines ReadHistoryLines(std::string_view bytes, bool partialStart) {
  HistoryLines r;
  std::size_t pos = 0;
  if (!partialStart) {
    bytes = WithoutUtf8Bom(bytes);
  } else {
    while (pos < bytes.size() && !IsLineBreak(bytes[pos])) ++pos;
  }
  // Only the newest commands are kept: collect them from the end backwards,
  // then count the rest without copying it.
  std::size_t end = bytes.size();
  std::vector<std::string_view> newest;
  while (end > pos) {
    std::size_t begin = end;
    while (begin > pos && !IsLineBreak(bytes[begin - 1])) --begin;
    std::string_view line = bytes.substr(begin, end - begin);
    end = begin > pos ? begin - 1 : pos;
    // A byte order mark starts no command: a file appended to another, or
    // after a run of NULs, may bring one inside; written back as the first
    // line it would be read as the file's own mark, and the command changed.
    while (line.substr(0, kBom.size()) == kBom) line.remove_prefix(kBom.size());
    if (line.empty() || !IsValidUtf8(line)) continue;
    ++r.Total;
    if (newest.size() < kHistoryMaxCommands) newest.push_back(line);
  }
  r.Commands.reserve(newest.size());
  for (auto it = newest.rbegin(); it != newest.rend(); ++it)
    r.Commands.push_back(CutToCharacters(*it, kHistoryLineChars));
  return r;
}

bool IsStorableCommand(std::string_view utf8) {
  if (utf8.empty() || !IsValidUtf8(utf8)) return false;
  if (std::any_of(utf8.begin(), utf8.end(), IsLineBreak)) return false;
  if (utf8.substr(0, kBom.size()) == kBom) return false;
  return CountCharacters(utf8) <= kHistoryLineChars;
}

std::string HistoryFileText(const std::vector<std::string>& commands) {
  return HistoryAppendText(commands, true);
}

std::string HistoryAppendText(const std::vector<std::string>& commands, bool fileEndsInLineEnd) {
  std::string out = fileEndsInLineEnd ? "" : "\r\n";
  for (const std::string& c : commands) {
    out += c;
    out += "\r\n";
  }
  return out;
}

void HistoryWalk::Start(const std::vector<std::string>& items, const std::string& current) {
  if (FPos >= 0) {
    // The list only grows while a walk lasts; stay inside it all the same.
    FPos = std::min<long long>(FPos, static_cast<long long>(items.size()));
    return;
  }
  FTyped = current;
  FPos = static_cast<long long>(items.size());
}

std::optional<std::string> HistoryWalk::Older(const std::vector<std::string>& items,
                                              const std::string& current) {
  if (items.empty()) return std::nullopt;
  Start(items, current);
  if (FPos == 0) return std::nullopt;  // at the oldest entry already
  --FPos;
  return items[static_cast<std::size_t>(FPos)];
}

std::optional<std::string> HistoryWalk::Newer(const std::vector<std::string>& items) {
  if (FPos < 0) return std::nullopt;
  ++FPos;
  if (FPos >= static_cast<long long>(items.size())) {
    FPos = -1;
    return FTyped;
  }
  return items[static_cast<std::size_t>(FPos)];
}

std::optional<std::string> HistoryWalk::Search(const std::vector<std::string>& items,
                                               const std::string& current,
                                               const PrefixMatch& matches) {
  if (items.empty()) return std::nullopt;
  Start(items, current);
  if (FTyped.empty()) return Older(items, current);
  // Older first; past the oldest match round again from the newest, as
  // the interpreter's F8 does.
  const long long n = static_cast<long long>(items.size());
  for (long long step = 1; step <= n; ++step) {
    const long long i = ((FPos - step) % n + n) % n;
    if (matches(items[static_cast<std::size_t>(i)], FTyped)) {
      FPos = i;
      return items[static_cast<std::size_t>(i)];
    }
  }
  return std::nullopt;
}
