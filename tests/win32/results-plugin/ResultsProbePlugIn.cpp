// results-probe.API: the plug-in with all its real commands (the search
// dialog among them) whose result set is filled from a fixture file when it
// initialises, as if a search had found those files, so that the results
// dialog opens ("Search results") on the same rows in every run.
//
// The fixture, named by TARVEK_RESULTS_FIXTURE, holds UTF-8 lines of
// tab-separated fields. The first line is the query text ("\t" and "\n"
// written as such stand for a tab and a line break). Each further line is a
// file: path, page count, index name, PDF title, size text, modified as
// "YYYY MM DD hh mm ss", then one field per hit page "PAGE=OCC,OCC,..."
// (an empty list is a page with count 0).

#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "host/PlugIn.h"
#include "host/Procedures.h"
#include "host/win32/PlugInCommands.h"
#include "host/win32/Win32ButtonBitmaps.h"
#include "platform/win32/Win32Services.h"
#include "search/SearchResultSet.h"

namespace {

using namespace tarvek;
using namespace tarvek::host;

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) out.push_back(field);
  return out;
}

std::string unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 't' || text[i + 1] == 'n')) {
      out += text[++i] == 't' ? '\t' : '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

void fillFromFixture(CodePage& codePage, SearchResultSet& results) {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA("TARVEK_RESULTS_FIXTURE", path, sizeof path);
  std::ifstream fixture(path);
  std::string line;
  results.clear();
  if (!std::getline(fixture, line)) return;
  results.setQueryText(codePage.fromUtf8(unescaped(line)));
  while (std::getline(fixture, line)) {
    const std::vector<std::string> f = fields(line);
    if (f.size() < 6) continue;
    const int position = results.addFile(codePage.fromUtf8(f[0]), std::stoi(f[1]));
    FileHit& file = results.file(position);
    file.indexName = codePage.fromUtf8(f[2]);
    file.pdfTitle = codePage.fromUtf8(f[3]);
    file.sizeText = f[4];
    std::istringstream time(f[5]);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    time >> year >> month >> day >> hour >> minute >> second;
    file.modified = {static_cast<uint16_t>(year), static_cast<uint16_t>(month), 0, static_cast<uint16_t>(day),
                     static_cast<uint16_t>(hour), static_cast<uint16_t>(minute), static_cast<uint16_t>(second), 0};
    for (size_t i = 6; i < f.size(); ++i) {
      const size_t equals = f[i].find('=');
      const int page = std::stoi(f[i].substr(0, equals));
      std::vector<uint32_t> values;
      std::stringstream list(f[i].substr(equals + 1));
      for (std::string value; std::getline(list, value, ',');) values.push_back(std::stoul(value, nullptr, 0));
      uint32_t* slots = file.recordPage(page, static_cast<uint32_t>(values.size()));
      for (size_t v = 0; v < values.size(); ++v) slots[v] = values[v];
    }
  }
  results.computeTotals();
  results.selectFile(0);
}

// The plug-in's commands, with the result set filled once the dialogs exist,
// except that About hides the results dialog, so that the viewer's quit,
// which cancels the dialogs it sees, unloads the plug-in with the dialog
// still open.
class ProbeCommands final : public host::win32::PlugInCommands {
 public:
  using PlugInCommands::PlugInCommands;
  void run(Command command) override {
    if (command != Command::about) return PlugInCommands::run(command);
    if (results() && results()->hwnd()) ShowWindow(results()->hwnd(), SW_HIDE);
  }
  void createDialogs() override {
    PlugInCommands::createDialogs();
    fillFromFixture(env().codePage, processResultSet());
  }
};

struct Instance {
  explicit Instance(HINSTANCE module) : services(module), bitmaps(module), commands(module, services.env()) {
    commands.attach(plugIn);
  }
  tarvek::win32::Win32Env services;
  host::win32::Win32ButtonBitmaps bitmaps;
  ProbeCommands commands;
  PlugIn plugIn{{services.module(), services.env().libraries, bitmaps, commands}};
};

std::unique_ptr<Instance> g_instance;

}  // namespace

extern "C" __declspec(dllexport) ASBool __stdcall PlugInMain(uint32_t viewerVersion, uint32_t* handshakeVersion,
                                                             SetupProc* setup, WindowsDataRecord* windowsData) {
  try {
    HINSTANCE module = windowsData && windowsData->module ? static_cast<HINSTANCE>(windowsData->module)
                                                          : tarvek::win32::currentModule();
    if (!g_instance) {
      g_instance = std::make_unique<Instance>(module);
      setActivePlugIn(&g_instance->plugIn);
    }
    if (handshakeVersion) *handshakeVersion = answeredHandshakeVersion(viewerVersion);
    if (setup) *setup = &setupProcedure;
    return 1;
  } catch (...) {
    return 0;
  }
}
