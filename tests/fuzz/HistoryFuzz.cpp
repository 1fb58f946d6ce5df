// The history file kept between runs: its reader, what is appended to it,
// and the walk through the history with Up, Down and F8.
#include <algorithm>
#include <cctype>

#include "FuzzInput.h"
#include "framework/Utf8.h"
#include "main/CommandHistory.h"

namespace {
bool SameAsciiPrefix(const std::string& e, const std::string& p) {
  if (p.size() > e.size()) return false;
  for (std::size_t i = 0; i < p.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(e[i])) !=
        std::tolower(static_cast<unsigned char>(p[i])))
      return false;
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  const bool partial = flags & 1;
  const std::string steps = in.String();  // the keys of the walk, one a byte
  const std::string bytes = in.Rest();

  const HistoryLines h = ReadHistoryLines(bytes, partial);
  FUZZ_CHECK(h.Commands.size() <= kHistoryMaxCommands);
  FUZZ_CHECK(h.Total >= h.Commands.size());
  FUZZ_CHECK(h.Total == h.Commands.size() || h.Commands.size() == kHistoryMaxCommands);
  for (const std::string& c : h.Commands) {
    // Every command reads back as itself once written, and came from the
    // bytes (nothing made from nothing).
    FUZZ_CHECK(IsStorableCommand(c));
    FUZZ_CHECK(bytes.find(c) != std::string::npos);
  }
  // Written whole, the file reads back the same.
  FUZZ_CHECK(ReadHistoryLines(HistoryFileText(h.Commands)).Commands == h.Commands);
  // Appended to the same bytes, the new commands are the newest, whatever
  // the bytes ended with.
  if (!h.Commands.empty() && h.Commands.size() < kHistoryMaxCommands / 2) {
    const bool lineEnd = bytes.empty() || bytes.back() == '\n';
    const HistoryLines after =
        ReadHistoryLines(bytes + HistoryAppendText(h.Commands, lineEnd), partial);
    FUZZ_CHECK(after.Commands.size() >= h.Commands.size());
    FUZZ_CHECK(std::equal(h.Commands.begin(), h.Commands.end(),
                          after.Commands.end() - static_cast<long>(h.Commands.size())));
    // A line before the new commands is only ever the old bytes' own.
    FUZZ_CHECK(after.Total <= 2 * h.Total + 1);
  }

  // The walk shows only entries of the list or the text typed before it.
  HistoryWalk w;
  std::string shown = "typed";
  const std::string typed = shown;
  for (unsigned char k : steps) {
    std::optional<std::string> t;
    switch (k % 4) {
      case 0: t = w.Older(h.Commands, shown); break;
      case 1: t = w.Newer(h.Commands); break;
      case 2: t = w.Search(h.Commands, shown, SameAsciiPrefix); break;
      default:
        w.Reset();
        shown = std::string(1, static_cast<char>('a' + k % 26));
        continue;
    }
    if (!t) continue;
    FUZZ_CHECK(std::find(h.Commands.begin(), h.Commands.end(), *t) != h.Commands.end() ||
               *t == shown || *t == typed || t->size() == 1);
    shown = *t;
  }
  return 0;
}
