#pragma once
#include "platform/Registry.h"

namespace tarvek::win32 {

// The Windows registry through the ANSI API.
class Win32Registry final : public Registry {
 public:
  RegStatus readString(Hive hive, const std::string& key, const std::string& name, std::string* value) override;
  RegStatus readNumber(Hive hive, const std::string& key, const std::string& name, uint32_t* value) override;
  bool writeString(Hive hive, const std::string& key, const std::string& name, const std::string& value) override;
  bool writeNumber(Hive hive, const std::string& key, const std::string& name, uint32_t value) override;
  bool createKey(Hive hive, const std::string& key) override;
  bool deleteValue(Hive hive, const std::string& key, const std::string& name) override;
  bool deleteKeyTree(Hive hive, const std::string& key) override;
};

}  // namespace tarvek::win32
