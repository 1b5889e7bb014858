#pragma once
// What the plug-in's menu items and tool buttons do. The host layer calls
// these from the viewer's procedures; the search, results, navigation, About
// and help views implement them. Until one lands, its command does nothing.

namespace tarvek::host {

enum class Command { search, results, previousHit, nextHit, previousFile, nextFile, about, help };

class Commands {
 public:
  virtual ~Commands() = default;
  virtual void run(Command command) {}
  // Called at the end of initialisation: the long-lived dialogs are made here.
  virtual void createDialogs() {}
  // Called first at unload: the dialogs made above, and any results dialog, go.
  virtual void destroyDialogs() {}
};

}  // namespace tarvek::host
