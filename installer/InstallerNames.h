#pragma once
// File names the installer's configuration and its steps share.

namespace tarvek::installer {

// The uninstaller, on the medium and in the Windows folder.
inline constexpr char kUninstallerName[] = "ZaZiruDA.exe";
// The plug-in's folder inside a viewer installation.
inline constexpr char kPluginSubfolder[] = "Plug_ins\\Tarvek\\";

}  // namespace tarvek::installer
