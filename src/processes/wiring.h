// Connects the controls of the process catalogue and the kill list to their
// handlers.
#pragma once

#include "forms/parts.h"
#include "services/services.h"

namespace morvex::processes {

class KillList;

void WireProcesses(forms::CataloguePart& catalogue, forms::KillListPart& part, services::Services& services,
                   KillList& killList);

}  // namespace morvex::processes
