#include "framework/Classes.h"

#include <windows.h>

#include "framework/TextRules.h"
#include "framework/Types.h"

void TStrings::Changed() {
  if (OnChange) OnChange(this);
}

void TStrings::SetStrings(int i, const std::string& s) {
  FItems.at(static_cast<size_t>(i)) = s;
  Changed();
}

int TStrings::Add(const std::string& s) {
  FItems.push_back(s);
  Changed();
  return Count() - 1;
}

void TStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) throw EListError("List index out of bounds");
  FItems.insert(FItems.begin() + index, s);
  Changed();
}

void TStrings::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStrings::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStrings::IndexOf(const std::string& s) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (SameTextAscii(FItems[i], s)) return static_cast<int>(i);
  return -1;
}

void TStrings::Assign(const std::vector<std::string>& items) {
  FItems = items;
  Changed();
}

std::string TStrings::Text() const {
  std::string t;
  for (const std::string& s : FItems) {
    t += s;
    t += "\r\n";
  }
  return t;
}

void TStrings::SetText(const std::string& text) { Assign(SplitLines(text)); }

namespace {
struct FileHandle {
  HANDLE h;
  explicit FileHandle(HANDLE v) : h(v) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

std::string FolderOf(const std::string& path) {
  size_t p = path.find_last_of("\\/");
  if (p == std::string::npos) return ".";
  if (p == 2 && path.size() > 1 && path[1] == ':') return path.substr(0, 3);
  return p == 0 ? path.substr(0, 1) : path.substr(0, p);
}
}  // namespace

void TStrings::LoadFromFile(const std::string& path) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (f.h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    throw EFOpenError("Cannot open file \"" + path + "\". " + SysErrorMessage(e));
  }
  std::string data;
  char buf[65536];
  DWORD got = 0;
  for (;;) {
    if (!ReadFile(f.h, buf, sizeof buf, &got, nullptr)) {
      DWORD e = GetLastError();
      throw EFOpenError("Cannot read file \"" + path + "\". " + SysErrorMessage(e));
    }
    if (got == 0) break;
    data.append(buf, got);
  }
  SetText(data);
}

void TStrings::SaveToFile(const std::string& path) const {
  std::string folder = FolderOf(path);
  char temp[MAX_PATH + 16];
  if (!GetTempFileNameA(folder.c_str(), "oq", 0, temp)) {
    DWORD e = GetLastError();
    throw EFCreateError("Cannot create file \"" + path + "\". " + SysErrorMessage(e));
  }
  std::string data = Text();
  bool ok = false;
  DWORD err = 0;
  {
    FileHandle f(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h != INVALID_HANDLE_VALUE) {
      DWORD put = 0;
      ok = data.empty() ||
           (WriteFile(f.h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
            put == data.size());
      if (ok) ok = FlushFileBuffers(f.h) != 0;
      if (!ok) err = GetLastError();
    } else {
      err = GetLastError();
    }
  }
  if (ok) {
    // The old file is replaced only by a complete new one.
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
      ok = ReplaceFileA(path.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != 0;
      if (!ok) {
        err = GetLastError();
        // Some file systems cannot "replace"; a plain move over it is still atomic.
        if (err != ERROR_ACCESS_DENIED &&
            MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
          ok = true;
      }
    } else {
      ok = MoveFileExA(temp, path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
      if (!ok) err = GetLastError();
    }
  }
  if (!ok) {
    DeleteFileA(temp);
    throw EFCreateError("Cannot create file \"" + path + "\". " + SysErrorMessage(err));
  }
}
