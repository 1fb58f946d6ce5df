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

bool MatchesMask(const std::string& name, const std::string& pattern, const TCaseFold& fold) {
  return TNameMask(std::string_view(pattern), fold).MatchesUtf8(name);
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
