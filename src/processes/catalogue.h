// The catalogue of running processes (List1) and the kill list filled from
// the management service.
#pragma once

#include <string>

#include "forms/parts.h"
#include "services/services.h"

namespace morvex::processes {

class KillList;

// Empties the list box, then appends the image name of every running process
// in snapshot order. No snapshot leaves the list empty, without a message.
void FillProcessCatalogue(services::Services& services, ui::ListBox& list);

// The catalogue as the other subsystems use it.
class Catalogue {
 public:
  explicit Catalogue(forms::CataloguePart& part) : part_(part) {}
  // Fills the list afresh as the click on its refresh button does: the click
  // itself is raised, whoever handles it.
  void Refresh() { part_.refresh.Click(); }
  // The name selected in the list; empty for none.
  std::string Chosen() const { return part_.list.Text(); }

 private:
  forms::CataloguePart& part_;
};

// Replaces the entries of List2 with the image name of every process the
// management service reports, but for those Windows needs. When the query fails, List2 keeps its entries
// and the user is told. List2.txt is not written here.
void FillKillListFromService(services::Services& services, KillList& killList);

}  // namespace morvex::processes
