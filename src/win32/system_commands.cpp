#include "win32/system_commands.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "win32/handles.h"
#include "win32/painting_wait.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

class Win32StartedProgram : public services::StartedProgram {
 public:
  Win32StartedProgram(UniqueHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

  // The thread's windows are painted meanwhile (the wait window of a run).
  bool WaitForEnd(int boundMs) override { return WaitPainting(process_.get(), static_cast<DWORD>(boundMs)); }

  std::optional<std::uint32_t> ExitCode() override {
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
  }

  bool End() override {
    TerminateProcess(process_.get(), 1);
    return WaitForEnd(1000);
  }

  std::uint32_t ProcessId() override { return id_; }

 private:
  UniqueHandle process_;
  DWORD id_;
};

}  // namespace

std::string Win32SystemCommands::SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  return Narrow(std::wstring(folder, n));
}

services::StartResult Win32SystemCommands::Start(const std::string& program, const std::string& commandLine) {
  const std::wstring application = Widen(program);
  const std::wstring folder = Widen(SystemFolder());
  std::wstring command = Widen(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.c_str(), command.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW, nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return {nullptr, ErrorText(GetLastError())};
  }
  UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  return {std::make_unique<Win32StartedProgram>(std::move(process), info.dwProcessId), {}};
}

}  // namespace morvex::win32
