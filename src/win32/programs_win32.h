// The command interpreter started hidden, and the blocking pause.
#pragma once

#include "services/programs.h"

namespace morvex::win32 {

class Win32CommandInterpreter : public services::CommandInterpreter {
 public:
  // Runs cmd.exe of the system folder (never one found elsewhere).
  services::StartResult StartHidden(const std::string& commandLine) override;
};

class Win32Pause : public services::Pause {
 public:
  void Sleep(int ms) override;
};

}  // namespace morvex::win32
