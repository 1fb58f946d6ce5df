// TRegistry over the system's registry functions.
#include "framework/Registry.h"

#include <vector>

namespace {
std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// Deletes a key and its subkeys: RegDeleteKey refuses a key that has any.
LONG DeleteTree(HKEY parent, const std::string& path) {
  {
    HKEY raw = nullptr;
    LONG rc = RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &raw);
    if (rc != ERROR_SUCCESS) return rc;
    RegKey key(raw);
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name;
      rc = RegEnumKeyExA(key.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr);
      if (rc != ERROR_SUCCESS) break;
      children.emplace_back(name, len);
    }
    for (const std::string& c : children) {
      rc = DeleteTree(key.Get(), c);
      if (rc != ERROR_SUCCESS) return rc;
    }
  }
  return RegDeleteKeyA(parent, path.c_str());
}
}  // namespace

void TRegistry::SetRootKey(HKEY value) {
  CloseKey();
  FRootKey = value;
}

HKEY TRegistry::BaseOf(const std::string& key, std::string& path) const {
  if (!key.empty() && key[0] == '\\') {
    path = key.substr(1);
    return FRootKey;
  }
  path = key;
  return FCurrentKey ? FCurrentKey.Get() : FRootKey;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path;
  HKEY base = BaseOf(key, path);
  HKEY raw = nullptr;
  LONG rc;
  if (canCreate) {
    rc = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                         nullptr, &raw, nullptr);
  } else {
    rc = RegOpenKeyExA(base, path.c_str(), 0, FAccess, &raw);
  }
  if (rc != ERROR_SUCCESS) return false;
  std::string full = base == FRootKey || FCurrentPath.empty() ? path : FCurrentPath + "\\" + path;
  FCurrentKey.Reset(raw);
  FCurrentPath = full;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  REGSAM saved = FAccess;
  FAccess = KEY_READ;
  bool ok = OpenKey(key, false);
  FAccess = saved;
  return ok;
}

void TRegistry::CloseKey() {
  FCurrentKey.Reset();
  FCurrentPath.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string path;
  HKEY base = BaseOf(key, path);
  HKEY raw = nullptr;
  if (RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  RegKey(raw).Reset();
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string path;
  HKEY base = BaseOf(key, path);
  if (path.empty()) return false;  // never the open key or the root itself
  return DeleteTree(base, path) == ERROR_SUCCESS;
}

HKEY TRegistry::RequireKey() const {
  if (!FCurrentKey) throw ERegistryException("No registry key is open");
  return FCurrentKey.Get();
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!FCurrentKey) return false;
  return RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  if (!FCurrentKey) return false;
  return RegDeleteValueA(FCurrentKey.Get(), name.c_str()) == ERROR_SUCCESS;
}

// ---- integers and Booleans ------------------------------------------------------------------
int TRegistry::ReadInteger(const std::string& name) const {
  HKEY key = RequireKey();
  DWORD type = 0, value = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size);
  if (rc == ERROR_FILE_NOT_FOUND)
    throw ERegistryException("Registry value " + Quoted(name) + " does not exist");
  if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof value)))
    throw ERegistryException("Invalid data type for registry value " + Quoted(name));
  if (rc != ERROR_SUCCESS)
    throw ERegistryException("Cannot read registry value " + Quoted(name) + ": " +
                             SysErrorMessage(static_cast<DWORD>(rc)));
  return static_cast<int>(value);  // stored as the two's complement of a signed value
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  HKEY key = RequireKey();
  DWORD data = static_cast<DWORD>(value);
  LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                           sizeof data);
  if (rc != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for registry value " + Quoted(name) + ": " +
                             SysErrorMessage(static_cast<DWORD>(rc)));
}

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

// ---- strings -----------------------------------------------------------------------------------------
std::string TRegistry::ReadString(const std::string& name) const {
  HKEY key = RequireKey();
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND)
      throw ERegistryException("Registry value " + Quoted(name) + " does not exist");
    if (rc != ERROR_SUCCESS)
      throw ERegistryException("Cannot read registry value " + Quoted(name) + ": " +
                               SysErrorMessage(static_cast<DWORD>(rc)));
    if (type != REG_SZ && type != REG_EXPAND_SZ)
      throw ERegistryException("Invalid data type for registry value " + Quoted(name));
    std::string s(size + 1, '\0');
    DWORD got = size;
    rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(s.data()),
                          &got);
    if (rc == ERROR_MORE_DATA) continue;  // it grew in between: ask again
    if (rc != ERROR_SUCCESS)
      throw ERegistryException("Cannot read registry value " + Quoted(name) + ": " +
                               SysErrorMessage(static_cast<DWORD>(rc)));
    // The stored terminator, if any, is not part of the text.
    s.resize(got);
    size_t end = s.find('\0');
    if (end != std::string::npos) s.resize(end);
    return s;
  }
  throw ERegistryException("Cannot read registry value " + Quoted(name));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  HKEY key = RequireKey();
  LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
  if (rc != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for registry value " + Quoted(name) + ": " +
                             SysErrorMessage(static_cast<DWORD>(rc)));
}
