#pragma once
// A recording viewer for native tests of the plug-in's lifecycle and of hit
// navigation. It serves its tables as the viewer does: arrays indexed by
// selector, every entry it does not serve a trap that fails the test. Its
// operations log each call (texts in UTF-8) and answer from a small model
// that a test can bend: tables or menus missing, a submenu already there,
// items or buttons the viewer does not make, files it does not open,
// documents without a PDF document or page view, pages it does not give,
// selections it does not make or take. It raises where the viewer raises,
// through the frame on top of its frame stack; a raise with no frame, a pop
// with none and a frame left pushed fail the test.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/HostApi.h"

namespace tarvek::testing {

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  std::set<std::string> missingTables;
  std::set<std::string> menus = {"AboutExtensions", "UsingExtensions"};  // present in the menu bar
  std::set<std::string> nullItems;
  std::set<std::string> nullButtons;
  bool hasMenubar = true;

  // Documents: every path opens unless listed here.
  std::set<std::string> unopenable;
  bool noPdDoc = false;
  bool noPageView = false;
  std::set<int> missingPages;  // PDDocAcquirePage answers null for these
  std::set<int> absentPages;   // PDDocAcquirePage raises for these, as for a page the document lacks
  bool raisePathNames = false;  // ASFileSysCreatePathName raises, as for a path type it does not know
  bool noSelection = false;    // the word hilite answers null
  enum class SelectionAnswer { take, refuse, raise } selectionAnswer = SelectionAnswer::take;
  // Names of menus, items and buttons whose making or adding runs out of memory (raises).
  std::set<std::string> outOfMemoryFor;
  // Path objects, pages and selections handed out and not yet released,
  // destroyed or taken by a document.
  int heldPaths = 0;
  int heldPages = 0;
  int heldSelections = 0;

  host::HFT core() const;
  host::HFT support() const;
  host::HFT pdModel() const;
  host::HFT view() const;
  host::HFT win() const;
  host::ASExtension extension() const { return reinterpret_cast<host::ASExtension>(0xE1); }
  std::string atomText(host::ASAtom atom) const;
  // The procedure behind a callback made by ASCallbackCreate, or null.
  host::ASProc procedure(host::ASCallback callback) const;

  std::vector<std::string> calls;
  // Menus acquired or made and not yet released, by name.
  std::map<std::string, int> heldMenus;
  // Items made and not released; items in a menu.
  std::set<std::string> heldItems, itemsInMenus;
  struct Button {
    std::string name, helpText;
    host::ASCallback execute = nullptr, enable = nullptr;
  };
  std::vector<Button> buttons;
  struct Item {
    std::string title, name;
    host::ASCallback execute = nullptr, enable = nullptr;
  };
  std::vector<Item> items;  // index + 1 is the handle

  // For the table functions.
  static FakeHost& current();
  std::vector<std::string> atoms{""};
  std::vector<std::pair<host::ASExtension, host::ASProc>> callbacks;
  std::vector<std::string> menuNames;  // index + 1 is the handle
  struct Frame {
    void* environment;
    host::RestoreProc restore;
  };
  std::vector<Frame> frames;
  host::ASInt32 raisedCode = 0;

 private:
  FakeHost* previous_;  // a test may make a second host for a while
};

}  // namespace tarvek::testing
