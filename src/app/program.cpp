#include "app/program.h"

#include "app/lifecycle.h"
#include "app/navigation.h"
#include "processes/wiring.h"
#include "settings/autostart.h"
#include "termination/window_title.h"

namespace morvex::app {

namespace {

services::Services WithBoxes(const services::Services& s, services::MessageBoxes& boxes) {
  return {boxes,    s.shell,    s.clock,      s.files,   s.codePage, s.lifetime,    s.notificationArea,
          s.profile, s.snapshot, s.management, s.windows, s.links,    s.interpreter, s.pause};
}

}  // namespace

void NoticeBoxes::Show(const std::string& text, const std::string& title, int style) {
  events_.AfterHandlers([this, text, title, style] { boxes_.Show(text, title, style); });
}

Program::Program(ui::Backend& backend, services::Services& services)
    : boxes_(backend.Events(), services.messages),
      services_(WithBoxes(services, boxes_)),
      form_(backend, services_),
      killList_(form_.List2(), services_),
      trayIcon_(services.notificationArea, services.codePage),
      termination_(services_) {
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
  countdown_.onFinalMinute = [this](std::int64_t secondsLeft) { tray::WarnBeforeTheEnd(form_, trayIcon_, secondsLeft); };
}

}  // namespace morvex::app
