// Connects the controls of the process catalogue and the kill list to their
// handlers.
#pragma once

namespace morvex::forms {
class Form1;
}

namespace morvex::processes {

class KillList;

void WireProcesses(forms::Form1& form, KillList& killList);

}  // namespace morvex::processes
