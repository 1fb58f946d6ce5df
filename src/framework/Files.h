// Whole files in and out, with the framework's file errors.
#pragma once

#include <string>

// The whole file. EFOpenError with the system's message when the file
// cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Replaces the file's contents. The data goes to a temporary file in the
// same folder first, which then takes the target's place, so that a failed
// write never leaves a half-written file where the old one was. A
// read-only, hidden or system file is not replaced.
// EFCreateError with the system's message on failure; the old file is intact
// and no temporary file is left.
void WriteWholeFile(const std::string& path, const std::string& data);
// The same for a path in its wide form (a folder of the user's profile may
// hold characters the process's code page lacks).
void WriteWholeFile(const std::wstring& path, const std::string& data);

// The running program's file in full, as the system spells it; empty when
// the system cannot say.
std::string ProgramFilePath();
// The folder of the running program's file, with its trailing backslash.
std::string ProgramFileFolder();
