// A small program the tests start as a real process: writes its second
// argument (or "written") into the file named by its first, then ends.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  std::fputs(argc > 2 ? argv[2] : "written", f);
  std::fclose(f);
  return 0;
}
