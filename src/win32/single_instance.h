// One running copy of the program per application folder: two copies of one
// folder would write each other's kill list and settings over, show two tray
// icons and end the kill list twice at a countdown's expiry. The first copy
// holds a mutex named from the folder's full path, letter case ignored; the
// system closes it with the process, however that ends. A later start from
// the same folder finds the first copy's main window by the mark it carries,
// asks it to show itself and ends, before it has made a window or touched a
// file. Copies of other folders run side by side.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win32/handles.h"

namespace morvex::win32 {

// The message a later start posts to the first copy's main window: show
// yourself, as from the tray.
UINT ShowRequestMessage();

// The same number for every spelling of one folder's path (letter case, the
// short 8.3 form, a trailing separator), another for another folder; never 0.
std::uint64_t FolderKey(const std::wstring& folder);

class FolderCopy {
 public:
  // How long a later start waits for the first copy's main window, which
  // does not exist yet while the first copy is still starting.
  static constexpr int kWaitForWindowMs = 10000;

  explicit FolderCopy(const std::wstring& folder) : key_(FolderKey(folder)) {}

  // Whether this process is the folder's running copy. When another one
  // runs, it has been asked to show its window (or did not show one within
  // the bound) and this process is to end. A copy that ends meanwhile hands
  // the folder over: then this process runs.
  bool Claim(int waitForWindowMs = kWaitForWindowMs);

  // Marks the main window as the one a later start asks to show itself.
  void MarkMainWindow(HWND window) const;

 private:
  HWND FindMarkedWindow() const;

  std::uint64_t key_;
  UniqueHandle mutex_;
};

}  // namespace morvex::win32
