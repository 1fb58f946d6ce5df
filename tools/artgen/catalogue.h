// Every file the generator writes, encoded and checked, with what the
// resource scripts say about it.
#pragma once

#include <string>
#include <vector>

#include "pictures.h"
#include "bytes.h"

namespace art {

struct Asset {
  std::string file;  // below the art folder, '/' separated
  Bytes data;
  std::string resType;  // BITMAP, ICON, CURSOR, WAV or RCDATA; empty for skin files
  std::string resName;
  bool inTypeChooser = false;  // also built into oqtyp.exe
  double scale = 1.0;          // the scale it is drawn for (kScales)
};

// The names of a picture drawn for scale s, beside those of 100 %: a
// resource "NAME_150", a file "dir/name@150.ext" (the program's rules).
std::string ScaledName(const std::string& name, double s);
std::string ScaledFile(const std::string& path, double s);

struct Catalogue {
  std::vector<Asset> assets;
  std::vector<std::string> problems;  // rule breaks found while building
};

Catalogue BuildCatalogue();

// The resource script fragment of the program (typeChooser false) or of
// the type chooser.
std::string ResourceScript(const Catalogue& catalogue, bool typeChooser);

// Rule checks of one picture; each broken rule adds a line to problems.
void CheckPicture(const Picture& picture, std::vector<std::string>& problems);

}  // namespace art
