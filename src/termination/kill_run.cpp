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
  std::vector<std::string> names;
  for (int i = 0; i < lines; ++i) {
    if (std::optional<std::string> name = services_.codePage.ToOem(nameSource())) names.push_back(*std::move(name));
    services_.pause.Sleep(kPauseMs);
  }
  if (names.empty()) return {};
  const std::string path = BatchPath();
  const std::optional<std::string> oemPath = services_.codePage.OemPath(path);
  if (!oemPath) return {false, kBatchPathNotInOemCodePage};
  if (lastBatch_) {
    lastBatch_->WaitForEnd(kBatchEndBoundMs);
    lastBatch_.reset();
  }
  const std::optional<std::string> bytes = KillBatchBytes(names, *oemPath);
  // A name that cannot be written as one literal argument is never written.
  if (!bytes) return {};
  const services::FileResult result = services_.files.Replace(path, *bytes);
  return {result.ok, result.error};
}

void TerminationRunner::RunKillBatch() {
  // With /S the interpreter removes the outer pair of quotes and runs the
  // quoted path inside, whatever characters the path holds.
  services::StartResult started = services_.interpreter.StartHidden("cmd.exe /V:OFF /S /C \"\"" + BatchPath() + "\"\"");
  lastBatch_ = std::move(started.program);
  services_.pause.Sleep(kPauseMs);
}

namespace {

// The first entry of List2 goes, whatever entry is current.
void RemoveFirstEntry(forms::Form1& form) { form.List2().RemoveItem(0); }

// Whether a name can be handed to either way of ending: not one Windows
// needs, not empty, and free of double quotes, control characters and the
// wildcards '*' and '?'.
bool IsEndableName(const std::string& name) {
  // TASKKILL takes '*' and '?' as wildcards: a hand-edited "*" would end every
  // process it may end. No image name holds either.
  return IsBatchWord(name) && name.find_first_of("*?") == std::string::npos && !processes::IsProtectedName(name);
}

// The entry a pass ends: while any entry of List2 is selected, the one with
// the focus mark; while none is, the first. Empty for an empty list.
std::string CurrentKillListEntry(const forms::Form1& form) {
  const ui::ListBox& list = form.List2();
  const int current = list.ListIndex();
  return list.List(current >= 0 ? current : 0);
}

// Asks every process object of the management service whose Caption equals
// the name exactly (letter case counts) to terminate. A service that cannot
// be reached, and a process that refuses, are passed over.
void EndProcessesByCaption(forms::Form1& form, const std::string& name) {
  if (!IsEndableName(name)) return;
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (process->Caption() == name) process->Terminate();
  }
}

// The click of Command2, also run when the countdown expires.
void EndKillListProcesses(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  std::optional<std::string> notWritten;  // the first reason my.bat could not be written
  settings::SaveFormState(form);
  form.Form2().Show();

  ui::ListBox& list = form.List2();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    const std::string name = CurrentKillListEntry(form);
    if (IsEndableName(name)) {
      EndProcessesByCaption(form, name);
      const BatchWriteResult batch =
          runner.WriteKillBatch(3, [&form] { return CurrentKillListEntry(form); });
      if (batch.written) {
        runner.RunKillBatch();
      } else if (!batch.error.empty() && !notWritten) {
        notWritten = batch.error;
      }
    }
    RemoveFirstEntry(form);
  }

  killList.LoadKillList();
  form.Command1().Click();
  form.CloseForm2();
  // Told only now, so that an unattended countdown is never held half-way.
  if (notWritten) {
    form.Svc().messages.Show(BatchNotWrittenText(form.Svc().files.AppFolder(), *notWritten), kBatchNotWrittenTitle,
                             services::kCritical);
  }
}

// The click of Command3: the name in txtTargetTitle handed to TASKKILL once
// per kill-list entry.
void EndTargetForEachEntry(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  settings::SaveFormState(form);
  ui::ListBox& list = form.List2();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    if (IsEndableName(form.txtTargetTitle().Text())) {
      const BatchWriteResult batch =
          runner.WriteKillBatch(2, [&form] { return form.txtTargetTitle().Text(); });
      if (batch.written) runner.RunKillBatch();
    }
    RemoveFirstEntry(form);
  }
  form.Command1().Click();
  killList.LoadKillList();
  form.Command1().Click();
}

// The click of Command6: the name selected in List1 shown, then ended
// through the management service.
void EndSelectedCatalogueEntry(forms::Form1& form) {
  const std::string name = form.List1().Text();
  form.Svc().messages.Show(name, forms::kAppTitle, services::kOkOnly);
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (IsEndableName(name) && process->Caption() == name) process->Terminate();
    form.Command1().Click();
  }
}

}  // namespace

void WireTermination(forms::Form1& form, TerminationRunner& runner, processes::KillList& killList) {
  form.Command2().onClick = [&form, &runner, &killList] { EndKillListProcesses(form, runner, killList); };
  form.Command3().onClick = [&form, &runner, &killList] { EndTargetForEachEntry(form, runner, killList); };
  form.Command6().onClick = [&form] { EndSelectedCatalogueEntry(form); };
}

}  // namespace morvex::termination
