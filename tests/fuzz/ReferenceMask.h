// The mask rules written out the slow and plain way, on characters, for the
// fuzz targets to compare the matchers against on short inputs.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "framework/NameRules.h"

// The definition of '*' and '?' as a table over every prefix of name and
// pattern.
inline bool ReferenceGlob(const std::u32string& s, const std::u32string& p, const TCaseFold& fold) {
  std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(s.size() + 1, 0));
  m[0][0] = 1;
  for (std::size_t i = 1; i <= p.size(); ++i) {
    for (std::size_t j = 0; j <= s.size(); ++j) {
      if (p[i - 1] == U'*') m[i][j] = m[i - 1][j] || (j > 0 && m[i][j - 1]);
      else if (j > 0)
        m[i][j] = m[i - 1][j - 1] &&
                  (p[i - 1] == U'?' || fold.Upper(p[i - 1]) == fold.Upper(s[j - 1]));
    }
  }
  return m[p.size()][s.size()];
}

// The glob, and for a name without a dot the system search's dot rules: a
// pattern ending in ".*" or in "." also matches it without that ending.
inline bool ReferenceMatch(const std::u32string& s, const std::u32string& p, const TCaseFold& fold) {
  if (p.empty()) return false;
  if (ReferenceGlob(s, p, fold)) return true;
  if (std::find(s.begin(), s.end(), U'.') != s.end()) return false;
  if (p.size() >= 2 && p[p.size() - 2] == U'.' && p.back() == U'*' &&
      ReferenceGlob(s, p.substr(0, p.size() - 2), fold))
    return true;
  return p.back() == U'.' && ReferenceGlob(s, p.substr(0, p.size() - 1), fold);
}
