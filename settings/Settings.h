#pragma once
// Access rules shared by everything that keeps settings in the registry.
// No registry failure is shown to the user: reads give empty text or nothing,
// writes report success so that a caller that cares can act on it.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace tarvek::settings {

// Values are read into a buffer of this many bytes, terminator included.
inline constexpr size_t kTextBufferBytes = 260;

class Settings {
 public:
  explicit Settings(Registry& registry) : registry_(registry) {}

  // The string value, or empty text when the key or value is missing, the
  // value has another type, or it holds more than 259 characters.
  std::string readText(Hive hive, const std::string& key, const std::string& name) const;
  // Stores a string value, creating the key. True iff stored.
  bool writeText(Hive hive, const std::string& key, const std::string& name, const std::string& text);

  // A value of the product key from HKEY_LOCAL_MACHINE, and from
  // HKEY_CURRENT_USER only when the machine gives empty text.
  std::string readMachineThenUser(const std::string& name) const;
  // A value of the product key from one hive.
  std::string readProductText(Hive hive, const std::string& name) const;
  bool writeProductText(Hive hive, const std::string& name, const std::string& text);

  // Per-user subkeys (SearchHistory, SearchColumn) are opened with full access
  // and created if absent on every use, reads included.
  std::optional<uint32_t> readUserNumber(const std::string& subkey, const std::string& name);
  bool writeUserNumber(const std::string& subkey, const std::string& name, uint32_t value);
  std::string readUserText(const std::string& subkey, const std::string& name);
  bool writeUserText(const std::string& subkey, const std::string& name, const std::string& text);

  Registry& registry() { return registry_; }

 private:
  Registry& registry_;  // not owned
};

}  // namespace tarvek::settings
