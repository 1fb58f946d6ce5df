// Rules of the secondary windows, on values: how the batch window joins its
// lines into one command, and which files the viewer shows as rich text.
// No window here.
#pragma once

#include <string>
#include <vector>

// True when the last four characters, in upper case, are ".RTF".
bool IsRichTextName(const std::string& name);

// The batch window's lines as one command: the first line as it is, every
// further non-empty line appended as "&&" + line.
std::string JoinBatchLines(const std::vector<std::string>& lines);
