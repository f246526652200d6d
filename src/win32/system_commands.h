// The system's own commands, started directly from the system folder.
#pragma once

#include "services/system_commands.h"

namespace morvex::win32 {

class Win32SystemCommands : public services::SystemCommands {
 public:
  std::string SystemFolder() override;
  // CreateProcessW with the full path, CREATE_NO_WINDOW (no console at all,
  // so no terminal shows one either), the system folder as the current
  // folder, no handles inherited. The program's token is inherited as it is
  // at the start: with the debug privilege while a way of ending holds it.
  services::StartResult Start(const std::string& program, const std::string& commandLine) override;
};

}  // namespace morvex::win32
