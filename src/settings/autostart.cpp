#include "settings/autostart.h"

#include "settings/form_state.h"

#include <utility>

#include "forms/form1.h"

namespace morvex::settings {

namespace {

constexpr const char* kCreated =
    "Die Autostart-Verknüpfung wurde erstellt.\r\n"
    "Beim nächsten Windowsstart wird das Tray-Icon neben\r\n"
    "der Uhr automatisch geladen.";
constexpr const char* kFailedTitle = "Fehler";
constexpr const char* kFailed = "Verknüpfung konnte nicht erstellt werden.";
constexpr const char* kRemovalHint =
    "Zum Löschen der Autostart-Verknüpfung gehen Sie auf\r\n"
    "Start > Programme > Autostart und löschen per Rechtsklick\r\n"
    "die Verknüpfung 'Morvex'\r\n"
    "Beim nächsten Windowsstart wird das Programm bzw. das Tray-Icon neben\r\n"
    "der Uhr nicht mehr geladen.";

}  // namespace

std::string ShortcutFolder(const ui::Window& deskR) {
  if (deskR.Get<ui::OptionButton>("Option1", 0).Value()) return kDesktopFolder;
  if (deskR.Get<ui::OptionButton>("Option1", 1).Value()) return kStartupFolder;
  return kQuickLaunchFolder;
}

bool CreateAutostartShortcut(services::ShellLinks& links, const std::string& folder, const std::string& target,
                             const std::string& name, std::int16_t flag) {
  return links.CreateShellLink(folder, name, target, "", flag, services::kProgramsFolder) != 0;
}

void LoadDeskR(forms::Form1& form, ui::Window& deskR) {
  deskR.Hide();
  const std::string folder = ShortcutFolder(deskR);
  // The folder is not tested for a trailing separator: a drive root gives two in a row.
  const std::string target = form.Svc().files.AppFolder() + "\\" + kExecutableName;
  if (CreateAutostartShortcut(form.Svc().links, folder, target, kShortcutName, -1)) {
    form.Svc().messages.Show(kCreated, deskR.Caption(), services::kInformation);
  } else {
    form.Svc().messages.Show(kFailed, kFailedTitle, services::kCritical);
  }
}

void WireAutostart(forms::Form1& form) {
  form.xpButton2().onClick = [&form] {
    SaveFormState(form);
    // Only the first request creates DeskR; it then stays, hidden, for the
    // rest of the run, so the shortcut is made at most once per run.
    if (form.HasDeskR()) return;
    LoadDeskR(form, form.DeskR());
  };
  form.xpButton5().onClick = [&form] {
    form.Svc().messages.Show(kRemovalHint, form.Caption(), services::kInformation);
  };
}

}  // namespace morvex::settings
