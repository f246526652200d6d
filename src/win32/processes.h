// The process snapshot through the tool-help functions, and the management
// service through its scripting interface (the "winmgmts:" moniker).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "services/processes.h"

namespace morvex::win32 {

// A running process as the tool-help snapshot gives it.
struct RunningProcess {
  DWORD id = 0;
  DWORD parent = 0;
  std::string imageName;
};

// The one walk of the running processes, with the Unicode records: every
// name as the system gives it, whatever the ANSI code page can hold. Empty
// where no snapshot can be taken.
std::vector<RunningProcess> RunningProcesses();

class Win32ProcessSnapshot : public services::ProcessSnapshot {
 public:
  std::vector<services::ListedProcess> Processes() override;
  // Opened to end the process, to wait for it and to read its creation time;
  // where ending it is refused, to wait and read alone.
  std::unique_ptr<services::ProcessHandle> Open(std::uint32_t id) override;
};

// Needs COM to be initialised on the calling thread.
class Win32ManagementService : public services::ManagementService {
 public:
  services::ProcessQueryResult QueryWin32Processes() override;
};

}  // namespace morvex::win32
