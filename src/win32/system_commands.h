// The system's own commands, started directly from the system folder.
#pragma once

#include "services/system_commands.h"

namespace morvex::win32 {

class Win32SystemCommands : public services::SystemCommands {
 public:
  std::string SystemFolder() override;
  // CreateProcessW with the full path, CREATE_NO_WINDOW (no console at all,
  // so no terminal shows one either), the system folder as the current
  // folder, no handles inherited.
  services::StartResult Start(const std::string& program, const std::string& commandLine) override;
};

// Whether the program's token is elevated (an administrator's, run as such).
bool RunsElevated();

// Where the program runs elevated, enables the debug privilege in its token
// (once), so that TASKKILL, which inherits the token, and the management
// service may end other accounts' processes. Unelevated, the token lacks the
// privilege and nothing changes.
void AskForDebugPrivilege();

}  // namespace morvex::win32
