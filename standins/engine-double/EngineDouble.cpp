// vovar_av.dll for tests: an index engine whose answers a test sets. At its
// first call it reads a script: the file named by the environment variable
// TARVEK_ENGINE_DOUBLE, else vovar_av.ini beside the DLL. Without either it
// answers like an engine with empty indexes. One command a line:
//
//   version 0x00020000        IndexGetVerOfApi's answer
//   fail FUNCTION CODE        FUNCTION answers CODE (handles become 0)
//   failopen TEXT CODE        IndexOpen answers CODE for paths holding TEXT
//   topic ID VALUE...         every query finds this topic with these occurrences
//   excluded WORD...          IndexEnumKeys hands out these words
//   ling KIND MASK            IndexGetLingModules answers MASK for KIND
//   info PROPERTY VALUE       IndexGetInfo's number (or text for 257 and 262)
//   trace FILE                appends one line per call to FILE
//
// A function can also be left out of the build (see CMakeLists.txt), to test
// a library that lacks it.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

using ErrorCode = uint16_t;
using KeyCallback = uint32_t(__stdcall*)(uint32_t, const char*, uint32_t);

struct Topic {
  uint32_t id;
  std::vector<uint32_t> occurrences;
};

struct Config {
  uint32_t version = 0x00020000;
  std::map<std::string, ErrorCode> failures;
  std::vector<std::pair<std::string, ErrorCode>> openFailures;  // path text, code
  std::vector<Topic> topics;
  std::vector<std::string> excluded;
  std::map<uint32_t, uint16_t> ling;
  std::map<uint32_t, std::string> info;
  std::string trace;
  uint32_t nextHandle = 1;
};

std::string scriptPath() {
  char buffer[MAX_PATH * 4] = {};
  const DWORD n = GetEnvironmentVariableA("TARVEK_ENGINE_DOUBLE", buffer, sizeof buffer);
  if (n > 0 && n < sizeof buffer) return std::string(buffer, n);
  const DWORD m = GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), buffer, sizeof buffer);
  std::string path(buffer, m);
  return path.substr(0, path.find_last_of('\\') + 1) + "vovar_av.ini";
}

Config load() {
  Config config;
  std::ifstream file(scriptPath());
  for (std::string line; std::getline(file, line);) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "version") {
      std::string v;
      words >> v;
      config.version = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 0));
    } else if (command == "fail") {
      std::string function;
      unsigned code = 0;
      words >> function >> code;
      config.failures[function] = static_cast<ErrorCode>(code);
    } else if (command == "failopen") {
      std::string text;
      unsigned code = 0;
      words >> text >> code;
      config.openFailures.emplace_back(text, static_cast<ErrorCode>(code));
    } else if (command == "topic") {
      Topic topic{};
      words >> topic.id;
      for (uint32_t value; words >> value;) topic.occurrences.push_back(value);
      config.topics.push_back(topic);
    } else if (command == "excluded") {
      for (std::string word; words >> word;) config.excluded.push_back(word);
    } else if (command == "ling") {
      uint32_t kind = 0;
      std::string mask;
      words >> kind >> mask;
      config.ling[kind] = static_cast<uint16_t>(std::strtoul(mask.c_str(), nullptr, 0));
    } else if (command == "info") {
      uint32_t property = 0;
      std::string value;
      words >> property;
      std::getline(words >> std::ws, value);
      config.info[property] = value;
    } else if (command == "trace") {
      std::getline(words >> std::ws, config.trace);
    }
  }
  return config;
}

Config& config() {
  static Config c = load();
  return c;
}

void trace(const std::string& line) {
  if (config().trace.empty()) return;
  if (FILE* f = std::fopen(config().trace.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

// The code a function is told to fail with, or 0.
ErrorCode failure(const char* function) {
  auto found = config().failures.find(function);
  return found == config().failures.end() ? 0 : found->second;
}

const Topic* topicAt(uint32_t topic) {
  return topic < config().topics.size() ? &config().topics[topic] : nullptr;
}

}  // namespace

#define ENGINE_EXPORT extern "C" __declspec(dllexport)

#ifndef TARVEK_DOUBLE_OMIT_IndexOpen
ENGINE_EXPORT uint32_t __stdcall IndexOpen(const char* path, uint32_t* attributes, ErrorCode* error) {
  trace(std::string("IndexOpen ") + (path ? path : "(null)"));
  if (const ErrorCode code = failure("IndexOpen")) {
    if (error) *error = code;
    return 0;
  }
  for (const auto& [text, code] : config().openFailures) {
    if (path && std::string(path).find(text) != std::string::npos) {
      if (error) *error = code;
      return 0;
    }
  }
  if (attributes) *attributes = 0;
  if (error) *error = 0;
  return config().nextHandle++;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexQuery
ENGINE_EXPORT uint32_t __stdcall IndexQuery(uint32_t index, const char* query, uint32_t, uint32_t flags, uint32_t,
                                            uint32_t, ErrorCode* error) {
  trace("IndexQuery " + std::to_string(index) + " " + (query ? query : "(null)") + " " + std::to_string(flags));
  if (const ErrorCode code = failure("IndexQuery")) {
    if (error) *error = code;
    return 0;
  }
  if (error) *error = 0;
  return config().nextHandle++;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_TListGetNumOfTopics
ENGINE_EXPORT ErrorCode __stdcall TListGetNumOfTopics(uint32_t list, uint32_t* count) {
  trace("TListGetNumOfTopics " + std::to_string(list));
  if (const ErrorCode code = failure("TListGetNumOfTopics")) return code;
  if (count) *count = static_cast<uint32_t>(config().topics.size());
  return 0;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_TListGetTopic
ENGINE_EXPORT ErrorCode __stdcall TListGetTopic(uint32_t list, uint32_t topic, uint32_t, uint32_t* id,
                                                uint32_t* occurrences) {
  trace("TListGetTopic " + std::to_string(list) + " " + std::to_string(topic));
  if (const ErrorCode code = failure("TListGetTopic")) return code;
  const Topic* t = topicAt(topic);
  if (!t) return 1;
  if (id) *id = t->id;
  if (occurrences) *occurrences = static_cast<uint32_t>(t->occurrences.size());
  return 0;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_TListGetTopicOcc
ENGINE_EXPORT ErrorCode __stdcall TListGetTopicOcc(uint32_t list, uint32_t topic, uint32_t, uint32_t last, uint32_t,
                                                   uint32_t* buffer, uint32_t, uint32_t) {
  trace("TListGetTopicOcc " + std::to_string(list) + " " + std::to_string(topic) + " " + std::to_string(last));
  if (const ErrorCode code = failure("TListGetTopicOcc")) return code;
  const Topic* t = topicAt(topic);
  if (!t || !buffer) return 1;
  for (uint32_t i = 0; i <= last && i < t->occurrences.size(); ++i) buffer[i] = t->occurrences[i];
  return 0;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexClose
ENGINE_EXPORT ErrorCode __stdcall IndexClose(uint32_t index) {
  trace("IndexClose " + std::to_string(index));
  return failure("IndexClose");
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexEnumKeys
ENGINE_EXPORT uint32_t __stdcall IndexEnumKeys(uint32_t index, uint32_t kind, uint32_t, KeyCallback callback,
                                               uint32_t) {
  trace("IndexEnumKeys " + std::to_string(index) + " " + std::to_string(kind));
  if (const ErrorCode code = failure("IndexEnumKeys")) return code;
  if (callback)
    for (const std::string& word : config().excluded) callback(0, word.c_str(), 0);
  return 0;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexGetInfo
ENGINE_EXPORT ErrorCode __stdcall IndexGetInfo(uint32_t index, uint32_t property, uint32_t* value, char* buffer) {
  trace("IndexGetInfo " + std::to_string(index) + " " + std::to_string(property));
  if (const ErrorCode code = failure("IndexGetInfo")) return code;
  auto found = config().info.find(property);
  const std::string text = found == config().info.end() ? "" : found->second;
  if (buffer) {
    const uint32_t size = value ? *value : 0;
    if (size == 0) return 1;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(buffer, n);
    buffer[n] = '\0';
  } else if (value) {
    *value = static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 0));
  }
  return 0;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexGetVerOfApi
ENGINE_EXPORT uint32_t __stdcall IndexGetVerOfApi() {
  trace("IndexGetVerOfApi");
  return config().version;
}
#endif

#ifndef TARVEK_DOUBLE_OMIT_IndexGetLingModules
ENGINE_EXPORT uint16_t __stdcall IndexGetLingModules(uint32_t kind, uint32_t mask) {
  trace("IndexGetLingModules " + std::to_string(kind) + " " + std::to_string(mask));
  auto found = config().ling.find(kind);
  return found == config().ling.end() ? 0 : static_cast<uint16_t>(found->second & mask);
}
#endif
