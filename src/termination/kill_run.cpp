#include "termination/kill_run.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "forms/texts.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "settings/form_state.h"
#include "termination/privilege.h"

namespace morvex::termination {

TaskkillResult TerminationRunner::EndByTaskkill(const std::string& name) {
  services::Lifetime& own = services_.lifetime;
  TaskkillStart start{name, std::nullopt};
  if (processes::SameImageName(name, own.ImageName())) start.spared = own.ProcessId();
  for (const std::string& ancestor : own.AncestorImageNames()) {
    start.tree = start.tree && !processes::SameImageName(name, ancestor);
  }
  const std::string folder = services_.interpreter.SystemFolder();
  const std::optional<std::string> commandLine = TaskkillCommandLine(folder, start);
  if (!commandLine) return {};
  TaskkillResult result;
  std::optional<DebugPrivilege> privilege(std::in_place, services_.account);  // inherited by TASKKILL
  services::StartResult started = services_.interpreter.Start(TaskkillPath(folder), *commandLine);
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

std::string TaskkillReason(const TaskkillResult& result) {
  if (!result.started) return result.error.empty() ? "" : TaskkillNotStartedText(result.error);
  if (!result.exitCode) return kTaskkillHung;
  const std::uint32_t code = *result.exitCode;
  if (code == 0 || code == kTaskkillNotFound) return {};
  return code == 1 ? kAccessDenied : TaskkillFailedText(code);
}

// The names of the attempts whose processes still run, by a fresh snapshot:
// the program's own process does not count, a name not running is no failure.
std::vector<NotEnded> StillRunning(services::Services& services, const std::vector<Attempt>& attempts) {
  const std::vector<std::string> running = services.snapshot.ImageNames();
  const std::string ownName = services.lifetime.ImageName();
  std::vector<NotEnded> notEnded;
  for (const Attempt& attempt : attempts) {
    auto count = std::count_if(running.begin(), running.end(), [&](const std::string& image) {
      return processes::SameImageName(image, attempt.name);
    });
    if (processes::SameImageName(attempt.name, ownName)) --count;
    if (count <= 0) continue;
    std::string reason = processes::IsProtectedName(attempt.name) ? kNeededByWindows : attempt.serviceReason;
    const std::string taskkill = TaskkillReason(attempt.taskkill);
    if (reason.empty()) {
      reason = taskkill;
    } else if (!taskkill.empty() && taskkill != reason) {
      reason += "; " + taskkill;
    }
    notEnded.push_back({attempt.name, reason});
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

// The run of Command2 and of the countdown's expiry, up to its report.
std::vector<NotEnded> RunKillList(Ending& e, Chosen chosen) {
  e.settings.Save();
  e.part.waitWindow.Get().Show();

  ui::ListBox& list = e.killList.Shown();
  const std::vector<std::string> shownBefore = e.killList.Entries();
  std::vector<Attempt> attempts;
  for (const std::string& name : NamesToEnd(list, chosen)) {
    if (IsEndableName(name)) {
      Attempt attempt{name, EndProcessesByCaption(e.services, e.runner, name), {}};
      attempt.taskkill = e.runner.EndByTaskkill(name);
      attempts.push_back(std::move(attempt));
    } else if (!name.empty()) {
      attempts.push_back({name, {}, {}});
    }
    // The list shrinks from the top while the run works.
    if (list.ListCount() > 0) list.RemoveItem(0);
  }

  e.killList.RestoreAfterRun(shownBefore);
  e.catalogue.Refresh();
  e.part.waitWindow.Close();
  return StillRunning(e.services, attempts);
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
  e.part.endNow.onClick = [&e] { ReportNotEnded(e.services, RunKillList(e, Chosen::kSelectedOrAll)); };
  e.part.endPerEntry.onClick = [&e] { EndTypedNameForEachEntry(e); };
  e.part.endChosen.onClick = [&e] { EndChosenCatalogueEntry(e); };
}

std::vector<NotEnded> RunEveryKillListEntry(Ending& e) { return RunKillList(e, Chosen::kAll); }

void EndEveryKillListEntry(Ending& e) { ReportNotEnded(e.services, RunEveryKillListEntry(e)); }

}  // namespace morvex::termination
