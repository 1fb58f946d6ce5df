#include "framework/PictureFiles.h"

#include <algorithm>
#include <utility>

#include "framework/Types.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : FHandle(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!Valid()) return true;
    return CloseHandle(std::exchange(FHandle, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE FHandle;
};

[[noreturn]] void OpenError(const std::string& path, DWORD code) {
  throw EFOpenError("Cannot open file \"" + path + "\". " + SysErrorMessage(code));
}

[[noreturn]] void CreateError(const std::string& path, DWORD code) {
  throw EFCreateError("Cannot create file \"" + path + "\". " + SysErrorMessage(code));
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash + 1);
}

}  // namespace

std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.Valid()) OpenError(path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.Get(), &size)) OpenError(path, GetLastError());
  // A 32-bit process cannot hold more; a picture this size is damage anyway.
  if (size.QuadPart > 0x40000000) OpenError(path, ERROR_NOT_ENOUGH_MEMORY);
  std::vector<std::uint8_t> data(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
    if (!ReadFile(f.Get(), data.data() + done, want, &got, nullptr))
      OpenError(path, GetLastError());
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  data.resize(done);
  return data;
}

void WritePictureFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  char temp[MAX_PATH + 16];
  if (!GetTempFileNameA(FolderOf(path).c_str(), "oq", 0, temp)) CreateError(path, GetLastError());
  DWORD err = 0;
  {
    FileHandle f(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid()) {
      err = GetLastError();
    } else {
      size_t done = 0;
      while (done < data.size() && !err) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
        if (!WriteFile(f.Get(), data.data() + done, want, &put, nullptr) || put == 0)
          err = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        done += put;
      }
      if (!f.Close() && !err) err = GetLastError();
    }
  }
  if (!err && !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    err = GetLastError();
  if (err) {
    DeleteFileA(temp);
    CreateError(path, err);
  }
}
