// Entry points of the artwork generator.
#pragma once

#include <string>

namespace art {

// Draws every picture, icon, cursor, sound and skin file into outDir and
// writes the resource script fragments that name them. Returns false (after
// printing why) when a file cannot be written or a picture breaks its rules.
bool GenerateAll(const std::string& outDir);

// Checks the encoders against known answers and decodes what they produce,
// and checks every picture's rules without writing anything. Returns the
// number of failed checks.
int RunSelfTest();

}  // namespace art
