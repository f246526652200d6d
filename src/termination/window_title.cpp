#include "termination/window_title.h"

#include <string>

#include "forms/parts.h"
#include "forms/texts.h"
#include "services/services.h"
#include "termination/privilege.h"

namespace morvex::termination {

namespace {

void Report(services::Services& services, const char* text) {
  services.messages.Show(text, forms::kAppTitle, services::kOkOnly);
}

// The window named by txtTargetTitle, or 0. An empty title would match some
// window without a title and so hit an unrelated program: it finds nothing.
std::uintptr_t FindTarget(forms::TitleEndingPart& part, services::Services& services) {
  const std::string title = part.title.Text();
  if (title.empty()) return 0;
  return services.windows.FindTopWindow(title);
}

// Closes the process handle on every way out of the scope.
class ProcessHandle {
 public:
  ProcessHandle(services::WindowOps& ops, std::uintptr_t handle) : ops_(ops), handle_(handle) {}
  ~ProcessHandle() {
    if (handle_) ops_.CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  std::uintptr_t Get() const { return handle_; }

 private:
  services::WindowOps& ops_;
  std::uintptr_t handle_;
};

enum class Ended { kNo, kYes, kOwnWindow };

// The steps up to the closed handle.
Ended EndOwnerOfTarget(forms::TitleEndingPart& part, services::Services& services) {
  services::WindowOps& ops = services.windows;
  const std::uintptr_t window = FindTarget(part, services);
  if (!window) {
    Report(services, kNoWindow);
    return Ended::kNo;
  }
  const std::uint32_t processId = ops.WindowProcessId(window);
  if (!processId) {
    Report(services, kNoProcessId);
    return Ended::kNo;
  }
  // The program's own window (its title restored from config.ini): never
  // ended abruptly, which would save nothing and leave the tray icon dead.
  if (processId == services.lifetime.ProcessId()) return Ended::kOwnWindow;
  const DebugPrivilege privilege(services.account);
  const ProcessHandle process(ops, ops.OpenProcess(services::kTerminateAccess, false, processId));
  if (!process.Get()) {
    Report(services, kNoProcessHandle);
    return Ended::kNo;
  }
  if (!ops.TerminateProcess(process.Get(), 0)) {
    Report(services, kNotTerminated);
    return Ended::kNo;
  }
  return Ended::kYes;
}

}  // namespace

void TerminateTargetProcess(forms::TitleEndingPart& part, services::Services& services) {
  // The target is gone now, so it is not looked up again: a success shows no
  // message. For the program's own window the close request is all that
  // runs, as after a close message: everything saved, the icon removed.
  if (EndOwnerOfTarget(part, services) != Ended::kNo) part.window.RunCloseRequest();
}

void SendTargetCloseMessage(forms::TitleEndingPart& part, services::Services& services) {
  const std::uintptr_t window = FindTarget(part, services);
  if (!window) {
    Report(services, kNoWindow);
  } else if (!services.windows.Post(window, services::kCloseMessage, 0, 0)) {
    // Refused: a program that runs elevated takes no message from one that
    // does not. Nothing would happen, so it is told.
    Report(services, kCloseNotSent);
  }
}

void WireWindowTitle(forms::TitleEndingPart& part, services::Services& services) {
  part.terminate.onClick = [&part, &services] { TerminateTargetProcess(part, services); };
  part.sendClose.onClick = [&part, &services] { SendTargetCloseMessage(part, services); };
}

}  // namespace morvex::termination
