// Ending the processes of the kill list: every name through the management
// service and through the system's TASKKILL, started directly, and the two
// further buttons that end processes the one way or the other.
//
// No way of ending ends the program's own process (another copy of it in
// another folder does end), nor a TASKKILL the run started, and none hands on
// a name of the processes Windows needs (processes/protected_names.h).
//
// A run is one pass for all its names: it takes, from one snapshot, every
// process that descends from a process of a chosen name
// (termination/process_tree.h); asks the management service once for its
// processes and ends those of every name; hands the names to TASKKILL in as
// few starts as their options and the command line's length allow; and then
// ends the descendants through their own handles, for on Windows the service
// ends a process alone, and TASKKILL then no longer finds the children
// through it.
//
// A run holds the user-interface thread from start to end: its waits for each
// TASKKILL are blocking waits (which only paint the windows, so the wait
// window stays readable); nothing else waits. An event that arrives
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

// How long a run waits at most for one TASKKILL to end.
inline constexpr int kTaskkillBoundMs = 10000;
// How long the report waits at most, for all processes together, for those
// still listed after the run: an ended process stays listed while it winds
// down.
inline constexpr int kReportBoundMs = 2000;

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

  // Ends the names (each once, letter case ignored) through TASKKILL, in as
  // few starts as termination/taskkill.h allows, one after the other: each
  // started from the system folder, waited for up to kTaskkillBoundMs and
  // ended when it has not ended by then. A start for the program's own image
  // name spares the program's process; one for the image name of a process
  // the program descends from does not end that one's descendants. A name
  // that cannot be one argument is not handed on (not started). One exit
  // code covers a whole start: where a start for several names ended with
  // another code than 0, each of its names still running is handed to
  // TASKKILL again, alone, and that start's result is the name's. Gives each
  // name's result, in the order of the names.
  std::vector<TaskkillResult> EndByTaskkill(const std::vector<std::string>& names);

  // Whether the process is a TASKKILL the runner started that may still run.
  bool IsHelper(std::uint32_t processId) const;

  // Whether a report may name the protected name: once per start of the
  // program, by the first run that meets it.
  bool FirstToTell(const std::string& protectedName);

 private:
  TaskkillResult Start(const std::string& systemFolder, const TaskkillStart& start);

  services::Services& services_;
  std::vector<std::uint32_t> helpers_;
  std::vector<std::string> told_;
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

// The one report of a run, shown once it is over (Form2 closed): a box that
// names each name still running, or whose processes' children still run,
// with its reason. Nothing when the run ended everything it found.
void ReportNotEnded(services::Services& services, const std::vector<NotEnded>& notEnded);

// The run of the countdown's expiry: the kill-list run over every entry of
// List2, whatever is selected, then its report.
void EndEveryKillListEntry(Ending& ending);

}  // namespace morvex::termination
