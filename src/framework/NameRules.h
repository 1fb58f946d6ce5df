// Rules for file names in any alphabet that need no window: the case of a
// name as the file system sees it, wildcard masks over characters, and the
// 8-bit UTF-8 form of a UTF-16 name. Built natively too, where wchar_t is not
// UTF-16: wide names are char16_t here.
//
// Characters: in a UTF-16 name a surrogate pair is one character and an
// unpaired surrogate (which Windows allows in a name) is one of its own; in
// an 8-bit text a well-formed UTF-8 sequence is one character and any other
// byte one of its own (see Utf8.h), never equal to a real character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Upper case unit by unit, which is how the file system compares names: a
// table of the upper case of each of the 65,536 UTF-16 units. Characters
// beyond the basic plane, and surrogates, are their own upper case.
class TCaseFold {
 public:
  // ASCII letters only: the fold where the system gives no table.
  TCaseFold() = default;
  // upper[u] is the upper case of the unit u. A table of another size is
  // ignored (ASCII only, as above).
  explicit TCaseFold(std::u16string upper);

  char16_t Upper(char16_t unit) const;
  char32_t Upper(char32_t character) const;
  std::u16string Fold(std::u16string_view text) const;
  // The 8-bit form: each well-formed UTF-8 sequence folded as its
  // character, every other byte kept as it is.
  std::string FoldUtf8(std::string_view text) const;
  // Whether name begins with prefix, unit by unit in upper case.
  bool BeginsWith(std::u16string_view name, std::u16string_view prefix) const;

 private:
  std::u16string FUpper;  // empty: ASCII only
};

// The characters of a name (see above). Bytes outside a well-formed UTF-8
// sequence become kByteCharacter + the byte.
constexpr char32_t kByteCharacter = 0x110000;
std::u32string CharactersOf(std::u16string_view name);
std::u32string CharactersOfUtf8(std::string_view text);

// The UTF-8 form of a UTF-16 name. An unpaired surrogate has none: it is
// written as U+FFFD and exact is set to false (true otherwise).
std::string Utf16ToUtf8(std::u16string_view name, bool* exact = nullptr);

// A wildcard pattern, matched without regard to case (the fold given; it
// must outlive the mask): '*' any run of characters, '?' exactly one
// character, a surrogate pair or a multi-byte sequence included; in the name
// both are plain characters. As with the system's search, "*.*" matches
// names without a dot, a pattern ending in ".*" also matches the name
// without that extension, and one ending in '.' matches names without a dot
// as the pattern without it does ("*." lists the names without an
// extension). Linear in the name's length for every pattern.
class TNameMask {
 public:
  TNameMask(std::u16string_view pattern, const TCaseFold& fold);
  TNameMask(std::string_view utf8Pattern, const TCaseFold& fold);

  bool Matches(std::u16string_view name) const;
  bool MatchesUtf8(std::string_view name) const;
  // True for a pattern that every name matches ("*", "*.*", "**").
  bool MatchesEverything() const { return FEverything; }

 private:
  // The characters between two stars, with the bit masks of a bit-parallel
  // search: for each distinct character the positions that take it, and
  // the positions of '?' that take any.
  struct Piece {
    std::u32string Chars;
    std::vector<char32_t> Distinct;   // sorted
    std::vector<std::uint64_t> Bits;  // Words per distinct character
    std::vector<std::uint64_t> Any;   // Words
    std::size_t Words = 0;
    const std::uint64_t* BitsOf(char32_t c) const;
  };
  struct Glob {
    bool HasStar = false;
    Piece Head, Tail;          // before the first and after the last star
    std::vector<Piece> Middle; // between stars, non-empty
  };
  void Compile(std::u32string pattern);
  static Glob MakeGlob(const std::u32string& pattern);
  static Piece MakePiece(std::u32string chars);
  static bool PieceAt(const std::u32string& s, std::size_t at, const Piece& p);
  static std::size_t FindPiece(const std::u32string& s, std::size_t from, std::size_t end,
                               const Piece& p);
  static bool Run(const Glob& g, const std::u32string& s);
  bool MatchesCharacters(std::u32string s) const;

  const TCaseFold* FFold;
  bool FEmpty = true;
  bool FEverything = false;
  Glob FWhole;
  bool FHasBare = false;  // the pattern ends in ".*": also the name without it
  Glob FBare;
  bool FHasDotless = false;  // the pattern ends in '.': names without a dot
  Glob FDotless;
};
