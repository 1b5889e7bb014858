#pragma once
// The exported engine functions, declared for native code that links the
// engine directly (tests, tarvek-query) instead of loading vovar_av.dll.

#include <cstdint>

#include "engine/EngineApi.h"

extern "C" {
uint32_t TARVEK_STDCALL IndexOpen(const char* path, uint32_t* attributes, uint16_t* error);
uint32_t TARVEK_STDCALL IndexQuery(uint32_t index, const char* query, uint32_t zero, uint32_t flags, uint32_t zero2,
                                   uint32_t zero3, uint16_t* error);
uint16_t TARVEK_STDCALL TListGetNumOfTopics(uint32_t list, uint32_t* count);
uint16_t TARVEK_STDCALL TListGetTopic(uint32_t list, uint32_t topic, uint32_t sameTopic, uint32_t* topicId,
                                      uint32_t* occurrenceCount);
uint16_t TARVEK_STDCALL TListGetTopicOcc(uint32_t list, uint32_t topic, uint32_t first, uint32_t last, uint32_t zero,
                                         uint32_t* buffer, uint32_t zero2, uint32_t zero3);
uint16_t TARVEK_STDCALL IndexClose(uint32_t index);
uint32_t TARVEK_STDCALL IndexEnumKeys(uint32_t index, uint32_t kind, uint32_t zero,
                                      tarvek::engine_api::KeyCallback callback, uint32_t zero2);
uint16_t TARVEK_STDCALL IndexGetInfo(uint32_t index, uint32_t property, uint32_t* value, char* buffer);
uint32_t TARVEK_STDCALL IndexGetVerOfApi();
uint16_t TARVEK_STDCALL IndexGetLingModules(uint32_t kind, uint32_t mask);
}
