// The system's command interpreter, started hidden without waiting.
#pragma once

#include <memory>
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
};

struct StartResult {
  std::unique_ptr<StartedProgram> program;  // null when nothing was started
  std::string error;                        // the reason, when nothing was started
};

class CommandInterpreter {
 public:
  virtual ~CommandInterpreter() = default;
  // Starts the system's command interpreter with `commandLine` (which names it
  // first, as in "cmd.exe /C ..."), its window hidden, in the program's own
  // working folder, and returns at once.
  virtual StartResult StartHidden(const std::string& commandLine) = 0;
};

}  // namespace morvex::services
