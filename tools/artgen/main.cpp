// Draws the program's artwork at build time: every glyph, picture, icon,
// cursor, sound and skin file is made here, from code.
#include <cstdio>
#include <cstring>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--selftest") == 0) {
    const int failures = art::RunSelfTest();
    if (failures != 0) std::fprintf(stderr, "artgen: %d self-check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: artgen <output folder> | artgen --selftest\n");
    return 2;
  }
  return art::GenerateAll(argv[1]) ? 0 : 1;
}
