#pragma once
// The exported functions of the index engine library vovar_av.dll, by name and
// signature: Win32 standard calling convention, 32-bit arguments, 8-bit
// zero-terminated text, opaque 32-bit handles (0 = failure), 16-bit status.
// The stand-in engine implements exactly these.

#include <cstdint>

#if defined(__i386__) || defined(_M_IX86)
#define TARVEK_STDCALL __attribute__((stdcall))
#else
#define TARVEK_STDCALL  // one calling convention on 64-bit hosts
#endif

namespace tarvek::engine_api {

using EngineErrorCode = uint16_t;
using IndexHandle = uint32_t;
using TopicList = uint32_t;

// Called by IndexEnumKeys once per key; returns 0 to go on.
using KeyCallback = uint32_t(TARVEK_STDCALL*)(uint32_t value1, const char* key, uint32_t value2);

using IndexOpenFn = IndexHandle(TARVEK_STDCALL*)(const char* path, uint32_t* attributes, EngineErrorCode* error);
using IndexQueryFn = TopicList(TARVEK_STDCALL*)(IndexHandle index, const char* query, uint32_t zero, uint32_t flags,
                                                uint32_t zero2, uint32_t zero3, EngineErrorCode* error);
using TListGetNumOfTopicsFn = EngineErrorCode(TARVEK_STDCALL*)(TopicList list, uint32_t* count);
using TListGetTopicFn = EngineErrorCode(TARVEK_STDCALL*)(TopicList list, uint32_t topic, uint32_t sameTopic,
                                                         uint32_t* topicId, uint32_t* occurrenceCount);
using TListGetTopicOccFn = EngineErrorCode(TARVEK_STDCALL*)(TopicList list, uint32_t topic, uint32_t zero,
                                                            uint32_t last, uint32_t zero2, uint32_t* buffer,
                                                            uint32_t zero3, uint32_t zero4);
using IndexCloseFn = EngineErrorCode(TARVEK_STDCALL*)(IndexHandle index);
using IndexEnumKeysFn = uint32_t(TARVEK_STDCALL*)(IndexHandle index, uint32_t kind, uint32_t zero,
                                                  KeyCallback callback, uint32_t zero2);
using IndexGetInfoFn = EngineErrorCode(TARVEK_STDCALL*)(IndexHandle index, uint32_t property, uint32_t* value,
                                                        char* buffer);
using IndexGetVerOfApiFn = uint32_t(TARVEK_STDCALL*)();
using IndexGetLingModulesFn = uint16_t(TARVEK_STDCALL*)(uint32_t kind, uint32_t mask);

inline constexpr char kIndexOpen[] = "IndexOpen";
inline constexpr char kIndexQuery[] = "IndexQuery";
inline constexpr char kTListGetNumOfTopics[] = "TListGetNumOfTopics";
inline constexpr char kTListGetTopic[] = "TListGetTopic";
inline constexpr char kTListGetTopicOcc[] = "TListGetTopicOcc";
inline constexpr char kIndexClose[] = "IndexClose";
inline constexpr char kIndexEnumKeys[] = "IndexEnumKeys";
inline constexpr char kIndexGetInfo[] = "IndexGetInfo";
inline constexpr char kIndexGetVerOfApi[] = "IndexGetVerOfApi";
inline constexpr char kIndexGetLingModules[] = "IndexGetLingModules";

// Codes and constants the plug-in relies on.
inline constexpr EngineErrorCode kOnlyExcludedWords = 43;  // IndexQuery: nothing but excluded words
inline constexpr uint32_t kEnumExcludedWords = 16;         // IndexEnumKeys kind
inline constexpr uint32_t kLingLemmatization = 0;          // IndexGetLingModules kinds
inline constexpr uint32_t kLingSynonyms = 16;
inline constexpr uint32_t kApiMajorVersion = 2;  // high 16 bits of IndexGetVerOfApi
inline constexpr uint32_t kTextPropertyBufferSize = 256;

// IndexGetInfo properties.
enum Property : uint32_t {
  kPropWordCount = 1,
  kPropFileVersion = 13,
  kPropLanguage = 17,
  kPropIndexSize = 18,
  kPropCreated = 19,
  kPropUpdated = 20,
  kPropIndexName = 257,
  kPropIndexerNumber = 262,
};

}  // namespace tarvek::engine_api
