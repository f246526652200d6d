#include "processes/catalogue.h"

#include <string>
#include <vector>

#include "app/form1.h"
#include "processes/killlist.h"
#include "processes/messages.h"

namespace morvex::processes {

void FillProcessCatalogue(app::Form1& form, ui::ListBox& list) {
  std::vector<std::string> names = form.Svc().snapshot.ImageNames();
  for (auto& name : names) name = form.Svc().codePage.FromAnsi(name);
  list.Clear();
  list.AddItems(names);
}

void FillKillListFromService(app::Form1& form) {
  // The query runs first, so that a failure leaves the list as it was.
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  if (!result.ok) {
    form.Svc().messages.Show(QueryFailedText(result.error), kQueryFailedTitle, services::kCritical);
    return;
  }
  std::vector<std::string> captions;
  captions.reserve(result.processes.size());
  for (const auto& process : result.processes) captions.push_back(process->Caption());
  form.KillList().Replace(captions);
}

}  // namespace morvex::processes
