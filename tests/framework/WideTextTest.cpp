// Text between the program's 8-bit strings and the system's UTF-16.
#include <gtest/gtest.h>

#include "framework/WideText.h"

TEST(WideText, AcceleratorsCompareWithoutCaseInEveryAlphabet) {
  struct Case {
    wchar_t key;
    std::wstring caption;
    bool is;
  } cases[] = {
      {L'x', L"E&Xecute", true},     {L'e', L"E&xecute", false},  {L'&', L"Fish && Chips", false},
      {L'b', L"A && &B", true},      {L'g', L"trailin&", false},  {0, L"&Open", false},
      {L'\x00F6', L"&\x00D6""ffnen", true},  // ö types Ö
      {L'\x03C3', L"&\x03A3\x03CD\x03BD\x03BF\x03C8\x03B7", true},  // σ types Σ
  };
  for (const Case& c : cases) {
    bool lossy = false;
    const std::string caption = WideToAnsi(c.caption, &lossy);
    if (lossy) continue;  // a letter the code page of this run lacks
    EXPECT_EQ(IsAccelerator(c.key, caption), c.is) << caption;
  }
}
