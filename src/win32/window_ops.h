// Window lookup and process termination through user32 and kernel32.
#pragma once

#include <windows.h>

#include "services/window_ops.h"

namespace morvex::win32 {

class Win32WindowOps : public services::WindowOps {
 public:
  std::uintptr_t FindTopWindow(const std::string& title) override;
  std::uint32_t WindowProcessId(std::uintptr_t window) override;
  std::uintptr_t OpenProcess(std::uint32_t access, bool inheritable, std::uint32_t processId) override;
  bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) override;
  void CloseHandle(std::uintptr_t process) override;
  bool Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // The process of GetForegroundWindow() is the program's own.
  bool ProgramIsForeground() override;
};

}  // namespace morvex::win32
