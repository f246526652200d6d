#include "win32/window_ops.h"

#include "win32/handles.h"
#include "win32/text.h"

namespace morvex::win32 {

static_assert(services::kTerminateAccess == (PROCESS_TERMINATE | SYNCHRONIZE));
static_assert(services::kCloseMessage == WM_CLOSE);

namespace {

HWND AsWindow(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }
HANDLE AsHandle(std::uintptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::uintptr_t Win32WindowOps::FindTopWindow(const std::string& title) {
  return reinterpret_cast<std::uintptr_t>(FindWindowW(nullptr, Widen(title).c_str()));
}

std::uint32_t Win32WindowOps::WindowProcessId(std::uintptr_t window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(AsWindow(window), &processId);
  return processId;
}

std::uintptr_t Win32WindowOps::OpenProcess(std::uint32_t access, bool inheritable, std::uint32_t processId) {
  return reinterpret_cast<std::uintptr_t>(::OpenProcess(access, inheritable ? TRUE : FALSE, processId));
}

bool Win32WindowOps::TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) {
  return ::TerminateProcess(AsHandle(process), exitCode) != 0;
}

// The core holds the handle OpenProcess gave it as a number and gives it back
// here; the holder takes it over and closes it.
void Win32WindowOps::CloseHandle(std::uintptr_t process) { UniqueHandle(AsHandle(process)).reset(); }

bool Win32WindowOps::Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return PostMessageW(AsWindow(window), message, wParam, lParam) != 0;
}

bool Win32WindowOps::ProgramIsForeground() {
  DWORD processId = 0;
  const HWND foreground = GetForegroundWindow();
  return foreground && GetWindowThreadProcessId(foreground, &processId) && processId == GetCurrentProcessId();
}

}  // namespace morvex::win32
