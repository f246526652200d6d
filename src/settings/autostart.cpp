#include "settings/autostart.h"

#include <utility>

#include "forms/parts.h"
#include "settings/form_state.h"

namespace morvex::settings {

namespace {

constexpr const char* kCreated =
    "Die Autostart-Verknüpfung wurde erstellt.\r\n"
    "Beim nächsten Windowsstart wird das Tray-Icon neben\r\n"
    "der Uhr automatisch geladen.";
constexpr const char* kFailedTitle = "Fehler";
constexpr const char* kFailed = "Verknüpfung konnte nicht erstellt werden.";
constexpr const char* kNoFolder =
    "Den Ordner für die Verknüpfung gibt es auf diesem PC nicht.\r\n"
    "Es wurde keine Verknüpfung angelegt.";
constexpr const char* kOtherAccount =
    "Morvex läuft unter einem anderen Benutzerkonto als dem angemeldeten. "
    "Bitte Morvex ohne Administrator-Anmeldung starten, um die Verknüpfung anzulegen.";
constexpr const char* kRemovalHint =
    "Zum Löschen der Autostart-Verknüpfung gehen Sie auf\r\n"
    "Start > Programme > Autostart und löschen per Rechtsklick\r\n"
    "die Verknüpfung 'Morvex'\r\n"
    "Beim nächsten Windowsstart wird das Programm bzw. das Tray-Icon neben\r\n"
    "der Uhr nicht mehr geladen.";

}  // namespace

ShortcutPlace ShortcutFolder(const ui::Window& deskR) {
  if (deskR.Get<ui::OptionButton>("Option1", 0).Value()) return {services::kDesktopFolder, "."};
  if (deskR.Get<ui::OptionButton>("Option1", 1).Value()) return {services::kStartupFolder, "."};
  return {services::kQuickLaunchFolder, "."};
}

bool CreateAutostartShortcut(services::ShellLinks& links, const ShortcutPlace& place, const std::string& target,
                             const std::string& name, std::int16_t flag) {
  return links.CreateShellLink(place.folder, name, target, "", flag, place.parent) != 0;
}

void LoadDeskR(services::Services& services, ui::Window& deskR) {
  deskR.Hide();
  // The running program's own file, under whatever name it was saved.
  const std::string target = services.files.ExecutablePath();
  const ShortcutPlace place = ShortcutFolder(deskR);
  if (!services.links.FolderExists(place.folder, place.parent)) {
    services.messages.Show(kNoFolder, kFailedTitle, services::kCritical);
  } else if (CreateAutostartShortcut(services.links, place, target, kShortcutName, -1)) {
    services.messages.Show(kCreated, deskR.Caption(), services::kInformation);
  } else {
    services.messages.Show(kFailed, kFailedTitle, services::kCritical);
  }
}

void WireAutostart(forms::AutostartPart& part, WindowSettings& settings, services::Services& services) {
  part.create.onClick = [&part, &settings, &services] {
    settings.Save();
    // Only the first request creates DeskR; it then stays, hidden, for the
    // rest of the run, so the shortcut is made at most once per run.
    if (part.placeWindow.Made()) return;
    // Started with another account's password (an administrator's, over the
    // user's shoulder), the program's Startup folder is that account's: a
    // shortcut there would never start for the user who is logged on.
    if (services.account.DesktopShellOwner() == services::ShellOwner::kOtherAccount) {
      services.messages.Show(kOtherAccount, part.window.Caption(), services::kExclamation);
      return;
    }
    LoadDeskR(services, part.placeWindow.Get());
  };
  part.removalHint.onClick = [&part, &services] {
    services.messages.Show(kRemovalHint, part.window.Caption(), services::kInformation);
  };
}

}  // namespace morvex::settings
