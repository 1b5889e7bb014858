#pragma once
// In-memory registry for tests. Key paths and value names compare ignoring
// case, as in Windows. Keys can be made inaccessible and writes made to fail.

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/Registry.h"

namespace tarvek::testing {

class FakeRegistry final : public Registry {
 public:
  enum class Type { string, number, binary };
  struct Value {
    Type type = Type::string;
    std::string text;  // string and binary data
    uint32_t number = 0;
  };

  RegStatus readString(Hive hive, const std::string& key, const std::string& name, std::string* value) override;
  RegStatus readNumber(Hive hive, const std::string& key, const std::string& name, uint32_t* value) override;
  bool writeString(Hive hive, const std::string& key, const std::string& name, const std::string& value) override;
  bool writeNumber(Hive hive, const std::string& key, const std::string& name, uint32_t value) override;
  bool createKey(Hive hive, const std::string& key) override;
  bool deleteValue(Hive hive, const std::string& key, const std::string& name) override;
  bool deleteKeyTree(Hive hive, const std::string& key) override;

  // Stores a value of any type directly, creating the key.
  void put(Hive hive, const std::string& key, const std::string& name, Value value);
  // The value as stored, or null.
  const Value* find(Hive hive, const std::string& key, const std::string& name) const;
  bool keyExists(Hive hive, const std::string& key) const;
  // Every later open of this key (reads and writes) fails with accessDenied.
  void denyAccess(Hive hive, const std::string& key) { denied_.insert(keyId(hive, key)); }
  // Every later write in this hive fails.
  void failWrites(Hive hive) { readOnlyHives_.insert(hive); }
  // Every later write of a value of this name, in any key, fails.
  void failValueWrites(const std::string& name);
  // Number of successful writes so far.
  int writeCount() const { return writes_; }
  // Number of string values read so far, found or not.
  int stringReadCount() const { return stringReads_; }

 private:
  using KeyId = std::pair<Hive, std::string>;  // key path in lower case
  struct Key {
    std::map<std::string, Value> values;  // by lower-case name
  };
  static KeyId keyId(Hive hive, const std::string& key);
  bool accessible(const KeyId& id) const;
  bool writable(Hive hive, const std::string& key) const;
  Key* open(Hive hive, const std::string& key, RegStatus* status);

  std::map<KeyId, Key> keys_;
  std::set<KeyId> denied_;
  std::set<Hive> readOnlyHives_;
  std::set<std::string> failingValues_;  // lower case
  int writes_ = 0;
  int stringReads_ = 0;
};

}  // namespace tarvek::testing
