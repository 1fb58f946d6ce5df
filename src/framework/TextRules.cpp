#include "framework/TextRules.h"

namespace {
char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

std::string StripAccelerator(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size()) out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

bool IsAccelerator(char key, const std::string& caption) {
  char a = AcceleratorOf(caption);
  return a != 0 && UpAscii(a) == UpAscii(key);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  size_t i = 0;
  bool any = false;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      any = false;
      continue;
    }
    cur += c;
    any = true;
    ++i;
  }
  if (any) lines.push_back(cur);
  return lines;
}

std::string UpperCaseAscii(std::string s) {
  for (char& c : s) c = UpAscii(c);
  return s;
}

std::string LowerCaseAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpAscii(a[i]) != UpAscii(b[i])) return false;
  return true;
}

namespace {
// Iterative glob with single-star backtracking: linear in practice, and no
// recursion depth to exhaust on long names.
bool Glob(const std::string& s, const std::string& p) {
  size_t si = 0, pi = 0, star = std::string::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || UpAscii(p[pi]) == UpAscii(s[si]))) {
      ++si;
      ++pi;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = si;
    } else if (star != std::string::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}
}  // namespace

bool MatchesMask(const std::string& name, const std::string& pattern) {
  if (pattern.empty()) return false;
  if (Glob(name, pattern)) return true;
  // "x.*" also matches "x" (no extension), as the system's search does.
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
      name.find('.') == std::string::npos)
    return Glob(name, pattern.substr(0, pattern.size() - 2));
  return false;
}

std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : mask) {
    if (c == ';') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}
