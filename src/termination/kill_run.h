// Ending the processes of the kill list: each name through the management
// service and through a batch file my.bat that runs TASKKILL, and the two
// further buttons that end processes the one way or the other.
//
// No way of ending ends the program's own process (another copy of it in
// another folder does end), and none hands on a name of the processes Windows
// needs (processes/protected_names.h).
//
// A run holds the user-interface thread from start to end: its pauses and
// its wait for the previous batch are plain blocking waits. An event that
// arrives meanwhile (the management service's calls wait in a message loop of
// their own) is held by the event queue until the run is over.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "services/services.h"

namespace morvex::forms {
class Form1;
}

namespace morvex::processes {
class KillList;
}

namespace morvex::termination {

// Every pause of a run.
inline constexpr int kPauseMs = 200;
// How long writing my.bat waits at most for the batch started before it.
inline constexpr int kBatchEndBoundMs = 10000;

struct BatchWriteResult {
  bool written = false;
  std::string error;  // the system's reason when the file could not be written
};

struct BatchStartResult {
  bool started = false;
  std::string error;  // the system's reason when the batch could not be started
};

// Writes and starts the batch file my.bat, one batch at a time: it keeps the
// batch it started last, so that the next one is written only when that one
// has ended (or a bound has passed), and never overwrites a running batch.
class TerminationRunner {
 public:
  explicit TerminationRunner(services::Services& services) : services_(services) {}
  TerminationRunner(const TerminationRunner&) = delete;
  TerminationRunner& operator=(const TerminationRunner&) = delete;
  ~TerminationRunner();

  // WriteKillBatch: my.bat with `lines` kill lines, reading the name from
  // `nameSource` afresh for each and pausing after each, then the delete
  // line. A name the OEM code page cannot hold gets no line; with no line
  // left, nothing is written. A line for the program's own image name (letter
  // case ignored) spares the program's process; one for the image name of a
  // process the program descends from does not end that one's descendants.
  BatchWriteResult WriteKillBatch(int lines, const std::function<std::string()>& nameSource);
  // RunKillBatch: starts my.bat hidden through the command interpreter
  // without waiting for it, then pauses.
  BatchStartResult RunKillBatch();

 private:
  // The application folder followed by "\my.bat".
  std::string BatchPath() const;

  services::Services& services_;
  std::unique_ptr<services::StartedProgram> lastBatch_;
};

// Command2, Command3 and Command6. Command2 ends the entries of List2 that are
// selected, or every entry while none is.
void WireTermination(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList);

// The run of the countdown's expiry: Command2's run over every entry of
// List2, whatever is selected.
void EndEveryKillListEntry(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList);

}  // namespace morvex::termination
