// The process snapshot through the tool-help functions, and the management
// service through its scripting interface (the "winmgmts:" moniker).
#pragma once

#include "services/processes.h"

namespace morvex::win32 {

class Win32ProcessSnapshot : public services::ProcessSnapshot {
 public:
  std::vector<std::string> ImageNames() override;
};

// Needs COM to be initialised on the calling thread.
class Win32ManagementService : public services::ManagementService {
 public:
  services::ProcessQueryResult QueryWin32Processes() override;
};

}  // namespace morvex::win32
