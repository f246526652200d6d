// The handlers of the process catalogue and the kill list.
#pragma once

namespace morvex::app {
class Form1;
}

namespace morvex::processes {

void WireProcesses(app::Form1& form);

}  // namespace morvex::processes
