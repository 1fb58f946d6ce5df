// Draws the program's artwork at build time: every glyph, picture, icon,
// cursor, sound and skin file is made here, from code.
#include <cstdio>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: artgen <output folder>\n");
    return 2;
  }
  return art::GenerateAll(argv[1]) ? 0 : 1;
}
