#pragma once
// Everything the portable core needs from the operating system, handed to it
// as one bundle. The bundle does not own the services.

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Library.h"
#include "platform/LocalTime.h"
#include "platform/Module.h"
#include "platform/Registry.h"

namespace tarvek {

struct Env {
  Registry& registry;
  FileSystem& files;
  CodePage& codePage;
  LocalTime& localTime;
  LibraryLoader& libraries;
  Module& module;
};

}  // namespace tarvek
