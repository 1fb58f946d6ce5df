#include "framework/PictureFiles.h"

#include "framework/Files.h"

std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
  std::string data = ReadWholeFile(path);
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

void WritePictureFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  WriteWholeFile(path, std::string(data.begin(), data.end()));
}
