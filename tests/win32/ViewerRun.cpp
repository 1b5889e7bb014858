#include "tests/win32/ViewerRun.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvek::testing {
namespace {

std::string nativePath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace

ViewerRun::ViewerRun() : scratch_("viewer"), folder_(scratch_.path()) { copyInto(TARVEK_VIEWER_EXE, "viewer.exe"); }

void ViewerRun::copyInto(const std::string& source, const std::string& relative) {
  const std::string target = folder_ + "\\" + relative;
  makeFolders(target.substr(0, target.find_last_of('\\')));
  if (!CopyFileA(nativePath(source).c_str(), target.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source + " to " + target);
}

void ViewerRun::installPlugIn(bool withEngine) {
  copyInto(TARVEK_QUERY_API, "Plug_ins\\Tarvek\\query.API");
  if (withEngine) copyInto(TARVEK_ENGINE_DOUBLE, "Plug_ins\\Tarvek\\vovar_av.dll");
}

std::vector<std::string> ViewerRun::run(const std::string& script, const std::vector<std::string>& options,
                                        const std::string& pathPrefix) {
  const std::string scriptPath = folder_ + "\\test.script";
  HANDLE file = CreateFileA(scriptPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
  CloseHandle(file);

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("no pipe");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  std::string command = "\"" + folder_ + "\\viewer.exe\" --script \"" + scriptPath + "\"";
  for (const std::string& option : options) command += " \"" + option + "\"";
  std::string oldPath;
  if (!pathPrefix.empty()) {
    char buffer[32768] = {};
    GetEnvironmentVariableA("PATH", buffer, sizeof buffer);
    oldPath = buffer;
    SetEnvironmentVariableA("PATH", (pathPrefix + ";" + oldPath).c_str());
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder_.c_str(),
                                      &startup, &process);
  if (!pathPrefix.empty()) SetEnvironmentVariableA("PATH", oldPath.c_str());
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    throw std::runtime_error("cannot start " + command);
  }
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(readEnd);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(output.substr(start, end - start));
  if (start < output.size()) lines.push_back(output.substr(start));
  // Whatever a test looks for, no run may call an entry the viewer does not
  // serve, let a raise past the plug-in or leave the frame stack unbalanced.
  for (const std::string& line : lines)
    if (!frameErrorsExpected_ && (line.rfind("error trap", 0) == 0 || line.rfind("error raise", 0) == 0 ||
        line.rfind("error ASPopExceptionFrame", 0) == 0 || line.find("exception frames pushed") != std::string::npos))
      ADD_FAILURE() << line;
  return lines;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

}  // namespace tarvek::testing
