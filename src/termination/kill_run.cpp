#include "termination/kill_run.h"

#include <optional>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "processes/killlist.h"
#include "settings/form_state.h"
#include "termination/kill_batch.h"
#include "termination/messages.h"

namespace morvex::termination {

namespace {

// The first entry of List2 goes, whatever entry is current.
void RemoveFirstEntry(app::Form1& form) { form.List2().RemoveItem(0); }

}  // namespace

std::string KillBatchPath(app::Form1& form) { return form.Svc().files.AppFolder() + "\\" + kBatchFileName; }

bool IsEndableName(const std::string& name) {
  // TASKKILL takes '*' and '?' as wildcards: a hand-edited "*" would end every
  // process it may end. No image name holds either.
  return IsBatchWord(name) && name.find_first_of("*?") == std::string::npos;
}

std::string CurrentKillListEntry(const app::Form1& form) {
  const ui::ListBox& list = form.List2();
  const int current = list.ListIndex();
  return list.List(current >= 0 ? current : 0);
}

void EndProcessesByCaption(app::Form1& form, const std::string& name) {
  if (!IsEndableName(name)) return;
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (process->Caption() == name) process->Terminate();
  }
}

BatchWriteResult WriteKillBatch(app::Form1& form, int lines, const std::function<std::string()>& nameSource) {
  services::Services& svc = form.Svc();
  // The command interpreter reads the batch in the OEM code page. A name that
  // code page cannot hold gets no line: any stand-in would name another
  // program or none.
  std::vector<std::string> names;
  for (int i = 0; i < lines; ++i) {
    if (std::optional<std::string> name = svc.codePage.ToOem(nameSource())) names.push_back(*std::move(name));
    svc.pause.Sleep(kPauseMs);
  }
  if (names.empty()) return {};
  const std::string path = KillBatchPath(form);
  const std::optional<std::string> oemPath = svc.codePage.OemPath(path);
  if (!oemPath) return {false, kBatchPathNotInOemCodePage};
  if (form.lastKillBatch) {
    form.lastKillBatch->WaitForEnd(kBatchEndBoundMs);
    form.lastKillBatch.reset();
  }
  const std::optional<std::string> bytes = KillBatchBytes(names, *oemPath);
  // A name that cannot be written as one literal argument is never written.
  if (!bytes) return {};
  const services::FileResult result = svc.files.Replace(path, *bytes);
  return {result.ok, result.error};
}

void RunKillBatch(app::Form1& form) {
  services::Services& svc = form.Svc();
  // With /S the interpreter removes the outer pair of quotes and runs the
  // quoted path inside, whatever characters the path holds.
  services::StartResult started =
      svc.interpreter.StartHidden("cmd.exe /V:OFF /S /C \"\"" + KillBatchPath(form) + "\"\"");
  form.lastKillBatch = std::move(started.program);
  svc.pause.Sleep(kPauseMs);
}

void EndKillListProcesses(app::Form1& form) {
  std::optional<std::string> notWritten;  // the first reason my.bat could not be written
  settings::SaveFormState(form);
  form.Form2().Show();

  ui::ListBox& list = form.List2();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    const std::string name = CurrentKillListEntry(form);
    if (IsEndableName(name)) {
      EndProcessesByCaption(form, name);
      const BatchWriteResult batch = WriteKillBatch(form, 3, [&form] { return CurrentKillListEntry(form); });
      if (batch.written) {
        RunKillBatch(form);
      } else if (!batch.error.empty() && !notWritten) {
        notWritten = batch.error;
      }
    }
    RemoveFirstEntry(form);
  }

  processes::LoadKillList(form);
  form.Command1().Click();
  form.CloseForm2();
  // Told only now, so that an unattended countdown is never held half-way.
  if (notWritten) {
    form.Svc().messages.Show(BatchNotWrittenText(form.Svc().files.AppFolder(), *notWritten), kBatchNotWrittenTitle,
                             services::kCritical);
  }
}

void EndTargetForEachEntry(app::Form1& form) {
  settings::SaveFormState(form);
  ui::ListBox& list = form.List2();
  const int passes = list.ListCount();
  for (int pass = 0; pass < passes && list.ListCount() > 0; ++pass) {
    if (IsEndableName(form.txtTargetTitle().Text())) {
      const BatchWriteResult batch = WriteKillBatch(form, 2, [&form] { return form.txtTargetTitle().Text(); });
      if (batch.written) RunKillBatch(form);
    }
    RemoveFirstEntry(form);
  }
  form.Command1().Click();
  processes::LoadKillList(form);
  form.Command1().Click();
}

void EndSelectedCatalogueEntry(app::Form1& form) {
  const std::string name = form.List1().Text();
  form.Svc().messages.Show(name, app::kAppTitle, services::kOkOnly);
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  for (const auto& process : result.processes) {
    if (IsEndableName(name) && process->Caption() == name) process->Terminate();
    form.Command1().Click();
  }
}

void WireTermination(app::Form1& form) {
  form.Command2().onClick = [&form] { EndKillListProcesses(form); };
  form.Command3().onClick = [&form] { EndTargetForEachEntry(form); };
  form.Command6().onClick = [&form] { EndSelectedCatalogueEntry(form); };
}

}  // namespace morvex::termination
