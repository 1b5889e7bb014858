#include "tests/fakes/FakeRegistry.h"

#include "platform/Cp1250.h"

namespace tarvek::testing {

FakeRegistry::KeyId FakeRegistry::keyId(Hive hive, const std::string& key) { return {hive, cp1250::toLower(key)}; }

bool FakeRegistry::accessible(const KeyId& id) const { return denied_.count(id) == 0; }

bool FakeRegistry::writable(Hive hive, const std::string& key) const {
  return readOnlyHives_.count(hive) == 0 && accessible(keyId(hive, key));
}

FakeRegistry::Key* FakeRegistry::open(Hive hive, const std::string& key, RegStatus* status) {
  const KeyId id = keyId(hive, key);
  if (!accessible(id)) {
    *status = RegStatus::accessDenied;
    return nullptr;
  }
  auto it = keys_.find(id);
  if (it == keys_.end()) {
    *status = RegStatus::notFound;
    return nullptr;
  }
  *status = RegStatus::ok;
  return &it->second;
}

RegStatus FakeRegistry::readString(Hive hive, const std::string& key, const std::string& name, std::string* value) {
  ++stringReads_;
  value->clear();
  RegStatus status;
  Key* k = open(hive, key, &status);
  if (!k) return status;
  auto it = k->values.find(cp1250::toLower(name));
  if (it == k->values.end()) return RegStatus::notFound;
  if (it->second.type != Type::string) return RegStatus::wrongType;
  *value = it->second.text;
  return RegStatus::ok;
}

RegStatus FakeRegistry::readNumber(Hive hive, const std::string& key, const std::string& name, uint32_t* value) {
  RegStatus status;
  Key* k = open(hive, key, &status);
  if (!k) return status;
  auto it = k->values.find(cp1250::toLower(name));
  if (it == k->values.end()) return RegStatus::notFound;
  if (it->second.type != Type::number) return RegStatus::wrongType;
  *value = it->second.number;
  return RegStatus::ok;
}

void FakeRegistry::failValueWrites(const std::string& name) { failingValues_.insert(cp1250::toLower(name)); }

bool FakeRegistry::writeString(Hive hive, const std::string& key, const std::string& name, const std::string& value) {
  if (!createKey(hive, key) || failingValues_.count(cp1250::toLower(name))) return false;
  put(hive, key, name, {Type::string, value, 0});
  ++writes_;
  return true;
}

bool FakeRegistry::writeNumber(Hive hive, const std::string& key, const std::string& name, uint32_t value) {
  if (!createKey(hive, key) || failingValues_.count(cp1250::toLower(name))) return false;
  put(hive, key, name, {Type::number, {}, value});
  ++writes_;
  return true;
}

bool FakeRegistry::createKey(Hive hive, const std::string& key) {
  if (!accessible(keyId(hive, key))) return false;
  if (keyExists(hive, key)) return true;
  if (!writable(hive, key)) return false;
  // Like RegCreateKeyEx, create the missing parents too.
  for (size_t slash = key.find('\\'); slash != std::string::npos; slash = key.find('\\', slash + 1))
    keys_[keyId(hive, key.substr(0, slash))];
  keys_[keyId(hive, key)];
  return true;
}

bool FakeRegistry::deleteValue(Hive hive, const std::string& key, const std::string& name) {
  if (!writable(hive, key)) return false;
  auto it = keys_.find(keyId(hive, key));
  if (it != keys_.end()) it->second.values.erase(cp1250::toLower(name));
  return true;
}

bool FakeRegistry::deleteKeyTree(Hive hive, const std::string& key) {
  if (!writable(hive, key)) return false;
  const KeyId id = keyId(hive, key);
  for (auto it = keys_.begin(); it != keys_.end();) {
    const bool inTree = it->first.first == hive &&
                        (it->first.second == id.second || it->first.second.rfind(id.second + "\\", 0) == 0);
    it = inTree ? keys_.erase(it) : std::next(it);
  }
  return true;
}

void FakeRegistry::put(Hive hive, const std::string& key, const std::string& name, Value value) {
  for (size_t slash = key.find('\\'); slash != std::string::npos; slash = key.find('\\', slash + 1))
    keys_[keyId(hive, key.substr(0, slash))];
  keys_[keyId(hive, key)].values[cp1250::toLower(name)] = std::move(value);
}

const FakeRegistry::Value* FakeRegistry::find(Hive hive, const std::string& key, const std::string& name) const {
  auto k = keys_.find(keyId(hive, key));
  if (k == keys_.end()) return nullptr;
  auto v = k->second.values.find(cp1250::toLower(name));
  return v == k->second.values.end() ? nullptr : &v->second;
}

bool FakeRegistry::keyExists(Hive hive, const std::string& key) const { return keys_.count(keyId(hive, key)) != 0; }

}  // namespace tarvek::testing
