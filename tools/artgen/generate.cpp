#include <cstdio>
#include <filesystem>
#include <fstream>

#include "art.h"
#include "catalogue.h"

namespace art {
namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "artgen: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

bool GenerateAll(const std::string& outDir) {
  const Catalogue cat = BuildCatalogue();
  if (!cat.problems.empty()) {
    for (const std::string& p : cat.problems) std::fprintf(stderr, "artgen: %s\n", p.c_str());
    return false;
  }
  const std::filesystem::path root(outDir);
  bool ok = true;
  for (const Asset& a : cat.assets) ok = WriteFile(root / a.file, a.data.data(), a.data.size()) && ok;
  const std::string program = ResourceScript(cat, false);
  const std::string chooser = ResourceScript(cat, true);
  ok = WriteFile(root / "resources.rc.inc", program.data(), program.size()) && ok;
  ok = WriteFile(root / "oqtyp.rc.inc", chooser.data(), chooser.size()) && ok;
  return ok;
}

}  // namespace art
