// Lists a folder with the framework's file listing in a process of the
// system's legacy 8-bit code page (this program carries no manifest), and
// writes one line per row: the row's bytes in hex, whether the listing
// calls the row exact, and whether the row's text, used as a name in this
// process, finds an entry.
// Usage: oq_listfolder <folder> <output file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/FileListing.h"
#include "OutputFile.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string dir = argv[1];
  std::string out = "acp " + std::to_string(GetACP()) + "\n";
  for (const TListedEntry& row : ListFiles(dir, "*.*", ftNormal)) {
    static const char digits[] = "0123456789abcdef";
    for (unsigned char c : row.Text) {
      out += digits[c >> 4];
      out += digits[c & 15];
    }
    const bool found = GetFileAttributesA(JoinPath(dir, row.Text).c_str()) != INVALID_FILE_ATTRIBUTES;
    out += std::string(row.Exact ? " exact" : " inexact") + (found ? " found\n" : " missing\n");
  }
  return WriteOutputFile(argv[2], out);
}
