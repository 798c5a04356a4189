#include "toolkit/registry.h"

#include "toolkit/errors.h"

namespace tk {
namespace {

bool DeleteTree(HKEY parent, const std::string& path) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &raw) != ERROR_SUCCESS) return false;
  OwnedKey key(raw);
  for (;;) {
    char name[256];
    DWORD len = sizeof name;
    if (::RegEnumKeyExA(key.get(), 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteTree(key.get(), std::string(name, len))) return false;
  }
  key.reset();
  return ::RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

[[noreturn]] void WrongType(const std::string& name, const char* expected) {
  throw RegistryError("The registry value '" + name + "' has the wrong type (" + expected + " expected)");
}

}  // namespace

bool Registry::OpenKey(const std::string& path, bool create) {
  CloseKey();
  HKEY raw = nullptr;
  LONG rc = create ? ::RegCreateKeyExA(root_, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &raw, nullptr)
                   : ::RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ | KEY_WRITE, &raw);
  if (rc != ERROR_SUCCESS) return false;
  key_.reset(raw);
  path_ = path;
  return true;
}

bool Registry::OpenKeyReadOnly(const std::string& path) {
  CloseKey();
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  key_.reset(raw);
  path_ = path;
  return true;
}

void Registry::CloseKey() {
  key_.reset();
  path_.clear();
}

bool Registry::KeyExists(const std::string& path) const {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
  ::RegCloseKey(raw);
  return true;
}

bool Registry::ValueExists(const std::string& name) const {
  if (!key_) return false;
  return ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::int32_t Registry::ReadInteger(const std::string& name) const {
  DWORD type = 0, size = 0;
  if (!key_ || ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    throw RegistryError("The registry value '" + name + "' cannot be read");
  if (type != REG_DWORD || size != sizeof(DWORD)) WrongType(name, "a number");
  DWORD value = 0;
  size = sizeof value;
  if (::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    throw RegistryError("The registry value '" + name + "' cannot be read");
  return static_cast<std::int32_t>(value);
}

std::string Registry::ReadString(const std::string& name) const {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (!key_ || ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      throw RegistryError("The registry value '" + name + "' cannot be read");
    if (type != REG_SZ && type != REG_EXPAND_SZ) WrongType(name, "a text");
    std::string data(size + 1, '\0');  // room for a zero the stored data may lack
    DWORD got = size;
    LONG rc = ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;  // changed in between: ask again
    if (rc != ERROR_SUCCESS) throw RegistryError("The registry value '" + name + "' cannot be read");
    data.resize(got);
    size_t zero = data.find('\0');
    if (zero != std::string::npos) data.resize(zero);
    return data;
  }
  throw RegistryError("The registry value '" + name + "' cannot be read");
}

void Registry::WriteInteger(const std::string& name, std::int32_t value) {
  DWORD v = static_cast<DWORD>(value);
  if (!key_ || ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) !=
                   ERROR_SUCCESS)
    throw RegistryError("The registry value '" + name + "' cannot be written");
}

void Registry::WriteString(const std::string& name, const std::string& value) {
  if (!key_ || ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw RegistryError("The registry value '" + name + "' cannot be written");
}

bool Registry::DeleteValue(const std::string& name) {
  return key_ && ::RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> Registry::ValueNames() const {
  std::vector<std::string> names;
  if (!key_) return names;
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD len = sizeof name;
    if (::RegEnumValueA(key_.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

bool Registry::DeleteKey(const std::string& path) { return DeleteTree(Base(), path); }

}  // namespace tk
