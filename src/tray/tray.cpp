#include "tray/tray.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "forms/form1.h"
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
void OnMouseMove(forms::Form1& form, float x) {
  const float message = x / form.TwipsPerPixelX();
  if (message != static_cast<float>(services::kRightButtonUpMessage)) return;
  // A real pointer moving over the window at that x is not the icon.
  if (form.Visible() && form.peer().PointerOverWindow()) return;
  if (form.optOnLeftClick(0).Value()) {
    form.Svc().messages.Show(MessageBoxModeText(), "Rechtsklick zum Menu", services::kInformation);
    return;
  }
  ui::Window& dummy = form.FrmDummy();
  dummy.peer().SetForeground();
  dummy.peer().PopupMenu(form.peer(), form.mnuPopUp().Position(), form.mnuPopUpShowForm().Position());
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
  // The tip in the ANSI code page, one NUL, then blanks up to the field's end.
  const std::string tip = codePage_.ToAnsi(kTip);
  record_.tip.fill(' ');
  const std::size_t n = std::min(tip.size(), record_.tip.size() - 1);
  std::memcpy(record_.tip.data(), tip.data(), n);
  record_.tip[n] = '\0';
  shown_ = area_.Notify(services::kTrayAdd, record_);
  return shown_;
}

void TrayIcon::Remove() {
  area_.Notify(services::kTrayDelete, record_);
  shown_ = false;
}

void TrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
  if (shown_) area_.ShowBalloon(record_, title, text);
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

void WarnBeforeTheEnd(forms::Form1& form, TrayIcon& icon, std::int64_t secondsLeft) {
  std::vector<std::string> names;
  for (int i = 0; i < form.List2().ListCount(); ++i) {
    const std::string name = form.List2().List(i);
    if (!processes::IsProtectedName(name)) names.push_back(name);
  }
  // Nothing will be ended: nothing to warn of.
  if (!names.empty()) icon.ShowBalloon(kFinalMinuteTitle, FinalMinuteText(secondsLeft, names));
}

void AddTrayIcon(forms::Form1& form, TrayIcon& icon) {
  ui::Timer& retry = form.tmrTrayIcon();
  if (icon.Add(form.peer().Handle(), form.peer().IconHandle())) {
    retry.SetEnabled(false);
  } else if (!retry.Enabled()) {
    icon.StartRetries();
    retry.SetEnabled(true);
  }
}

void RemoveTrayIcon(TrayIcon& icon) { icon.Remove(); }

void HideToTray(forms::Form1& form, TrayIcon& icon) {
  AddTrayIcon(form, icon);
  form.mnuPopUpShowForm().SetEnabled(true);
  form.Hide();
}

void WireTray(forms::Form1& form, TrayIcon& icon, processes::KillList& killList) {
  form.cmdAdd().onClick = [&form, &icon] { AddTrayIcon(form, icon); };
  form.cmdRemove().onClick = [&icon] { RemoveTrayIcon(icon); };
  form.cmdHideForm().onClick = [&form, &icon] { HideToTray(form, icon); };
  form.xpButton1().onClick = [&form, &icon] {
    settings::SaveFormState(form);
    HideToTray(form, icon);
  };
  for (ui::Control* button : {&form.xpButton3(), &form.xpButton4()}) {
    button->onClick = [&form, &icon, &killList] {
      settings::SaveFormState(form);
      killList.SaveKillList();
      HideToTray(form, icon);
    };
  }
  form.mnuPopUpShowForm().onClick = [&form] {
    form.mnuPopUpShowForm().SetEnabled(false);
    form.Show();
  };
  for (int index : {0, 1}) {
    form.optOnLeftClick(index).onClick = [&form, index] { form.cmdHideForm().SetEnabled(index != 0); };
  }
  form.onMouseMove = [&form](int, int, float x, float) { OnMouseMove(form, x); };
  form.onShellRestarted = [&form, &icon] { AddTrayIcon(form, icon); };
  form.tmrTrayIcon().onTimer = [&form, &icon] {
    if (!icon.TakeRetry() || icon.Add(form.peer().Handle(), form.peer().IconHandle())) {
      form.tmrTrayIcon().SetEnabled(false);
    }
  };
}

}  // namespace morvex::tray
