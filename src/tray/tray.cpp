#include "tray/tray.h"

#include <string>

#include "forms/parts.h"
#include "forms/texts.h"
#include "processes/killlist.h"
#include "processes/protected_names.h"
#include "settings/form_state.h"

namespace morvex::tray {

namespace {

// The tip shown over the icon, always the same.
constexpr const char* kTip = "Rechtsklick um das Menu zu öffnen";

// The message-box mode's text.
std::string MessageBoxModeText() { return std::string("MorvexTask auf ") + forms::kHomepageHost; }

// The pointer-movement reaction of Form1, which is also how the icon's
// notifications arrive: the mouse message in place of x, in pixels.
void OnMouseMove(forms::TrayPart& part, services::Services& services, int x) {
  if (x != static_cast<int>(services::kRightButtonUpMessage)) return;
  // A real pointer moving over the window at that x is not the icon.
  if (part.window.Visible() && part.window.peer().PointerOverWindow()) return;
  if (part.onRightClick[0]->Value()) {
    services.messages.Show(MessageBoxModeText(), "Rechtsklick zum Menu", services::kInformation);
    return;
  }
  ui::Window& owner = part.menuOwner.Get();
  owner.peer().SetForeground();
  owner.peer().PopupMenu(part.window.peer(), part.menu.Position(), part.showWindow.Position());
}

}  // namespace

bool TrayIcon::Add(std::uintptr_t window, std::uintptr_t icon) {
  record_ = {};
  record_.size = area_.RecordSize();
  record_.window = window;
  record_.icon = icon;
  record_.id = kTrayIconId;
  record_.flags = services::kTrayFlagMessage | services::kTrayFlagIcon | services::kTrayFlagTip;
  record_.callbackMessage = services::kPointerMoveMessage;
  record_.tip = kTip;
  shown_ = area_.Notify(services::kTrayAdd, record_);
  return shown_;
}

void TrayIcon::Remove() {
  area_.Notify(services::kTrayDelete, record_);
  shown_ = false;
}

void TrayIcon::ChangeIcon(std::uintptr_t icon) {
  if (!shown_ || icon == record_.icon) return;
  record_.icon = icon;
  area_.Notify(services::kTrayModify, record_);
}

bool BalloonHeldBack(services::UserState state) {
  switch (state) {
    case services::UserState::kBusy:
    case services::UserState::kD3dFullScreen:
    case services::UserState::kPresentation:
    case services::UserState::kApp:
      return true;
    default:
      return false;
  }
}

void TrayIcon::Warn(const std::string& title, const std::string& text) {
  if (!shown_) return;
  if (BalloonHeldBack(area_.QueryUserState())) {
    area_.ShowNotice(title, text);
  } else {
    area_.ShowBalloon(record_, title, text);
  }
}

std::string FinalMinuteText(std::int64_t secondsLeft, const std::vector<std::string>& names) {
  // The shell shows up to 255 characters; the names are cut well before.
  constexpr std::size_t kRoom = 200;
  const std::string text = secondsLeft >= 60 ? std::string("In einer Minute beendet Morvex:")
                           : secondsLeft == 1 ? std::string("In 1 Sekunde beendet Morvex:")
                                              : "In " + std::to_string(secondsLeft) + " Sekunden beendet Morvex:";
  std::string joined;
  for (const std::string& name : names) {
    const std::string next = joined.empty() ? name : ", " + name;
    if (joined.size() + next.size() > kRoom) {
      joined += ", …";
      break;
    }
    joined += next;
  }
  return text + "\r\n" + joined;
}

void WarnBeforeTheEnd(const processes::KillList& killList, TrayIcon& icon, std::int64_t secondsLeft) {
  std::vector<std::string> names;
  for (const std::string& name : killList.Entries()) {
    if (!processes::IsProtectedName(name)) names.push_back(name);
  }
  // Nothing will be ended: nothing to warn of.
  if (!names.empty()) icon.Warn(kFinalMinuteTitle, FinalMinuteText(secondsLeft, names));
}

void AddTrayIcon(forms::TrayPart& part, TrayIcon& icon) {
  ui::Timer& retry = part.retry;
  if (icon.Add(part.window.peer().Handle(), part.window.peer().IconHandle())) {
    retry.SetEnabled(false);
  } else if (!retry.Enabled()) {
    icon.StartRetries();
    retry.SetEnabled(true);
  }
}

void RemoveTrayIcon(TrayIcon& icon) { icon.Remove(); }

void HideToTray(forms::TrayPart& part, TrayIcon& icon) {
  AddTrayIcon(part, icon);
  part.showWindow.SetEnabled(true);
  part.window.Hide();
}

void WireTray(forms::TrayPart& part, TrayIcon& icon, processes::KillList& killList, settings::WindowSettings& settings,
              services::Services& services) {
  part.add.onClick = [&part, &icon] { AddTrayIcon(part, icon); };
  part.remove.onClick = [&icon] { RemoveTrayIcon(icon); };
  part.hide.onClick = [&part, &icon] { HideToTray(part, icon); };
  part.saveAndHide.onClick = [&part, &icon, &settings] {
    settings.Save();
    HideToTray(part, icon);
  };
  for (ui::Button* button : part.saveAllAndHide) {
    button->onClick = [&part, &icon, &killList, &settings] {
      settings.Save();
      killList.SaveKillList();
      HideToTray(part, icon);
    };
  }
  part.showWindow.onClick = [&part] {
    part.showWindow.SetEnabled(false);
    part.window.Show();
  };
  for (int index : {0, 1}) {
    part.onRightClick[index]->onClick = [&part, index] { part.hide.SetEnabled(index != 0); };
  }
  part.window.onMouseMove = [&part, &services](int, int, int x, int) { OnMouseMove(part, services, x); };
  part.window.onShellRestarted = [&part, &icon] { AddTrayIcon(part, icon); };
  // A new DPI: the icon at the size the shell now shows.
  part.window.onIconsChanged = [&part, &icon] { icon.ChangeIcon(part.window.peer().IconHandle()); };
  part.retry.onTimer = [&part, &icon] {
    if (!icon.TakeRetry() || icon.Add(part.window.peer().Handle(), part.window.peer().IconHandle())) {
      part.retry.SetEnabled(false);
    }
  };
}

}  // namespace morvex::tray
