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
class Form1;
}

namespace morvex::settings {

// Where the shortcut goes: the user's Startup folder itself, or a folder
// relative to the Start-menu Programs folder.
inline constexpr const char* kStartupFolder = ".";
inline constexpr const char* kDesktopFolder = "..\\..\\..\\..\\..\\..\\Desktop";
inline constexpr const char* kQuickLaunchFolder =
    "..\\..\\..\\..\\..\\..\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";
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
bool CreateAutostartShortcut(services::ShellLinks& links, const ShortcutPlace& place, const std::string& target,
                             const std::string& name, std::int16_t flag);

// What DeskR does when it is created: stays hidden, creates the shortcut and
// reports the outcome.
void LoadDeskR(forms::Form1& form, ui::Window& deskR);

// Wires xpButton2 (which saves the control values on every click) and
// xpButton5.
void WireAutostart(forms::Form1& form);

}  // namespace morvex::settings
