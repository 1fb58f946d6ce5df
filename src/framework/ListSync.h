// The smallest single edit that turns one list of strings into another.
// The list controls keep a copy of what their window shows and send only
// this edit, so that appending one line to a list of 100,000 costs one
// window message, and a combo box keeps its edit text (a full reset of a
// combo box would clear it).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The run [Start, Start + Removed) of the old list gives way to the run
// [Start, Start + Inserted) of the new list; everything else is common.
struct ListEdit {
  std::size_t Start = 0;
  std::size_t Removed = 0;
  std::size_t Inserted = 0;
  bool Empty() const { return Removed == 0 && Inserted == 0; }
};

inline ListEdit DiffLists(const std::vector<std::string>& before,
                          const std::vector<std::string>& after) {
  std::size_t n = before.size() < after.size() ? before.size() : after.size();
  std::size_t prefix = 0;
  while (prefix < n && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < n - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  ListEdit e;
  e.Start = prefix;
  e.Removed = before.size() - prefix - suffix;
  e.Inserted = after.size() - prefix - suffix;
  return e;
}

// Carries out an edit on a list window: the removals at e.Start, then the
// insertions of after's new run, one at a time. remove(index) and
// insert(index, text) send the window's messages; insert answers false when
// the window refused (out of memory), which stops the edit and is returned.
template <class RemoveFn, class InsertFn>
bool ApplyListEdit(const ListEdit& e, const std::vector<std::string>& after, RemoveFn remove,
                   InsertFn insert) {
  for (std::size_t i = 0; i < e.Removed; ++i) remove(e.Start);
  for (std::size_t i = 0; i < e.Inserted; ++i) {
    std::size_t at = e.Start + i;
    if (!insert(at, after[at])) return false;
  }
  return true;
}
