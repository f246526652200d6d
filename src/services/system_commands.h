// Starting the system's own commands (TASKKILL) directly: no command
// interpreter and no batch file stand between the program and the command.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace morvex::services {

// A program the system has started, for waiting on its end. Going out of
// scope lets the program run on.
class StartedProgram {
 public:
  virtual ~StartedProgram() = default;
  // Waits at most `boundMs` milliseconds for the program to end; true when it
  // has ended (or its end cannot be waited for any more).
  virtual bool WaitForEnd(int boundMs) = 0;
  // The program's exit code once it has ended; nothing while it runs or when
  // the code cannot be read.
  virtual std::optional<std::uint32_t> ExitCode() = 0;
  // Ends the program (the program's own child, started by it); true when it
  // has ended.
  virtual bool End() = 0;
  virtual std::uint32_t ProcessId() = 0;
};

struct StartResult {
  std::unique_ptr<StartedProgram> program;  // null when nothing was started
  std::string error;                        // the reason, when nothing was started
};

class SystemCommands {
 public:
  virtual ~SystemCommands() = default;
  // The system folder (C:\Windows\system32), where the system's commands lie.
  virtual std::string SystemFolder() = 0;
  // Starts the program at the full path `program` with `commandLine` (which
  // names the program first, then its arguments: a Unicode command line, no
  // code page in between), with no window, the system folder as its current
  // folder and no handle of the program inherited, and returns at once.
  virtual StartResult Start(const std::string& program, const std::string& commandLine) = 0;
};

}  // namespace morvex::services
