// Finding a top-level window by its title and acting on it or on the process
// that owns it. Handles are opaque numbers; 0 means none.
#pragma once

#include <cstdint>
#include <string>

namespace morvex::services {

// The access a process is opened with to end it: terminate and synchronize.
inline constexpr std::uint32_t kTerminateAccess = 0x00100001;
// The message that asks a window to close.
inline constexpr std::uint32_t kCloseMessage = 0x0010;

class WindowOps {
 public:
  virtual ~WindowOps() = default;
  // A top-level window whose title is exactly `title` (UTF-8, looked up as
  // Unicode, so a title outside the ANSI code page is found too), or 0.
  virtual std::uintptr_t FindTopWindow(const std::string& title) = 0;
  // The identifier of the process that created the window; 0 when none is found.
  virtual std::uint32_t WindowProcessId(std::uintptr_t window) = 0;
  // A handle to the process with the given access rights, or 0 on failure.
  virtual std::uintptr_t OpenProcess(std::uint32_t access, bool inheritable, std::uint32_t processId) = 0;
  // Ends the process; false when it could not be ended.
  virtual bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) = 0;
  virtual void CloseHandle(std::uintptr_t process) = 0;
  // Puts a message into the window's queue without waiting for it to be
  // handled; false when the system refused it (a window of a program that
  // runs elevated refuses a program that does not).
  virtual bool Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Whether the foreground window (the one the user works with) is one of
  // the program's own.
  virtual bool ProgramIsForeground() = 0;
};

}  // namespace morvex::services
