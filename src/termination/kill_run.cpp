#include "termination/kill_run.h"

#include <algorithm>
#include <cstddef>
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

TaskkillResult TerminationRunner::Start(const std::string& systemFolder, const TaskkillStart& start) {
  const std::optional<std::string> commandLine = TaskkillCommandLine(systemFolder, start);
  if (!commandLine) return {};
  TaskkillResult result;
  services::StartResult started = services_.commands.Start(TaskkillPath(systemFolder), *commandLine);
  if (!started.program) {
    result.error = started.error;
    return result;
  }
  result.started = true;
  if (started.program->WaitForEnd(kTaskkillBoundMs)) {
    result.exitCode = started.program->ExitCode();
  } else if (!started.program->End()) {
    helpers_.push_back(started.program->ProcessId());
  }
  return result;
}

std::vector<TaskkillResult> TerminationRunner::EndByTaskkill(const std::vector<std::string>& names) {
  services::Lifetime& own = services_.lifetime;
  const std::string folder = services_.commands.SystemFolder();
  // The names by the options of their start, each with its position.
  std::vector<std::pair<TaskkillStart, std::vector<std::size_t>>> kinds;
  const std::vector<std::string> ancestors = own.AncestorImageNames();  // from a snapshot of its own
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!IsTaskkillWord(names[i])) continue;  // not handed on
    TaskkillStart options{{}, std::nullopt, true};
    if (processes::SameImageName(names[i], own.ImageName())) options.spared = own.ProcessId();
    for (const std::string& ancestor : ancestors) {
      options.tree = options.tree && !processes::SameImageName(names[i], ancestor);
    }
    // The own name's filter would spare nothing else, but a TASKKILL that
    // knows no /FI refuses every name of its call.
    auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) {
      return !options.spared && !k.first.spared && k.first.tree == options.tree;
    });
    if (kind == kinds.end()) kind = kinds.insert(kinds.end(), {options, {}});
    kind->first.names.push_back(names[i]);
    kind->second.push_back(i);
  }

  std::vector<TaskkillResult> results(names.size());
  std::vector<std::pair<TaskkillStart, std::size_t>> again;  // alone, each with its position
  const DebugPrivilege privilege(services_.account);  // inherited by TASKKILL
  for (const auto& [kind, positions] : kinds) {
    std::size_t next = 0;
    for (const TaskkillStart& start : FittingStarts(folder, kind)) {
      const TaskkillResult result = Start(folder, start);
      for (const std::string& name : start.names) {
        results[positions[next]] = result;
        if (start.names.size() > 1 && result.exitCode.value_or(0) != 0) {
          again.push_back({{{name}, kind.spared, kind.tree}, positions[next]});
        }
        ++next;
      }
    }
  }
  if (again.empty()) return results;
  const std::vector<services::ListedProcess> listed = services_.snapshot.Processes();
  for (const auto& [start, position] : again) {
    const bool running = std::any_of(listed.begin(), listed.end(), [&](const services::ListedProcess& process) {
      return process.id != own.ProcessId() && !IsHelper(process.id) &&
             processes::SameImageName(process.imageName, start.names[0]);
    });
    if (running) results[position] = Start(folder, start);
  }
  return results;
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

// Asks the management service once for its process objects, and each whose
// Caption equals one of the names exactly (letter case counts) to terminate,
// the spared ones excepted. Gives for each name the reason of the first
// refusal, or the service's failure.
std::vector<std::string> EndProcessesByCaption(services::Services& services, const TerminationRunner& runner,
                                               const std::vector<std::string>& names) {
  std::vector<std::string> reasons(names.size());
  if (names.empty()) return reasons;
  const DebugPrivilege privilege(services.account);
  services::ProcessQueryResult result = services.management.QueryWin32Processes();
  if (!result.ok) return std::vector<std::string>(names.size(), ServiceUnreachableText(result.error));
  for (const auto& process : result.processes) {
    const auto named = std::find(names.begin(), names.end(), process->Caption());
    if (named == names.end() || IsSpared(services, runner, *process)) continue;
    // A method the service lacks (as under Wine) says nothing of the process.
    const std::optional<std::uint32_t> code = process->Terminate();
    std::string& reason = reasons[static_cast<std::size_t>(named - names.begin())];
    if (!code || *code == 0 || !reason.empty()) continue;
    reason = *code == 2 ? kAccessDenied : *code == 3 ? kNoPrivilege : ServiceFailedText(*code);
  }
  return reasons;
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
  // List2 is emptied as the run begins and shows the list again when it is
  // over.
  list.Clear();
  const std::vector<std::string> serviceReasons = EndProcessesByCaption(e.services, e.runner, endable);
  const std::vector<TaskkillResult> taskkill = e.runner.EndByTaskkill(endable);
  {
    const DebugPrivilege privilege(e.services.account);
    for (const std::string& name : endable) tree.EndDescendantsOf(name);
  }
  std::vector<Attempt> attempts;
  std::size_t next = 0;
  for (const std::string& name : names) {
    if (IsEndableName(name)) {
      attempts.push_back({name, serviceReasons[next], taskkill[next]});
      ++next;
    } else if (!name.empty()) {
      attempts.push_back({name, {}, {}});
    }
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
    if (IsEndableName(name)) e.runner.EndByTaskkill({name});
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
