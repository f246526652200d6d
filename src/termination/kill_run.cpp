#include "termination/kill_run.h"

#include <optional>
#include <utility>
#include <vector>

#include "forms/form1.h"
#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "settings/form_state.h"
#include "termination/kill_batch.h"
#include "termination/texts.h"

namespace morvex::termination {

TerminationRunner::~TerminationRunner() = default;

std::string TerminationRunner::BatchPath() const { return services_.files.AppFolder() + "\\" + kBatchFileName; }

BatchWriteResult TerminationRunner::WriteKillBatch(int lines, const std::function<std::string()>& nameSource) {
  // The command interpreter reads the batch in the OEM code page. A name that
  // code page cannot hold gets no line: any stand-in would name another
  // program or none.
  services::Lifetime& own = services_.lifetime;
  const std::vector<std::string> ancestors = own.AncestorImageNames();
  std::vector<KillLine> killLines;
  for (int i = 0; i < lines; ++i) {
    const std::string name = nameSource();
    if (std::optional<std::string> oem = services_.codePage.ToOem(name)) {
      KillLine line{*std::move(oem), std::nullopt};
      if (processes::SameImageName(name, own.ImageName())) line.spared = own.ProcessId();
      for (const std::string& ancestor : ancestors) line.tree = line.tree && !processes::SameImageName(name, ancestor);
      killLines.push_back(std::move(line));
    }
    services_.pause.Sleep(kPauseMs);
  }
  if (killLines.empty()) return {};
  const std::string path = BatchPath();
  const std::optional<std::string> oemPath = services_.codePage.OemPath(path);
  if (!oemPath) return {false, kBatchPathNotInOemCodePage};
  if (lastBatch_) {
    lastBatch_->WaitForEnd(kBatchEndBoundMs);
    lastBatch_.reset();
  }
  const std::optional<std::string> bytes = KillBatchBytes(killLines, *oemPath);
  // A name that cannot be written as one literal argument is never written.
  if (!bytes) return {};
  const services::FileResult result = services_.files.Replace(path, *bytes);
  return {result.ok, result.error};
}

BatchStartResult TerminationRunner::RunKillBatch() {
  // With /S the interpreter removes the outer pair of quotes and runs the
  // quoted path inside, whatever characters the path holds.
  services::StartResult started = services_.interpreter.StartHidden("cmd.exe /V:OFF /S /C \"\"" + BatchPath() + "\"\"");
  lastBatch_ = std::move(started.program);
  services_.pause.Sleep(kPauseMs);
  return {lastBatch_ != nullptr, started.error};
}

namespace {

// Which entries a run of the kill list ends.
enum class Chosen {
  kSelectedOrAll,  // the click of Command2
  kAll,            // the countdown's expiry
};

// Whether a name can be handed to either way of ending: not one Windows
// needs, not empty, and free of double quotes, control characters and the
// wildcards '*' and '?'.
bool IsEndableName(const std::string& name) {
  // TASKKILL takes '*' and '?' as wildcards: a hand-edited "*" would end every
  // process it may end. No image name holds either.
  return IsBatchWord(name) && name.find_first_of("*?") == std::string::npos && !processes::IsProtectedName(name);
}

// Whether the process object is the program's own process. One whose
// identifier cannot be read counts as the own one when it carries the
// program's image name.
bool IsOwnProcess(services::Services& services, services::ManagedProcess& process) {
  if (const std::optional<std::uint32_t> id = process.ProcessId()) return *id == services.lifetime.ProcessId();
  return processes::SameImageName(process.Caption(), services.lifetime.ImageName());
}

// Asks every process object of the management service whose Caption equals
// the name exactly (letter case counts) to terminate, the program's own
// process excepted. A service that cannot be reached, and a process that
// refuses, are passed over.
void EndProcessesByCaption(forms::Form1& form, const std::string& name) {
  if (!IsEndableName(name)) return;
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (process->Caption() == name && !IsOwnProcess(form.Svc(), *process)) process->Terminate();
  }
}

// The names a run ends, each once, in list order: taken when the run begins.
std::vector<std::string> NamesToEnd(const ui::ListBox& list, Chosen chosen) {
  const bool selectedOnly = chosen == Chosen::kSelectedOrAll && list.SelCount() > 0;
  std::vector<std::string> names;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (!selectedOnly || list.Selected(i)) names.push_back(list.List(i));
  }
  return names;
}

// The run of Command2 and of the countdown's expiry.
void EndKillListProcesses(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList,
                          Chosen chosen) {
  std::optional<std::string> notWritten;  // the first reason my.bat could not be written
  std::optional<std::string> notStarted;  // the first reason it could not be started
  settings::SaveFormState(form);
  form.Form2().Show();

  ui::ListBox& list = form.List2();
  const std::vector<std::string> shownBefore = killList.Entries();
  for (const std::string& name : NamesToEnd(list, chosen)) {
    if (IsEndableName(name)) {
      EndProcessesByCaption(form, name);
      const BatchWriteResult batch = runner.WriteKillBatch(3, [&name] { return name; });
      if (batch.written) {
        const BatchStartResult started = runner.RunKillBatch();
        if (!started.started && !notStarted) notStarted = started.error;
      } else if (!batch.error.empty() && !notWritten) {
        notWritten = batch.error;
      }
    }
    // The list shrinks from the top while the run works.
    if (list.ListCount() > 0) list.RemoveItem(0);
  }

  killList.RestoreAfterRun(shownBefore);
  form.Command1().Click();
  form.CloseForm2();
  // Told only now, so that an unattended countdown is never held half-way.
  std::string report;
  if (notWritten) report = BatchNotWrittenText(form.Svc().files.AppFolder(), *notWritten);
  if (notStarted) {
    if (!report.empty()) report += "\n\n";
    report += BatchNotStartedText(form.Svc().files.AppFolder() + "\\" + kBatchFileName, *notStarted);
  }
  if (!report.empty()) form.Svc().messages.Show(report, kBatchFailedTitle, services::kCritical);
}

// The click of Command3: the name in txtTargetTitle handed to TASKKILL once
// per kill-list entry.
void EndTargetForEachEntry(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  settings::SaveFormState(form);
  ui::ListBox& list = form.List2();
  const std::vector<std::string> shownBefore = killList.Entries();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    if (IsEndableName(form.txtTargetTitle().Text())) {
      const BatchWriteResult batch =
          runner.WriteKillBatch(2, [&form] { return form.txtTargetTitle().Text(); });
      if (batch.written) runner.RunKillBatch();
    }
    list.RemoveItem(0);
  }
  form.Command1().Click();
  killList.RestoreAfterRun(shownBefore);
  form.Command1().Click();
}

// The click of Command6: the name selected in List1 shown, then ended
// through the management service.
void EndSelectedCatalogueEntry(forms::Form1& form) {
  const std::string name = form.List1().Text();
  form.Svc().messages.Show(name, forms::kAppTitle, services::kOkOnly);
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (IsEndableName(name) && process->Caption() == name && !IsOwnProcess(form.Svc(), *process)) {
      process->Terminate();
    }
    form.Command1().Click();
  }
}

}  // namespace

void WireTermination(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  form.Command2().onClick = [&form, &runner, &killList] {
    EndKillListProcesses(form, runner, killList, Chosen::kSelectedOrAll);
  };
  form.Command3().onClick = [&form, &runner, &killList] { EndTargetForEachEntry(form, runner, killList); };
  form.Command6().onClick = [&form] { EndSelectedCatalogueEntry(form); };
}

void EndEveryKillListEntry(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  EndKillListProcesses(form, runner, killList, Chosen::kAll);
}

}  // namespace morvex::termination
