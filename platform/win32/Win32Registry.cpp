#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/ScopedHandles.h"

namespace tarvek::win32 {
namespace {

HKEY rootOf(Hive hive) {
  switch (hive) {
    case Hive::localMachine:
      return HKEY_LOCAL_MACHINE;
    case Hive::currentUser:
      return HKEY_CURRENT_USER;
    case Hive::classesRoot:
      return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

RegStatus statusOf(LONG error) {
  switch (error) {
    case ERROR_SUCCESS:
      return RegStatus::ok;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return RegStatus::notFound;
    case ERROR_ACCESS_DENIED:
      return RegStatus::accessDenied;
    default:
      return RegStatus::failed;
  }
}

RegStatus openForReading(Hive hive, const std::string& key, ScopedKey* out) {
  return statusOf(RegOpenKeyExA(rootOf(hive), key.c_str(), 0, KEY_READ, out->receive()));
}

bool openForWriting(Hive hive, const std::string& key, ScopedKey* out) {
  return RegCreateKeyExA(rootOf(hive), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                         out->receive(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

RegStatus Win32Registry::readString(Hive hive, const std::string& key, const std::string& name, std::string* value) {
  value->clear();
  ScopedKey k;
  if (RegStatus s = openForReading(hive, key, &k); s != RegStatus::ok) return s;
  DWORD type = 0;
  DWORD size = 0;
  LONG error = RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (error != ERROR_SUCCESS) return statusOf(error);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegStatus::wrongType;
  // The value may change between the two calls; read until it fits.
  std::vector<char> buffer;
  do {
    buffer.assign(size + 1, '\0');
    size = static_cast<DWORD>(buffer.size());
    error = RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  } while (error == ERROR_MORE_DATA);
  if (error != ERROR_SUCCESS) return statusOf(error);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegStatus::wrongType;
  // Stored strings may or may not carry their terminator.
  while (size > 0 && buffer[size - 1] == '\0') --size;
  value->assign(buffer.data(), size);
  return RegStatus::ok;
}

RegStatus Win32Registry::readNumber(Hive hive, const std::string& key, const std::string& name, uint32_t* value) {
  ScopedKey k;
  if (RegStatus s = openForReading(hive, key, &k); s != RegStatus::ok) return s;
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  const LONG error = RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (error == ERROR_MORE_DATA) return RegStatus::wrongType;
  if (error != ERROR_SUCCESS) return statusOf(error);
  if (type != REG_DWORD || size != sizeof data) return RegStatus::wrongType;
  *value = data;
  return RegStatus::ok;
}

bool Win32Registry::writeString(Hive hive, const std::string& key, const std::string& name, const std::string& value) {
  ScopedKey k;
  if (!openForWriting(hive, key, &k)) return false;
  return RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::writeNumber(Hive hive, const std::string& key, const std::string& name, uint32_t value) {
  ScopedKey k;
  if (!openForWriting(hive, key, &k)) return false;
  const DWORD data = value;
  return RegSetValueExA(k.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
         ERROR_SUCCESS;
}

bool Win32Registry::createKey(Hive hive, const std::string& key) {
  ScopedKey k;
  return openForWriting(hive, key, &k);
}

bool Win32Registry::deleteValue(Hive hive, const std::string& key, const std::string& name) {
  ScopedKey k;
  const LONG open = RegOpenKeyExA(rootOf(hive), key.c_str(), 0, KEY_SET_VALUE, k.receive());
  if (open == ERROR_FILE_NOT_FOUND) return true;
  if (open != ERROR_SUCCESS) return false;
  const LONG error = RegDeleteValueA(k.get(), name.c_str());
  return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

bool Win32Registry::deleteKeyTree(Hive hive, const std::string& key) {
  // RegDeleteTree needs Vista; delete the subkeys depth first instead.
  ScopedKey k;
  const LONG open = RegOpenKeyExA(rootOf(hive), key.c_str(), 0, KEY_ALL_ACCESS, k.receive());
  if (open == ERROR_FILE_NOT_FOUND) return true;
  if (open != ERROR_SUCCESS) return false;
  char child[256];
  for (;;) {
    DWORD length = sizeof child;
    if (RegEnumKeyExA(k.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!deleteKeyTree(hive, key + "\\" + std::string(child, length))) return false;
  }
  k.reset();
  const LONG error = RegDeleteKeyA(rootOf(hive), key.c_str());
  return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

}  // namespace tarvek::win32
