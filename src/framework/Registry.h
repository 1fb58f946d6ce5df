// TRegistry: keys and values of the system registry, one open key at a time.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Component.h"
#include "framework/Types.h"

class ERegistryException : public Exception {
  using Exception::Exception;
};

// Owns an open registry key and closes it.
class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : FKey(key) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& o) noexcept : FKey(o.Release()) {}
  RegKey& operator=(RegKey&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  ~RegKey() { Reset(); }
  HKEY Get() const { return FKey; }
  explicit operator bool() const { return FKey != nullptr; }
  HKEY Release() {
    HKEY k = FKey;
    FKey = nullptr;
    return k;
  }
  void Reset(HKEY key = nullptr) {
    if (FKey) RegCloseKey(FKey);
    FKey = key;
  }

 private:
  HKEY FKey = nullptr;
};

class TRegistry : public TObject {
 public:
  TRegistry() = default;
  explicit TRegistry(REGSAM access) : FAccess(access) {}

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key first.
  void SetRootKey(HKEY value);
  HKEY CurrentKey() const { return FCurrentKey.Get(); }
  // The open key's path below the root, without a leading backslash.
  const std::string& CurrentPath() const { return FCurrentPath; }

  // A path with a leading backslash starts at the root, any other one at
  // the open key (or the root when none is open). False when the key does
  // not exist (and may not be created) or access is refused.
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key);
  // Deletes the key with everything below it.
  bool DeleteKey(const std::string& key);

  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);

  // Reads raise ERegistryException for a missing value or one of another
  // type; writes raise it when the system refuses.
  int ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int value);
  bool ReadBool(const std::string& name) const;
  void WriteBool(const std::string& name, bool value);
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);

 private:
  // The parent key and the path below it that a key argument names.
  HKEY BaseOf(const std::string& key, std::string& path) const;
  HKEY RequireKey() const;

  HKEY FRootKey = HKEY_CURRENT_USER;
  REGSAM FAccess = KEY_ALL_ACCESS;
  RegKey FCurrentKey;
  std::string FCurrentPath;
};
