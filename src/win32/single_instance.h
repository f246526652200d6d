// The folder's claim (app/single_copy.h) on Windows. The first copy holds a
// mutex named from the folder's full path, letter case ignored; the system
// closes it with the process, however that ends. A copy running elevated
// holds one that a normal start may not open: access denied means a copy
// runs. A later start finds the first copy's main window by the mark it
// carries and asks it to show itself. Copies of other folders run side by
// side.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "services/folder_claim.h"
#include "win32/handles.h"

namespace morvex::win32 {

// The message a later start posts to the first copy's main window: show
// yourself, as from the tray.
UINT ShowRequestMessage();

// The same number for every spelling of one folder's path (letter case, the
// short 8.3 form, a trailing separator), another for another folder; never 0.
std::uint64_t FolderKey(const std::wstring& folder);
// The name of the mutex that marks the folder's running copy.
std::wstring FolderObjectName(std::uint64_t key);
// The name of the window property that marks its main window, and the key
// read back from a window's mark (0 for none).
std::wstring FolderMarkName(std::uint64_t key);
std::uint64_t MarkedFolderKey(HWND window);

// Lets a later start's show request and the shell's "TaskbarCreated" reach
// the window from a process of lower integrity (this copy runs elevated, the
// later start or Explorer does not): ChangeWindowMessageFilterEx, on Vista
// the process-wide ChangeWindowMessageFilter, each looked up at run time.
// False when neither could let both through.
bool LetThroughMessageFilter(HWND window);

// Brings a message box of this thread to the front: a show request that
// comes while one is open waits for it.
void BringOpenBoxForward();

class FolderCopy final : public services::FolderClaim {
 public:
  explicit FolderCopy(const std::wstring& folder) : key_(FolderKey(folder)) {}

  services::FolderObject CreateObject() override;
  bool WaitForObject(int ms) override;
  std::uintptr_t FindRunningWindow() override;
  bool AskToShow(std::uintptr_t window) override;

  // Marks the main window as the one a later start asks to show itself, and
  // lets the request through the message filter.
  void MarkMainWindow(HWND window) const;

 private:
  std::uint64_t key_;
  UniqueHandle mutex_;
};

}  // namespace morvex::win32
