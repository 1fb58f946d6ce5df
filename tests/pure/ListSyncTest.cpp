#include "framework/ListSync.h"

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;

// Applies the edit the way a list control does and returns the result.
Lines Apply(Lines shown, const Lines& wanted) {
  ListEdit e = DiffLists(shown, wanted);
  shown.erase(shown.begin() + static_cast<long>(e.Start),
              shown.begin() + static_cast<long>(e.Start + e.Removed));
  shown.insert(shown.begin() + static_cast<long>(e.Start),
               wanted.begin() + static_cast<long>(e.Start),
               wanted.begin() + static_cast<long>(e.Start + e.Inserted));
  return shown;
}
}  // namespace

TEST(ListSync, AppendAndInsertTouchOnlyTheNewLines) {
  ListEdit add = DiffLists({"dir", "cd .."}, {"dir", "cd ..", "dir"});
  EXPECT_EQ(add.Start, 2u);
  EXPECT_EQ(add.Removed, 0u);
  EXPECT_EQ(add.Inserted, 1u);
  ListEdit mid = DiffLists({"a", "c"}, {"a", "b", "c"});
  EXPECT_EQ(mid.Start, 1u);
  EXPECT_EQ(mid.Removed, 0u);
  EXPECT_EQ(mid.Inserted, 1u);
  EXPECT_TRUE(DiffLists({"x", "x"}, {"x", "x"}).Empty());
}

TEST(ListSync, DuplicatesAndReplacementsComeOutRight) {
  // Duplicates make prefix and suffix overlap unless they are bounded.
  const Lines cases[][2] = {
      {{"a", "a"}, {"a", "a", "a"}},
      {{"a", "a", "a"}, {"a"}},
      {{}, {"one", "two"}},
      {{"one", "two"}, {}},
      {{"a", "b", "c"}, {"a", "x", "c"}},
      {{"a", "b", "a"}, {"b", "a", "b"}},
      {{"[..]", "a.txt", "b.txt"}, {"[..]", "b.txt"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Apply(c[0], c[1]), c[1]);
  ListEdit swap = DiffLists({"a", "b", "c"}, {"a", "x", "c"});
  EXPECT_EQ(swap.Start, 1u);
  EXPECT_EQ(swap.Removed, 1u);
  EXPECT_EQ(swap.Inserted, 1u);
}
