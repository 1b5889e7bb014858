#pragma once
// Registry seam. Keys are opened and closed within each call and never held.
// Key paths use backslashes and no trailing backslash; an empty value name is
// the key's default value. Texts are 8-bit ANSI in the system code page.

#include <cstdint>
#include <string>

namespace tarvek {

// classesRoot is read by the installer alone (the file associations).
enum class Hive { localMachine, currentUser, classesRoot };

enum class RegStatus {
  ok,
  notFound,      // the key or the value does not exist
  wrongType,     // the value exists with another type
  accessDenied,  // the key exists but cannot be opened
  failed,        // any other failure
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Reads a string value (REG_SZ or REG_EXPAND_SZ, not expanded) whole, without
  // its terminator. `value` is left empty unless the result is ok.
  virtual RegStatus readString(Hive hive, const std::string& key, const std::string& name,
                               std::string* value) = 0;
  // Reads a 32-bit number (REG_DWORD).
  virtual RegStatus readNumber(Hive hive, const std::string& key, const std::string& name,
                               uint32_t* value) = 0;

  // Write operations open the key with full access, creating it (and its
  // parents) if absent. Each returns true iff the value was stored.
  virtual bool writeString(Hive hive, const std::string& key, const std::string& name,
                           const std::string& value) = 0;
  virtual bool writeNumber(Hive hive, const std::string& key, const std::string& name,
                           uint32_t value) = 0;

  // Opens the key with full access, creating it if absent. True iff it could.
  virtual bool createKey(Hive hive, const std::string& key) = 0;
  // True iff the value is gone afterwards (a missing value counts as removed).
  virtual bool deleteValue(Hive hive, const std::string& key, const std::string& name) = 0;
  // Removes the key with all its subkeys and values. True iff it is gone afterwards.
  virtual bool deleteKeyTree(Hive hive, const std::string& key) = 0;
};

}  // namespace tarvek
