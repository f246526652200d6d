#include "termination/window_title.h"

#include <string>

#include "forms/form1.h"

namespace morvex::termination {

namespace {

void Report(forms::Form1& form, const char* text) { form.Svc().messages.Show(text, forms::kAppTitle, services::kOkOnly); }

// The window named by txtTargetTitle, or 0. An empty title would match some
// window without a title and so hit an unrelated program: it finds nothing.
std::uintptr_t FindTarget(forms::Form1& form) {
  const std::string title = form.txtTargetTitle().Text();
  if (title.empty()) return 0;
  return form.Svc().windows.FindTopWindow(form.Svc().codePage.ToAnsi(title));
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
Ended EndOwnerOfTarget(forms::Form1& form) {
  services::WindowOps& ops = form.Svc().windows;
  const std::uintptr_t window = FindTarget(form);
  if (!window) {
    Report(form, kNoWindow);
    return Ended::kNo;
  }
  const std::uint32_t processId = ops.WindowProcessId(window);
  if (!processId) {
    Report(form, kNoProcessId);
    return Ended::kNo;
  }
  // The program's own window (its title restored from config.ini): never
  // ended abruptly, which would save nothing and leave the tray icon dead.
  if (processId == form.Svc().lifetime.ProcessId()) return Ended::kOwnWindow;
  const ProcessHandle process(ops, ops.OpenProcess(services::kTerminateAccess, false, processId));
  if (!process.Get()) {
    Report(form, kNoProcessHandle);
    return Ended::kNo;
  }
  if (!ops.TerminateProcess(process.Get(), 0)) {
    Report(form, kNotTerminated);
    return Ended::kNo;
  }
  return Ended::kYes;
}

}  // namespace

void TerminateTargetProcess(forms::Form1& form) {
  // The target is gone now, so it is not looked up again: a success shows no
  // message. For the program's own window the close request is all that
  // runs, as after a close message: everything saved, the icon removed.
  if (EndOwnerOfTarget(form) != Ended::kNo) form.RunCloseRequest();
}

void SendTargetCloseMessage(forms::Form1& form) {
  const std::uintptr_t window = FindTarget(form);
  if (window) {
    form.Svc().windows.Post(window, services::kCloseMessage, 0, 0);
  } else {
    Report(form, kNoWindow);
  }
}

void WireWindowTitle(forms::Form1& form) {
  form.cmdTerminate().onClick = [&form] { TerminateTargetProcess(form); };
  form.cmdSendCloseMessage().onClick = [&form] { SendTargetCloseMessage(form); };
}

}  // namespace morvex::termination
