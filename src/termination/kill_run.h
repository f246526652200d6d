// Ending the processes of the kill list: each name through the management
// service and through a batch file my.bat that runs TASKKILL, and the two
// further buttons that end processes the one way or the other.
//
// A run holds the user-interface thread from start to end: its pauses and
// its wait for the previous batch are plain blocking waits. An event that
// arrives meanwhile (the management service's calls wait in a message loop of
// their own) is held by the event queue until the run is over.
#pragma once

#include <functional>
#include <string>

namespace morvex::app {
class Form1;
}

namespace morvex::termination {

// Every pause of a run.
inline constexpr int kPauseMs = 200;
// How long writing my.bat waits at most for the batch started before it.
inline constexpr int kBatchEndBoundMs = 10000;

// The application folder followed by "\my.bat".
std::string KillBatchPath(app::Form1& form);

// Whether a name can be handed to either way of ending: not empty, and free
// of double quotes, control characters and the wildcards '*' and '?'.
bool IsEndableName(const std::string& name);

// The entry a pass ends: while any entry of List2 is selected, the one with
// the focus mark; while none is, the first. Empty for an empty list.
std::string CurrentKillListEntry(const app::Form1& form);

// Asks every process object of the management service whose Caption equals
// the name exactly (letter case counts) to terminate. A service that cannot
// be reached, and a process that refuses, are passed over.
void EndProcessesByCaption(app::Form1& form, const std::string& name);

struct BatchWriteResult {
  bool written = false;
  std::string error;  // the system's reason when the file could not be written
};

// Writes my.bat with `lines` kill lines, reading the name from `nameSource`
// afresh for each and pausing after each, then the delete line. Waits first
// (bounded) for the batch started last to end, so that it is never
// overwritten while it runs. A name the OEM code page cannot hold gets no
// line; with no line left, nothing is written.
BatchWriteResult WriteKillBatch(app::Form1& form, int lines, const std::function<std::string()>& nameSource);

// Starts my.bat hidden through the command interpreter without waiting for
// it, then pauses. A batch that cannot be started is passed over.
void RunKillBatch(app::Form1& form);

// The click of Command2, also run when the countdown expires.
void EndKillListProcesses(app::Form1& form);

// The click of Command3: the name in txtTargetTitle handed to TASKKILL once
// per kill-list entry.
void EndTargetForEachEntry(app::Form1& form);

// The click of Command6: the name selected in List1 shown, then ended
// through the management service.
void EndSelectedCatalogueEntry(app::Form1& form);

void WireTermination(app::Form1& form);

}  // namespace morvex::termination
