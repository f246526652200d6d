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
          s.profile, s.snapshot, s.management, s.windows, s.links,    s.commands, s.pause, s.account};
}

}  // namespace

void NoticeBoxes::Show(const std::string& text, const std::string& title, int style) {
  events_.AfterHandlers([this, text, title, style] {
    boxes_.Show(text, title, windows_.ProgramIsForeground() ? style : style | services::kTopmost);
  });
}

Program::Program(ui::Backend& backend, services::Services& services)
    : boxes_(backend.Events(), services.messages, services.windows),
      services_(WithBoxes(services, boxes_)),
      form_(backend, services_),
      parts_(form_, form_.Form2Window(), form_.DeskRWindow(), form_.FrmDummyWindow()),
      settings_(form_, services_),
      killList_(parts_.killList.list, services_),
      catalogue_(parts_.catalogue),
      trayIcon_(services.notificationArea),
      termination_(services_),
      ending_{parts_.ending, parts_.titleEnding.title, killList_, catalogue_, settings_, services_, termination_} {
  WireNavigation(parts_.navigation, services_);
  WireLifecycle(*this);
  tray::WireTray(parts_.tray, trayIcon_, killList_, settings_, services_);
  countdown::WireCountdown(parts_.countdown, services_, countdown_);
  processes::WireProcesses(parts_.catalogue, parts_.killList, services_, killList_);
  termination::WireWindowTitle(parts_.titleEnding, services_);
  settings::WireAutostart(parts_.autostart, settings_, services_);
  termination::WireTermination(ending_);
  // The expiry ends every entry of the kill list, whatever is selected.
  // The notice of the final minute, where one is shown, goes with it.
  countdown_.onExpiry = [this] {
    trayIcon_.EndWarning();
    termination::EndEveryKillListEntry(ending_);
  };
  countdown_.onFinalMinute = [this](std::int64_t secondsLeft) {
    tray::WarnBeforeTheEnd(killList_, trayIcon_, secondsLeft);
  };
}

}  // namespace morvex::app
