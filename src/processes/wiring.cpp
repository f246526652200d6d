#include "processes/wiring.h"

#include "processes/catalogue.h"
#include "processes/killlist.h"

namespace morvex::processes {

void WireProcesses(forms::CataloguePart& catalogue, forms::KillListPart& part, services::Services& services,
                   KillList& killList) {
  catalogue.refresh.onClick = [&catalogue, &services] { FillProcessCatalogue(services, catalogue.list); };
  catalogue.list.onClick = [&catalogue, &part] {
    catalogue.chosen.SetText(catalogue.list.Text());
    part.take.SetEnabled(true);
  };
  part.fromService.onClick = [&services, &killList] { FillKillListFromService(services, killList); };
  part.take.onClick = [&catalogue, &services, &killList] { AddToKillList(catalogue.list, services, killList); };
  part.remove.onClick = [&part, &killList] { RemoveFromKillList(part, killList); };
  part.list.onClick = [&part] { part.remove.SetEnabled(true); };
}

}  // namespace morvex::processes
