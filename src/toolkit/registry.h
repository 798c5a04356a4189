// Registry access below one root key (HKEY_CURRENT_USER by default). Typed
// reads fail with a RegistryError naming the value when the stored type is
// wrong; a missing value is the caller's to check with ValueExists.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace tk {

class Registry {
 public:
  explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

  // Opens a key path below the root (creating it when asked); false on failure.
  bool OpenKey(const std::string& path, bool create);
  bool OpenKeyReadOnly(const std::string& path);
  void CloseKey();
  bool KeyExists(const std::string& path) const;
  HKEY CurrentKey() const { return key_.get(); }
  const std::string& CurrentPath() const { return path_; }

  bool ValueExists(const std::string& name) const;
  // DWORD values; a value of another type is a RegistryError.
  std::int32_t ReadInteger(const std::string& name) const;
  // String values (REG_SZ, REG_EXPAND_SZ); a value of another type is a
  // RegistryError. The text ends at the first zero byte.
  std::string ReadString(const std::string& name) const;
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  bool DeleteValue(const std::string& name);
  std::vector<std::string> ValueNames() const;

  // Deletes a key below the current key (or the root when none is open),
  // with all its subkeys.
  bool DeleteKey(const std::string& path);

 private:
  HKEY Base() const { return key_ ? key_.get() : root_; }
  HKEY root_;
  OwnedKey key_;
  std::string path_;
};

}  // namespace tk
