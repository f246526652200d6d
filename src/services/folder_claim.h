// One running copy per application folder: the system's named object that
// marks the folder's running copy, and the way to that copy's main window.
#pragma once

#include <cstdint>

namespace morvex::services {

// What creating the folder's named object gave.
enum class FolderObject {
  kOwn,          // this process made it and holds it: no other copy runs
  kHeld,         // another copy holds it; this process can wait for its end
  kDenied,       // it exists and may not be opened: a copy runs with other rights (elevated)
  kUnavailable,  // the system made none: there is nothing to go by
};

class FolderClaim {
 public:
  virtual ~FolderClaim() = default;
  // Creates the folder's object, or opens the one that exists.
  virtual FolderObject CreateObject() = 0;
  // Waits up to `ms` for the copy that holds the object to end; true once
  // this process holds it. Without a handle on the object it only waits.
  virtual bool WaitForObject(int ms) = 0;
  // The running copy's main window; 0 while it has none.
  virtual std::uintptr_t FindRunningWindow() = 0;
  // Lets the window's process take the foreground and asks the window to
  // show itself; false when the request could not be delivered.
  virtual bool AskToShow(std::uintptr_t window) = 0;
};

}  // namespace morvex::services
