// Texts the file panes show, computed from values. No window here.
#pragma once

#include <string>

// "r h s a - d - N" style summary of an attribute set: a capital letter for
// each flag in the set (read-only 0x01, hidden 0x02, system 0x04, archive
// 0x20, directory 0x10, normal 0x40), a small one otherwise.
std::string AttributeSummaryText(unsigned fileType);
// "<count> <word>", e.g. "123 Object(s)".
std::string FileCountText(int count, const std::string& word);
