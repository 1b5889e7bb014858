#pragma once
// The product's registry layout: every key path and value name in one place.

#include <string>

namespace tarvek::settings {

// Product key, in HKEY_LOCAL_MACHINE (machine-wide) and HKEY_CURRENT_USER (per user).
inline constexpr char kProductKey[] = "Software\\Kelbo\\TarvekPDF";
// Per-user subkeys of the product key.
inline constexpr char kSearchHistoryKey[] = "Software\\Kelbo\\TarvekPDF\\SearchHistory";
inline constexpr char kSearchColumnKey[] = "Software\\Kelbo\\TarvekPDF\\SearchColumn";

// Values of the product key.
inline constexpr char kActiveIndexesPath[] = "ActiveIndexesPath";  // machine; user
inline constexpr char kHelpFile[] = "HelpFile";                    // machine only
inline constexpr char kUserName[] = "Name";                        // machine, installer
inline constexpr char kUserCompany[] = "Company";                  // machine, installer
// Path variables are values whose names start with this character.
inline constexpr char kPathVariablePrefix = '$';

// Values of the SearchHistory subkey.
inline constexpr char kNearValue[] = "Near";
std::string searchEditValueName(int position);  // "SearchEdit%d"
std::string operatorValueName(int position);    // "Operator%d"

// Values of the SearchColumn subkey: "Column%d_%s".
enum class ColumnField { visible, width, sort };
std::string columnValueName(int columnId, ColumnField field);

// Keys of other software, used by the installer.
inline constexpr char kReaderInstallPathKey[] = "Software\\Adobe\\Acrobat Reader\\%u.0\\InstallPath";
inline constexpr char kAcrobatInstallPathKey[] = "Software\\Adobe\\Adobe Acrobat\\%u.0\\InstallPath";
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Values of a product's uninstall entry, a subkey of kUninstallKey.
inline constexpr char kUninstallDisplayName[] = "DisplayName";
inline constexpr char kUninstallString[] = "UninstallString";

}  // namespace tarvek::settings
