#include "main/CommandRules.h"

#include <algorithm>

#include "framework/FileRules.h"
#include "framework/TextRules.h"

ParsedCommand ParseCommand(const std::string& t, bool dos) {
  ParsedCommand c;
  if (t.empty()) return c;
  const std::string up = UpperCaseAscii(t);
  if (t.size() == 2 && t[1] == ':') {
    c.Kind = CommandKind::Drive;
    c.Argument = t.substr(0, 1);
    return c;
  }
  if (t.size() > 2 && up.compare(0, 2, "CD") == 0 && (t[2] == ' ' || t[2] == '.' || t[2] == '\\')) {
    c.Kind = CommandKind::ChangeDir;
    c.Argument = t[2] == ' ' ? t.substr(3) : t.substr(2);
    return c;
  }
  if (up == "DIR" || up.compare(0, 4, "DIR ") == 0) {
    c.Kind = CommandKind::Dir;
    c.ToInterpreter = dos;
    c.KeepWindowOpen = true;
    c.Argument = t.size() > 4 ? t.substr(4) : std::string();
    return c;
  }
  if (t.size() > 5 && up.compare(0, 5, "VIEW ") == 0) {
    c.Kind = CommandKind::View;
    c.ToInterpreter = dos;
    c.KeepWindowOpen = true;
    c.Argument = t.substr(5);
    return c;
  }
  if (up == "HELP" && !dos) {
    c.Kind = CommandKind::Help;
    return c;
  }
  if (up == "EXIT") {
    c.Kind = CommandKind::Exit;
    return c;
  }
  c.Kind = CommandKind::Run;
  return c;
}

std::string ResolveChangeDirectory(const std::string& quoted, const std::string& d, char drive) {
  // A path cannot hold a quote: quotes only keep a name with blanks
  // together, as the interpreter's CD takes them, wherever they stand
  // ("C:\with spaces", C:"\with spaces", "with spaces").
  std::string p;
  for (char c : quoted)
    if (c != '"') p += c;
  if (p.empty()) return {};
  if (p == "..") {
    // Back to the previous backslash, but never below "C:" (the drive's
    // current directory, which at the root is the root again).
    std::string r = d;
    do {
      if (r.empty()) return {};
      r.pop_back();
    } while (r.size() > 2 && r.back() != '\\');
    if (r.size() > 3) r.pop_back();
    return r;
  }
  if (p[0] == '\\') return std::string(1, drive) + ":" + p;
  if (p.size() > 1 && p[1] == ':') return p;
  return d + "\\" + p;
}

bool IsTypeKey(wchar_t c, bool letterOrDigit) {
  if (c >= 0x80) return letterOrDigit;
  return c == '-' || c == '.' || (c >= '0' && c <= '9') || c == ':' || (c >= 'A' && c <= 'Z') ||
         c == '\\' || c == '_' || (c >= 'a' && c <= 'z');
}

InsertResult InsertIntoText(const std::string& text, int a, int b, const std::string& s) {
  const int n = static_cast<int>(text.size());
  a = std::clamp(a, 0, n);
  b = std::clamp(b, 0, n - a);
  InsertResult r;
  r.Text = text.substr(0, static_cast<size_t>(a)) + s + text.substr(static_cast<size_t>(a + b));
  r.Caret = a + static_cast<int>(s.size());
  return r;
}

std::string PrefixWithOrvExec(const std::string& programDir, const std::string& command) {
  return "\"" + programDir + "OrvExec\" " + command;
}

namespace {
bool IsNtInterpreter(const std::string& interpreter) {
  std::string name = interpreter;
  size_t p = name.find_last_of("\\/");
  if (p != std::string::npos) name = name.substr(p + 1);
  name = UpperCaseAscii(name);
  return name == "CMD" || name == "CMD.EXE";
}
}  // namespace

std::string InterpreterCommandLine(const std::string& interpreter, bool closeWhenDone,
                                   const std::string& command) {
  std::string cmd = command;
  if (!cmd.empty() && cmd[0] == '"' && IsNtInterpreter(interpreter)) cmd = "\"" + cmd + "\"";
  return interpreter + (closeWhenDone ? " /C " : " /K ") + cmd;
}

namespace {
std::string LastThreeUpper(const std::string& s) {
  return UpperCaseAscii(s.size() >= 3 ? s.substr(s.size() - 3) : s);
}
}  // namespace

FileMenuItems FileMenuItemsFor(bool selected, const std::string& entry) {
  FileMenuItems m;
  if (!selected) return m;
  const std::string e = LastThreeUpper(entry);
  const bool program = e == "EXE" || e == "COM";
  m.Open = m.View = !program;
  m.Execute = program || e == "BAT";
  return m;
}

bool IsBatchName(const std::string& entry) { return LastThreeUpper(entry) == "BAT"; }

std::string DropCommand(const std::string& path, bool move) {
  return (move ? "move \"" : "copy \"") + path + "\"";
}

bool IsInDirectory(const std::string& file, const std::string& directory) {
  std::string d = directory;
  if (d.empty() || d.back() != '\\') d += '\\';
  const size_t cut = file.find_last_of('\\');
  return cut != std::string::npos && file.compare(0, cut + 1, d) == 0 && cut + 1 == d.size();
}

std::string ListedEntryPath(const std::string& dir, const std::string& entry, bool directory) {
  if (!directory || entry.size() < 2) return JoinPath(dir, entry);
  const std::string name = entry.substr(1, entry.size() - 2);
  if (name == ".") return dir;
  if (name == "..") {
    const std::string parent = ParentDirectory(dir);
    return parent.empty() ? dir : parent;
  }
  return JoinPath(dir, name);
}
