// Stands in for the type chooser in start-up tests: records that it was
// started, and with which arguments, in "chooser-started.txt" beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string path(buf, n);
  path = path.substr(0, path.find_last_of('\\') + 1) + "chooser-started.txt";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 1;
  for (int i = 1; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
  std::fclose(f);
  return 0;
}
