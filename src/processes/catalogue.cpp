#include "processes/catalogue.h"

#include <string>
#include <utility>
#include <vector>

#include "forms/form1.h"
#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "processes/texts.h"

namespace morvex::processes {

void FillProcessCatalogue(forms::Form1& form, ui::ListBox& list) {
  // The names come as the system names them, whatever the code pages hold.
  const std::vector<std::string> names = form.Svc().snapshot.ImageNames();
  list.Clear();
  list.AddItems(names);
}

void FillKillListFromService(forms::Form1& form, KillList& killList) {
  // The query runs first, so that a failure leaves the list as it was.
  services::ProcessQueryResult result = form.Svc().management.QueryWin32Processes();
  if (!result.ok) {
    form.Svc().messages.Show(QueryFailedText(result.error), kQueryFailedTitle, services::kCritical);
    return;
  }
  std::vector<std::string> captions;
  captions.reserve(result.processes.size());
  for (const auto& process : result.processes) {
    std::string caption = process->Caption();
    // The processes Windows needs never reach the kill list this way.
    if (!IsProtectedName(caption)) captions.push_back(std::move(caption));
  }
  killList.Replace(captions);
}

}  // namespace morvex::processes
