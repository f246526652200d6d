#include "app/program.h"

#include "app/lifecycle.h"
#include "app/navigation.h"
#include "processes/wiring.h"
#include "settings/autostart.h"
#include "termination/window_title.h"

namespace morvex::app {

Program::Program(ui::Backend& backend, services::Services& services)
    : form_(backend, services),
      killList_(form_.List2(), services),
      trayIcon_(services.notificationArea, services.codePage),
      termination_(services) {
  WireNavigation(form_);
  WireLifecycle(*this);
  tray::WireTray(form_, trayIcon_, killList_);
  countdown::WireCountdown(form_, countdown_);
  processes::WireProcesses(form_, killList_);
  termination::WireWindowTitle(form_);
  settings::WireAutostart(form_);
  termination::WireTermination(form_, termination_, killList_);
  // The expiry ends every entry of the kill list, whatever is selected.
  countdown_.onExpiry = [this] { termination::EndEveryKillListEntry(form_, termination_, killList_); };
}

}  // namespace morvex::app
