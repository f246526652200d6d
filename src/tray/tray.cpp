#include "tray/tray.h"

#include <algorithm>
#include <cstring>

#include "app/form1.h"
#include "processes/killlist.h"
#include "settings/form_state.h"

namespace morvex::tray {

std::string MessageBoxModeText() { return std::string("MorvexTask auf ") + app::kHomepageHost; }

void FillRecord(app::Form1& form) {
  services::TrayIconRecord& record = form.trayRecord;
  record = {};
  record.size = form.Svc().tray.RecordSize();
  record.window = form.peer().Handle();
  record.icon = form.peer().IconHandle();
  record.id = static_cast<std::uint32_t>(record.icon);
  record.flags = 7;  // message, icon, tip
  record.callbackMessage = kCallbackMessage;
  // The tip in the ANSI code page, one NUL, then blanks up to the field's end.
  const std::string tip = form.Svc().codePage.ToAnsi(kTip);
  record.tip.fill(' ');
  const std::size_t n = std::min(tip.size(), record.tip.size() - 1);
  std::memcpy(record.tip.data(), tip.data(), n);
  record.tip[n] = '\0';
}

void AddTrayIcon(app::Form1& form) {
  FillRecord(form);
  form.Svc().tray.Notify(services::kTrayAdd, form.trayRecord);
}

void RemoveTrayIcon(app::Form1& form) { form.Svc().tray.Notify(services::kTrayDelete, form.trayRecord); }

void HideToTray(app::Form1& form) {
  AddTrayIcon(form);
  form.mnuPopUpShowForm().SetEnabled(true);
  form.Hide();
}

void OnMouseMove(app::Form1& form, float x) {
  // The icon's notifications carry the mouse message where a real movement
  // carries the x coordinate in pixels.
  const float message = x / form.TwipsPerPixelX();
  if (message != kRightButtonUp) return;
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
      processes::SaveKillList(form);
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
