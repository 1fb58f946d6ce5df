// Whole-file reading and writing for the picture loaders, with the
// framework's file errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// EFOpenError with the system's message when the file cannot be opened or read.
std::vector<std::uint8_t> ReadPictureFile(const std::string& path);
// Writes through a temporary file in the same folder that then replaces the
// target, so that a failed write leaves an existing file as it was.
// EFCreateError with the system's message on failure.
void WritePictureFile(const std::string& path, const std::vector<std::uint8_t>& data);
