#include "termination/kill_run.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "forms/texts.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "settings/form_state.h"
#include "termination/privilege.h"
#include "termination/process_tree.h"

namespace morvex::termination {

TaskkillResult TerminationRunner::EndByTaskkill(const std::string& name) {
  services::Lifetime& own = services_.lifetime;
  TaskkillStart start{name, std::nullopt};
  if (processes::SameImageName(name, own.ImageName())) start.spared = own.ProcessId();
  for (const std::string& ancestor : own.AncestorImageNames()) {
    start.tree = start.tree && !processes::SameImageName(name, ancestor);
  }
  const std::string folder = services_.commands.SystemFolder();
  const std::optional<std::string> commandLine = TaskkillCommandLine(folder, start);
  if (!commandLine) return {};
  TaskkillResult result;
  std::optional<DebugPrivilege> privilege(std::in_place, services_.account);  // inherited by TASKKILL
  services::StartResult started = services_.commands.Start(TaskkillPath(folder), *commandLine);
  if (started.program) {
    result.started = true;
    if (started.program->WaitForEnd(kTaskkillBoundMs)) {
      result.exitCode = started.program->ExitCode();
    } else if (!started.program->End()) {
      helpers_.push_back(started.program->ProcessId());
    }
  } else {
    result.error = started.error;
  }
  privilege.reset();
  services_.pause.Sleep(kPauseMs);
  return result;
}

bool TerminationRunner::IsHelper(std::uint32_t processId) const {
  return std::find(helpers_.begin(), helpers_.end(), processId) != helpers_.end();
}

bool TerminationRunner::FirstToTell(const std::string& protectedName) {
  for (const std::string& told : told_) {
    if (processes::SameImageName(told, protectedName)) return false;
  }
  told_.push_back(processes::TrimmedName(protectedName));
  return true;
}

namespace {

// Which entries a run of the kill list ends.
enum class Chosen {
  kSelectedOrAll,  // the click of Command2
  kAll,            // the countdown's expiry
};

// Whether a name can be handed to either way of ending: not one Windows
// needs, one argument for TASKKILL, and free of the wildcards '*' and '?'.
bool IsEndableName(const std::string& name) {
  // TASKKILL takes '*' and '?' as wildcards: a hand-edited "*" would end every
  // process it may end. No image name holds either.
  return IsTaskkillWord(name) && name.find_first_of("*?") == std::string::npos && !processes::IsProtectedName(name);
}

// Whether the management service's process object must be left running: the
// program's own process, or a TASKKILL the run started. One whose identifier
// cannot be read counts as the own one when it carries the program's image
// name.
bool IsSpared(services::Services& services, const TerminationRunner& runner, services::ManagedProcess& process) {
  if (const std::optional<std::uint32_t> id = process.ProcessId()) {
    return *id == services.lifetime.ProcessId() || runner.IsHelper(*id);
  }
  return processes::SameImageName(process.Caption(), services.lifetime.ImageName());
}

// What a name's end came to, for the report.
struct Attempt {
  std::string name;
  std::string serviceReason;
  TaskkillResult taskkill;
};

// Asks every process object of the management service whose Caption equals
// the name exactly (letter case counts) to terminate, the spared ones
// excepted. Gives the reason of the first refusal, or the service's failure.
std::string EndProcessesByCaption(services::Services& services, const TerminationRunner& runner,
                                  const std::string& name) {
  const DebugPrivilege privilege(services.account);
  services::ProcessQueryResult result = services.management.QueryWin32Processes();
  if (!result.ok) return ServiceUnreachableText(result.error);
  std::string reason;
  for (const auto& process : result.processes) {
    if (process->Caption() != name || IsSpared(services, runner, *process)) continue;
    // A method the service lacks (as under Wine) says nothing of the process.
    const std::optional<std::uint32_t> code = process->Terminate();
    if (!code || *code == 0 || !reason.empty()) continue;
    reason = *code == 2 ? kAccessDenied : *code == 3 ? kNoPrivilege : ServiceFailedText(*code);
  }
  return reason;
}

// TASKKILL's exit code 1 is its general failure: a refusal only where the
// service was refused too.
std::string TaskkillReason(const Attempt& attempt) {
  const TaskkillResult& result = attempt.taskkill;
  if (!result.started) return result.error.empty() ? "" : TaskkillNotStartedText(result.error);
  if (!result.exitCode) return kTaskkillHung;
  const std::uint32_t code = *result.exitCode;
  if (code == 0 || code == kTaskkillNotFound) return {};
  if (code == 1) return attempt.serviceReason == kAccessDenied ? kAccessDenied : kTaskkillError;
  return TaskkillFailedText(code);
}

// Joins a reason to those known, each once.
void AddReason(std::string& reasons, const std::string& reason) {
  if (reason.empty() || ("; " + reasons + "; ").find("; " + reason + "; ") != std::string::npos) return;
  reasons += reasons.empty() ? reason : "; " + reason;
}

// What still runs after the run, by a fresh snapshot: each process of an
// attempted name (the program's own excepted) and each descendant is waited
// for through a handle, all together for at most kReportBoundMs, before it
// counts as not ended. A protected name is named by the first run alone.
std::vector<NotEnded> StillRunning(Ending& e, const std::vector<Attempt>& attempts, ProcessTree& tree) {
  services::Services& services = e.services;
  const std::vector<services::ListedProcess> listed = services.snapshot.Processes();
  const std::uint32_t own = services.lifetime.ProcessId();
  const std::int64_t deadline = services.clock.Elapsed() + kReportBoundMs;
  const auto boundLeft = [&] {
    return static_cast<int>(std::clamp<std::int64_t>(deadline - services.clock.Elapsed(), 0, kReportBoundMs));
  };
  std::vector<NotEnded> notEnded;
  for (const Attempt& attempt : attempts) {
    const auto named = [&](const services::ListedProcess& process) {
      return process.id != own && processes::SameImageName(process.imageName, attempt.name);
    };
    if (processes::IsProtectedName(attempt.name)) {
      if (std::any_of(listed.begin(), listed.end(), named) && e.runner.FirstToTell(attempt.name)) {
        notEnded.push_back({attempt.name, kNeededByWindows});
      }
      continue;
    }
    int running = 0;
    for (const services::ListedProcess& process : listed) {
      if (!named(process)) continue;
      const std::unique_ptr<services::ProcessHandle> handle = services.snapshot.Open(process.id);
      if (!handle || !handle->WaitForEnd(boundLeft())) ++running;
    }
    const ProcessTree::Outlived started = tree.Outliving(attempt.name, boundLeft, listed);
    if (running == 0 && started.count == 0) continue;
    std::string reason;
    if (running > 0) {
      AddReason(reason, attempt.serviceReason);
      AddReason(reason, TaskkillReason(attempt));
    }
    AddReason(reason, started.reason);
    notEnded.push_back({attempt.name, reason, started.count, running > 0});
  }
  return notEnded;
}

// The entries a run ends, in list order, taken when the run begins, each
// with the blanks and tabs around it ignored; empty where the entry is a
// repeat of an earlier one (letter case ignored), which is ended once.
std::vector<std::string> NamesToEnd(const ui::ListBox& list, Chosen chosen) {
  const bool selectedOnly = chosen == Chosen::kSelectedOrAll && list.SelCount() > 0;
  std::vector<std::string> names;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (selectedOnly && !list.Selected(i)) continue;
    std::string name = processes::TrimmedName(list.List(i));
    for (const std::string& earlier : names) {
      if (!name.empty() && processes::SameImageName(earlier, name)) name.clear();
    }
    names.push_back(std::move(name));
  }
  return names;
}

// What a run came to: what still runs, and why List2.txt could not be
// reloaded where it exists.
struct RunOutcome {
  std::vector<NotEnded> notEnded;
  std::string notRead;
};

// The run of Command2 and of the countdown's expiry, up to its report.
RunOutcome RunKillList(Ending& e, Chosen chosen) {
  e.settings.Save();
  e.part.waitWindow.Get().Show();

  ui::ListBox& list = e.killList.Shown();
  const std::vector<std::string> shownBefore = e.killList.Entries();
  const std::vector<std::string> names = NamesToEnd(list, chosen);
  std::vector<std::string> endable;
  std::copy_if(names.begin(), names.end(), std::back_inserter(endable), IsEndableName);
  // Handles that may end a process of another account are opened with the
  // privilege, as every step that ends one.
  ProcessTree tree = [&] {
    const DebugPrivilege privilege(e.services.account);
    return ProcessTree(e.services.snapshot, endable, e.services.lifetime.ProcessId());
  }();
  std::vector<Attempt> attempts;
  for (const std::string& name : names) {
    if (IsEndableName(name)) {
      Attempt attempt{name, EndProcessesByCaption(e.services, e.runner, name), {}};
      attempt.taskkill = e.runner.EndByTaskkill(name);
      {
        const DebugPrivilege privilege(e.services.account);
        tree.EndDescendantsOf(name);
      }
      attempts.push_back(std::move(attempt));
    } else if (!name.empty()) {
      attempts.push_back({name, {}, {}});
    }
    // The list shrinks from the top while the run works.
    if (list.ListCount() > 0) list.RemoveItem(0);
  }

  // What winds down is waited for while the wait window still says so, and
  // the catalogue then lists what truly runs on.
  RunOutcome outcome;
  outcome.notEnded = StillRunning(e, attempts, tree);
  outcome.notRead = e.killList.RestoreAfterRun(shownBefore);
  e.catalogue.Refresh();
  e.part.waitWindow.Close();
  return outcome;
}

// The run's boxes, once it is over: its report, then a failed reload.
void Report(Ending& e, const RunOutcome& outcome) {
  ReportNotEnded(e.services, outcome.notEnded);
  if (!outcome.notRead.empty()) e.killList.TellNotRead(outcome.notRead);
}

// The click of Command3: the typed name handed to TASKKILL once per kill-list
// entry.
void EndTypedNameForEachEntry(Ending& e) {
  e.settings.Save();
  ui::ListBox& list = e.killList.Shown();
  const std::vector<std::string> shownBefore = e.killList.Entries();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    const std::string name = processes::TrimmedName(e.typedName.Text());
    if (IsEndableName(name)) e.runner.EndByTaskkill(name);
    list.RemoveItem(0);
  }
  e.catalogue.Refresh();
  e.killList.RestoreAfterRun(shownBefore);
  e.catalogue.Refresh();
}

// The click of Command6: the name selected in the catalogue shown, then ended
// through the management service.
void EndChosenCatalogueEntry(Ending& e) {
  const std::string name = e.catalogue.Chosen();
  e.services.messages.Show(name, forms::kAppTitle, services::kOkOnly);
  const DebugPrivilege privilege(e.services.account);
  services::ProcessQueryResult result = e.services.management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (IsEndableName(name) && process->Caption() == name && !IsSpared(e.services, e.runner, *process)) {
      process->Terminate();
    }
    e.catalogue.Refresh();
  }
}

}  // namespace

void ReportNotEnded(services::Services& services, const std::vector<NotEnded>& notEnded) {
  if (notEnded.empty()) return;
  // The one word the user gets of an unattended run: above the other windows,
  // the full-screen program the countdown ended the others for included.
  services.messages.Show(NotEndedText(notEnded), kNotEndedTitle, services::kCritical | services::kTopmost);
}

void WireTermination(Ending& e) {
  e.part.endNow.onClick = [&e] { Report(e, RunKillList(e, Chosen::kSelectedOrAll)); };
  e.part.endPerEntry.onClick = [&e] { EndTypedNameForEachEntry(e); };
  e.part.endChosen.onClick = [&e] { EndChosenCatalogueEntry(e); };
}

void EndEveryKillListEntry(Ending& e) { Report(e, RunKillList(e, Chosen::kAll)); }

}  // namespace morvex::termination
