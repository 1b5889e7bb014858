#include "settings/Settings.h"

#include "settings/RegistryLayout.h"

namespace tarvek::settings {

std::string Settings::readText(Hive hive, const std::string& key, const std::string& name) const {
  std::string value;
  if (registry_.readString(hive, key, name, &value) != RegStatus::ok) return {};
  // The value must fit the buffer with its terminator, else it reads as empty.
  if (value.size() >= kTextBufferBytes) return {};
  // A value stored with embedded terminators ends at the first one.
  const size_t end = value.find('\0');
  if (end != std::string::npos) value.resize(end);
  return value;
}

bool Settings::writeText(Hive hive, const std::string& key, const std::string& name, const std::string& text) {
  return registry_.writeString(hive, key, name, text);
}

std::string Settings::readProductText(Hive hive, const std::string& name) const {
  return readText(hive, kProductKey, name);
}

bool Settings::writeProductText(Hive hive, const std::string& name, const std::string& text) {
  return writeText(hive, kProductKey, name, text);
}

std::string Settings::readMachineThenUser(const std::string& name) const {
  std::string value = readProductText(Hive::localMachine, name);
  if (value.empty()) value = readProductText(Hive::currentUser, name);
  return value;
}

std::optional<uint32_t> Settings::readUserNumber(const std::string& subkey, const std::string& name) {
  if (!registry_.createKey(Hive::currentUser, subkey)) return std::nullopt;
  uint32_t value = 0;
  if (registry_.readNumber(Hive::currentUser, subkey, name, &value) != RegStatus::ok) return std::nullopt;
  return value;
}

bool Settings::writeUserNumber(const std::string& subkey, const std::string& name, uint32_t value) {
  return registry_.writeNumber(Hive::currentUser, subkey, name, value);
}

std::string Settings::readUserText(const std::string& subkey, const std::string& name) {
  if (!registry_.createKey(Hive::currentUser, subkey)) return {};
  return readText(Hive::currentUser, subkey, name);
}

bool Settings::writeUserText(const std::string& subkey, const std::string& name, const std::string& text) {
  return registry_.writeString(Hive::currentUser, subkey, name, text);
}

}  // namespace tarvek::settings
