#include "win32/command_interpreter.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "win32/handles.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

class Win32StartedProgram : public services::StartedProgram {
 public:
  explicit Win32StartedProgram(UniqueHandle process) : process_(std::move(process)) {}

  bool WaitForEnd(int boundMs) override {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(boundMs)) != WAIT_TIMEOUT;
  }

 private:
  UniqueHandle process_;
};

std::wstring SystemCommandInterpreter() {
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return L"cmd.exe";
  return std::wstring(folder, n) + L"\\cmd.exe";
}

}  // namespace

services::StartResult Win32CommandInterpreter::StartHidden(const std::string& commandLine) {
  const std::wstring application = SystemCommandInterpreter();
  std::wstring command = Widen(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return {nullptr, ErrorText(GetLastError())};
  }
  UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  return {std::make_unique<Win32StartedProgram>(std::move(process)), {}};
}

}  // namespace morvex::win32
