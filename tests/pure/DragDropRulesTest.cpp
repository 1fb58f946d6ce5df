#include "dragdrop/DragDropRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {
// The block copied into memory of exactly its size, so that the sanitizer
// catches any read past its end.
FileDropNames ReadExact(const std::vector<uint8_t>& block) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[block.size() ? block.size() : 1]);
  if (!block.empty()) std::memcpy(exact.get(), block.data(), block.size());
  return ReadFileDropBlock(exact.get(), block.size());
}

std::vector<uint8_t> WithHeader(uint32_t first, uint32_t wide, const std::vector<uint8_t>& rest) {
  std::vector<uint8_t> b(20, 0);
  for (int i = 0; i < 4; ++i) {
    b[i] = static_cast<uint8_t>(first >> (8 * i));
    b[16 + i] = static_cast<uint8_t>(wide >> (8 * i));
  }
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(DragDropRules, SuggestedEffect) {
  const unsigned copy = kEffectCopy, move = kEffectMove, link = kEffectLink, none = kEffectNone;
  const unsigned shift = kKeyShift, ctrl = kKeyControl, lbutton = 1;
  struct Case {
    unsigned keys, offered, accepted, expected;
  } cases[] = {
      // A target that takes copy and move, as the main window's do.
      {lbutton, copy | move | link, copy | move, copy},
      {lbutton, move | link, copy | move, move},
      {lbutton | shift, copy, copy | move, move},  // the move key wins over the offer
      {lbutton | ctrl | shift, copy | move, copy | move, copy},  // no link taken: first shared
      {lbutton | ctrl | shift, link, copy | move, none},
      {lbutton | ctrl, copy | move, copy | move, copy},
      {lbutton, link, copy | move, none},
      {0, 0, copy | move, none},
      // Link only where the target takes it.
      {ctrl | shift, copy, copy | link, link},
      {shift, copy | move, copy, copy},  // Shift without move taken: the ordinary choice
      {0, copy | move | link, 0, none},
      {0, link | move, link, link},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SuggestDropEffect(c.keys, c.offered, c.accepted), c.expected)
        << "keys " << c.keys << " offered " << c.offered << " accepted " << c.accepted;
}

TEST(DragDropRules, BlockLayout) {
  std::vector<uint8_t> b = BuildFileDropBlock({"A", "BC"});
  const std::vector<uint8_t> expected = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                         0,  0, 0, 0, 0, 0, 0, 'A', 0, 'B', 'C', 0, 0};
  EXPECT_EQ(b, expected);
  EXPECT_EQ(BuildFileDropBlock({std::string(7, 'x')}).size(), 20u + 7 + 2);
  EXPECT_EQ(BuildFileDropBlock({}).size(), 21u);
  std::vector<uint8_t> w = BuildWideFileDropBlock({u"A\u00e9"});
  ASSERT_EQ(w.size(), 20u + 2 * 3 + 2);
  EXPECT_EQ(w[16], 1);
  EXPECT_EQ(w[20], 'A');
  EXPECT_EQ(w[22], 0xE9);
  EXPECT_EQ(w[23], 0);
}

TEST(DragDropRules, WholeBlocksReadBackInOrder) {
  std::vector<std::string> many;
  for (int i = 0; i < 10000; ++i) many.push_back("C:\\dir\\file" + std::to_string(i) + ".txt");
  const std::vector<std::vector<std::string>> lists = {
      {},
      {"C:\\a.txt"},
      {"C:\\one", "C:\\one", "D:\\two words\\x"},  // duplicates stay
      {std::string(1000, 'n')},
      {"\xe4\xf6\xfc.txt"},  // 8-bit names pass unchanged
      many,
  };
  for (const auto& names : lists) {
    FileDropNames r = ReadExact(BuildFileDropBlock(names));
    EXPECT_FALSE(r.Wide);
    EXPECT_EQ(r.Names, names) << names.size() << " names";
  }
  const std::vector<std::u16string> wide = {u"C:\\\u65e5\u672c.txt", u"Z:\\x", std::u16string(1000, u'w')};
  FileDropNames r = ReadExact(BuildWideFileDropBlock(wide));
  EXPECT_TRUE(r.Wide);
  EXPECT_EQ(r.WideNames, wide);
  EXPECT_EQ(r.Count(), 3u);
}

TEST(DragDropRules, DamagedBlocksGiveTheWholeNamesAndNothingMore) {
  struct Case {
    const char* what;
    std::vector<uint8_t> block;
    std::vector<std::string> narrow;
    std::vector<std::u16string> wide;
  } cases[] = {
      {"empty", {}, {}, {}},
      {"header cut short", std::vector<uint8_t>(19, 0), {}, {}},
      {"header only", WithHeader(20, 0, {}), {}, {}},
      {"offset into the header", WithHeader(4, 0, Bytes(std::string("a\0\0", 3))), {}, {}},
      {"offset 0", WithHeader(0, 0, Bytes(std::string("a\0\0", 3))), {}, {}},
      {"offset at the end", WithHeader(23, 0, Bytes(std::string("a\0\0", 3))), {}, {}},
      {"offset far past the end", WithHeader(0xFFFFFFF0u, 0, Bytes(std::string("a\0\0", 3))), {}, {}},
      {"no terminator at all", WithHeader(20, 0, Bytes("abc")), {}, {}},
      {"last name cut", WithHeader(20, 0, Bytes(std::string("ab\0cd", 5))), {"ab"}, {}},
      {"no final zero", WithHeader(20, 0, Bytes(std::string("ab\0cd\0", 6))), {"ab", "cd"}, {}},
      {"names after the end of the list",
       WithHeader(20, 0, Bytes(std::string("ab\0\0cd\0", 7))), {"ab"}, {}},
      {"names further on", WithHeader(24, 0, Bytes(std::string("junkab\0\0", 8))), {"ab"}, {}},
      {"wide, odd length", WithHeader(20, 1, {'a', 0, 0, 0, 'b', 0, 'c'}), {}, {u"a"}},
      {"wide, no terminator", WithHeader(20, 1, {'a', 0, 'b', 0}), {}, {}},
      {"wide, one byte", WithHeader(20, 1, {'a'}), {}, {}},
      {"wide flag any non-zero", WithHeader(20, 0x100, {'x', 0, 0, 0, 0, 0}), {}, {u"x"}},
  };
  for (const Case& c : cases) {
    FileDropNames r = ReadExact(c.block);
    EXPECT_EQ(r.Names, c.narrow) << c.what;
    EXPECT_EQ(r.WideNames, c.wide) << c.what;
  }
  EXPECT_EQ(ReadFileDropBlock(nullptr, 100).Count(), 0u);
}
