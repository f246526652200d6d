// The tray icon, the hide-to-tray sequence and the popup menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/notification_area.h"

namespace morvex::services {
struct Services;
}  // namespace morvex::services
namespace morvex::forms {
struct TrayPart;
}
namespace morvex::processes {
class KillList;
}
namespace morvex::settings {
class WindowSettings;
}

namespace morvex::tray {

// The icon's identifier among its window's icons: always the same, so that
// the shell, which knows an icon by its program and this number, keeps the
// user's choice to always show it from one run to the next.
inline constexpr std::uint32_t kTrayIconId = 1;
// An add the shell refuses (at log-on it may not be ready yet) is tried
// again at each tick of tmrTrayIcon, this many times, and at the shell's
// next new taskbar.
inline constexpr int kTrayAddRetries = 120;

// The notification-area icon of the main window. It keeps the registration
// record it last handed to the shell, so that a delete names the same icon,
// knows whether it was ever added and whether the shell shows it.
class TrayIcon {
 public:
  explicit TrayIcon(services::NotificationArea& area) : area_(area) {}
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Fills the record anew for the window and its icon, with the fixed tip,
  // and adds the icon; an add for an icon that is there leaves one. True
  // when the shell shows it.
  bool Add(std::uintptr_t window, std::uintptr_t icon);
  // Deletes the icon named by the record as it was last filled.
  void Remove();
  bool WasAdded() const { return record_.size != 0; }
  // The icon's image handed to the shell again (a new DPI gives it a new
  // size); nothing while the shell shows no icon.
  void ChangeIcon(std::uintptr_t icon);
  // A word to the user: a balloon over the icon, or, where the shell holds
  // balloons back (BalloonHeldBack), the program's own notice window.
  // Nothing once the icon has been removed (or before it was added), nor
  // where its add failed.
  void Warn(const std::string& title, const std::string& text);
  // Closes the notice window, where one is shown.
  void EndWarning() { area_.CloseNotice(); }
  bool Shown() const { return shown_; }
  const services::TrayIconRecord& Record() const { return record_; }

  // The tries left after a refused add.
  void StartRetries() { retriesLeft_ = kTrayAddRetries; }
  bool TakeRetry() { return retriesLeft_-- > 0; }

 private:
  services::NotificationArea& area_;
  services::TrayIconRecord record_;
  bool shown_ = false;
  int retriesLeft_ = 0;
};

// AddTrayIcon: the icon of Form1, added with its window's handle and icon;
// a refused add starts tmrTrayIcon's tries.
void AddTrayIcon(forms::TrayPart& part, TrayIcon& icon);
void RemoveTrayIcon(TrayIcon& icon);
// Adds the icon, enables "Morvex anzeigen" and hides Form1.
void HideToTray(forms::TrayPart& part, TrayIcon& icon);

// Whether the shell holds a balloon back in that state: while a program runs
// full screen, a presentation or a program in "busy" mode. A locked screen
// and the quiet time keep their balloon: the shell shows it later.
bool BalloonHeldBack(services::UserState state);

// The word before the end, naming the entries of the kill list the expiry
// will end (TrayIcon::Warn); none while it would end nothing.
void WarnBeforeTheEnd(const processes::KillList& killList, TrayIcon& icon, std::int64_t secondsLeft);
// Its texts, with the names joined as far as the balloon has room.
inline constexpr const char* kFinalMinuteTitle = "Morvex: Countdown läuft ab";
std::string FinalMinuteText(std::int64_t secondsLeft, const std::vector<std::string>& names);

// The buttons that add, remove and hide to the tray (xpButton3 and xpButton4
// save the kill list first), the popup menu, and the icon's notifications.
void WireTray(forms::TrayPart& part, TrayIcon& icon, processes::KillList& killList, settings::WindowSettings& settings,
              services::Services& services);

}  // namespace morvex::tray
