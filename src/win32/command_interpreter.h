// The system's command interpreter, started hidden.
#pragma once

#include "services/command_interpreter.h"

namespace morvex::win32 {

class Win32CommandInterpreter : public services::CommandInterpreter {
 public:
  // Runs cmd.exe of the system folder (never one found elsewhere).
  services::StartResult StartHidden(const std::string& commandLine) override;
};

}  // namespace morvex::win32
