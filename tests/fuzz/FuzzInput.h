// Takes a fuzzer's bytes apart into the values a target needs. Every target
// reads its input through this, so that a corpus file stays meaningful when
// a target grows: strings end at a NUL byte, numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

  bool Empty() const { return FPos >= FSize; }

  // The bytes up to the next NUL (which is consumed), or the rest.
  std::string String() {
    std::string s;
    while (FPos < FSize && FData[FPos] != 0) s += static_cast<char>(FData[FPos++]);
    if (FPos < FSize) ++FPos;
    return s;
  }

  // Every string up to the end, split at NUL bytes.
  std::vector<std::string> Strings() {
    std::vector<std::string> out;
    while (!Empty()) out.push_back(String());
    return out;
  }

  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(FData) + FPos, FSize - FPos);
    FPos = FSize;
    return s;
  }

  std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }

  std::int32_t Int32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(v);
  }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

// A property the target checks: a broken one aborts, which the fuzzer and
// the replay both report as a finding with the input that broke it.
#define FUZZ_CHECK(cond)                                                         \
  do {                                                                           \
    if (!(cond)) FuzzCheckFailed(#cond, __FILE__, __LINE__);                     \
  } while (0)

[[noreturn]] void FuzzCheckFailed(const char* what, const char* file, int line);
