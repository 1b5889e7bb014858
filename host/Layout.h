#pragma once
// The plug-in's names in the viewer: the submenu, its nine menu items and its
// four tool buttons, with their texts, shortcuts and commands.

#include <array>
#include <cstdint>
#include <optional>

#include "host/Commands.h"
#include "resources/TextIds.h"

namespace tarvek::host {

inline constexpr char kExtensionName[] = "VELT_fIDXQuery";
inline constexpr char kSubmenuName[] = "VELT:fIDXSubmenu";
inline constexpr char kAboutMenuName[] = "AboutExtensions";
inline constexpr char kHelpMenuName[] = "UsingExtensions";
inline constexpr char kFindButtonName[] = "Find";
inline constexpr char kEngineFileName[] = "\\vovar_av.dll";

enum class Placement { submenu, aboutMenu, helpMenu };
enum class EnableRule { none, always, filesPresent };

struct MenuItemEntry {
  const char* name;
  TextId title;
  char shortcut;      // 0: none
  int16_t modifiers;  // the viewer gives the bits their meaning
  std::optional<Command> command;  // none for the separator
  EnableRule enable;
  Placement placement;
};

struct ToolButtonEntry {
  const char* name;
  TextId tooltip;
  Command command;
  EnableRule enable;
};

inline constexpr std::array<MenuItemEntry, 9> kMenuItems = {{
    {"VELT:Search", kTextMenuSearch, '*', 2, Command::search, EnableRule::always, Placement::submenu},
    {"VELT:SearchResults", kTextMenuResults, '*', 1, Command::results, EnableRule::filesPresent,
     Placement::submenu},
    {"VELT:TarvekSeparator", kTextMenuSeparator, 0, 0, std::nullopt, EnableRule::none, Placement::submenu},
    {"VELT:PreviousHit", kTextMenuPreviousHit, 'P', 4, Command::previousHit, EnableRule::filesPresent,
     Placement::submenu},
    {"VELT:NextHit", kTextMenuNextHit, 'L', 4, Command::nextHit, EnableRule::filesPresent, Placement::submenu},
    {"VELT:PreviousFile", kTextMenuPreviousFile, 'P', 5, Command::previousFile, EnableRule::filesPresent,
     Placement::submenu},
    {"VELT:NextFile", kTextMenuNextFile, 'L', 5, Command::nextFile, EnableRule::filesPresent, Placement::submenu},
    {"VELT:About", kTextMenuAbout, 0, 0, Command::about, EnableRule::none, Placement::aboutMenu},
    {"VELT:HelpTarvekQueryMenu", kTextMenuHelp, 0, 0, Command::help, EnableRule::none, Placement::helpMenu},
}};

inline constexpr size_t kSubmenuItemCount = 7;  // the first seven go into the submenu
inline constexpr size_t kAboutItem = 7;
inline constexpr size_t kHelpItem = 8;

inline constexpr std::array<ToolButtonEntry, 4> kToolButtons = {{
    {"VELT:TarvekQuerySearch", kTextToolSearch, Command::search, EnableRule::always},
    {"VELT:TarvekQueryResults", kTextToolResults, Command::results, EnableRule::filesPresent},
    {"VELT:TarvekQueryPrevHit", kTextToolPreviousHit, Command::previousHit, EnableRule::filesPresent},
    {"VELT:TarvekQueryNextHit", kTextToolNextHit, Command::nextHit, EnableRule::filesPresent},
}};

}  // namespace tarvek::host
