// The autostart shortcut: xpButton2 creates it once per run through the
// hidden dialog DeskR; xpButton5 only tells the user how to remove it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "services/shell_links.h"

namespace morvex::ui {
class Window;
}
namespace morvex::forms {
struct AutostartPart;
}
namespace morvex::services {
struct Services;
}

namespace morvex::settings {

class WindowSettings;

// Where the shortcut goes: the user's Startup folder, desktop or Quick
// Launch folder itself, as the system reports it. Climbing up from the
// Programs folder would miss a desktop that is redirected (a backup to the
// cloud, a folder on a server).
inline constexpr const char* kShortcutName = "Morvex";

// A folder for the shortcut: `folder` relative to the parent folder `parent`.
struct ShortcutPlace {
  std::string parent;
  std::string folder;
  bool operator==(const ShortcutPlace&) const = default;
};

// The place chosen by DeskR's options: Option1(0) the desktop, Option1(1)
// the Startup folder, neither the quick-launch folder.
ShortcutPlace ShortcutFolder(const ui::Window& deskR);

// Creates the shortcut through the shell-link service; true when it now exists.
// The caller has made sure that the folder exists.
bool CreateAutostartShortcut(services::ShellLinks& links, const ShortcutPlace& place, const std::string& target,
                             const std::string& name, std::int16_t flag);

// What DeskR does when it is created: stays hidden, creates the shortcut and
// reports the outcome; where the folder does not exist, only that.
void LoadDeskR(services::Services& services, ui::Window& deskR);

// Wires xpButton2 (which saves the control values on every click) and
// xpButton5.
void WireAutostart(forms::AutostartPart& part, WindowSettings& settings, services::Services& services);

}  // namespace morvex::settings
