// The answer of a test program, for the test that started it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// Written whole under a temporary name, then renamed: the test waits for the
// name. The program's exit code: 0 when written.
inline int WriteOutputFile(const char* path, const std::string& out) {
  const std::string temp = std::string(path) + ".part";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return 1;
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
  return MoveFileA(temp.c_str(), path) ? 0 : 1;
}
