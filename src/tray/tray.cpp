#include "tray/tray.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/form1.h"
#include "processes/killlist.h"
#include "settings/form_state.h"

namespace morvex::tray {

namespace {

// The tip shown over the icon, always the same.
constexpr const char* kTip = "Rechtsklick um das Menu zu öffnen";

// The message-box mode's text.
std::string MessageBoxModeText() { return std::string("MorvexTask auf ") + app::kHomepageHost; }

// The pointer-movement reaction of Form1, which is also how the icon's
// notifications arrive: the mouse message in place of x, in pixels.
void OnMouseMove(app::Form1& form, float x) {
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

void TrayIcon::Add(std::uintptr_t window, std::uintptr_t icon) {
  record_ = {};
  record_.size = tray_.RecordSize();
  record_.window = window;
  record_.icon = icon;
  record_.id = static_cast<std::uint32_t>(icon);
  record_.flags = services::kTrayFlagMessage | services::kTrayFlagIcon | services::kTrayFlagTip;
  record_.callbackMessage = services::kPointerMoveMessage;
  // The tip in the ANSI code page, one NUL, then blanks up to the field's end.
  const std::string tip = codePage_.ToAnsi(kTip);
  record_.tip.fill(' ');
  const std::size_t n = std::min(tip.size(), record_.tip.size() - 1);
  std::memcpy(record_.tip.data(), tip.data(), n);
  record_.tip[n] = '\0';
  tray_.Notify(services::kTrayAdd, record_);
}

void TrayIcon::Remove() { tray_.Notify(services::kTrayDelete, record_); }

void AddTrayIcon(app::Form1& form) { form.TrayIcon().Add(form.peer().Handle(), form.peer().IconHandle()); }

void RemoveTrayIcon(app::Form1& form) { form.TrayIcon().Remove(); }

void HideToTray(app::Form1& form) {
  AddTrayIcon(form);
  form.mnuPopUpShowForm().SetEnabled(true);
  form.Hide();
}

void WireTray(app::Form1& form) {
  form.cmdAdd().onClick = [&form] { AddTrayIcon(form); };
  form.cmdRemove().onClick = [&form] { RemoveTrayIcon(form); };
  form.cmdHideForm().onClick = [&form] { HideToTray(form); };
  form.xpButton1().onClick = [&form] {
    settings::SaveFormState(form);
    HideToTray(form);
  };
  for (ui::Control* button : {&form.xpButton3(), &form.xpButton4()}) {
    button->onClick = [&form] {
      settings::SaveFormState(form);
      form.KillList().SaveKillList();
      HideToTray(form);
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
  form.onShellRestarted = [&form] { AddTrayIcon(form); };
}

}  // namespace morvex::tray
