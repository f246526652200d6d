#include "processes/catalogue.h"

#include <string>
#include <utility>
#include <vector>

#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "processes/texts.h"

namespace morvex::processes {

void FillProcessCatalogue(services::Services& services, ui::ListBox& list) {
  // The names come as the system names them, whatever the code pages hold.
  const std::vector<std::string> names = services.snapshot.ImageNames();
  list.Clear();
  list.AddItems(names);
}

void FillKillListFromService(services::Services& services, KillList& killList) {
  // The query runs first, so that a failure leaves the list as it was.
  services::ProcessQueryResult result = services.management.QueryWin32Processes();
  if (!result.ok) {
    services.messages.Show(QueryFailedText(result.error), kQueryFailedTitle, services::kCritical);
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
