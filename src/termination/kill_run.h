// Ending the processes of the kill list: each name through the management
// service and through the system's TASKKILL, started directly, and the two
// further buttons that end processes the one way or the other.
//
// No way of ending ends the program's own process (another copy of it in
// another folder does end), nor a TASKKILL the run started, and none hands on
// a name of the processes Windows needs (processes/protected_names.h).
//
// A run holds the user-interface thread from start to end: its pauses and
// its waits for each TASKKILL are blocking waits (which only paint the
// windows, so the wait window stays readable). An event that arrives
// meanwhile (the management service's calls wait in a message loop of their
// own) is held by the event queue until the run is over. When the run is
// over, nothing it started still works on: a TASKKILL that has not ended
// within its bound is ended.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/services.h"
#include "termination/taskkill.h"
#include "termination/texts.h"

namespace morvex::forms {
struct EndingPart;
}

namespace morvex::processes {
class Catalogue;
class KillList;
}  // namespace morvex::processes

namespace morvex::settings {
class WindowSettings;
}

namespace morvex::ui {
class TextBox;
}

namespace morvex::termination {

// Every pause of a run.
inline constexpr int kPauseMs = 200;
// How long a run waits at most for one TASKKILL to end.
inline constexpr int kTaskkillBoundMs = 10000;

// What one start of TASKKILL came to.
struct TaskkillResult {
  bool started = false;
  std::string error;                     // the system's reason when it was not started
  std::optional<std::uint32_t> exitCode;  // nothing when it did not end within the bound
};

// Starts the system's TASKKILL, one start at a time, each waited for.
class TerminationRunner {
 public:
  explicit TerminationRunner(services::Services& services) : services_(services) {}
  TerminationRunner(const TerminationRunner&) = delete;
  TerminationRunner& operator=(const TerminationRunner&) = delete;

  // Ends the name through TASKKILL: started from the system folder, waited
  // for up to kTaskkillBoundMs and ended when it has not ended by then; then
  // pauses. A start for the program's own image name (letter case ignored)
  // spares the program's process; one for the image name of a process the
  // program descends from does not end that one's descendants. A name that
  // cannot be one argument is not handed on (not started).
  TaskkillResult EndByTaskkill(const std::string& name);

  // Whether the process is a TASKKILL the runner started that may still run.
  bool IsHelper(std::uint32_t processId) const;

 private:
  services::Services& services_;
  std::vector<std::uint32_t> helpers_;
};

// What the run and its two siblings work with.
struct Ending {
  forms::EndingPart& part;
  ui::TextBox& typedName;  // the title-based ending's field (txtTargetTitle), Command3's name
  processes::KillList& killList;
  processes::Catalogue& catalogue;  // refreshed after every run
  settings::WindowSettings& settings;
  services::Services& services;
  TerminationRunner& runner;
};

// Command2, Command3 and Command6. Command2 ends the entries of List2 that are
// selected, or every entry while none is.
void WireTermination(Ending& ending);

// The kill-list run over every entry of List2, whatever is selected (the
// countdown's expiry), without its report: what still runs afterwards.
std::vector<NotEnded> RunEveryKillListEntry(Ending& ending);

// The one report of a run, shown once it is over (Form2 closed): a box that
// names each name still running, with its reason. Nothing when the run ended
// everything it found.
void ReportNotEnded(services::Services& services, const std::vector<NotEnded>& notEnded);

// The run of the countdown's expiry: RunEveryKillListEntry, then its report.
void EndEveryKillListEntry(Ending& ending);

}  // namespace morvex::termination
