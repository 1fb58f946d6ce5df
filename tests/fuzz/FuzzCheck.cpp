#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"

void FuzzCheckFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}
