#pragma once
// Where the engine finds its linguistic tables when nobody has told it: the
// folder of vovar_av.dll on Windows; natively the TARVEK_ENGINE_DATA
// environment variable, or the current folder.

#include <string>

namespace tarvek::sbi {

std::string defaultDataFolder();

}  // namespace tarvek::sbi
