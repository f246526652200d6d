// The tray icon, the hide-to-tray sequence and the popup menu.
#pragma once

#include <string>

#include "services/tray.h"

namespace morvex::app {
class Form1;
}

namespace morvex::tray {

// The tip shown over the icon, always the same.
inline constexpr const char* kTip = "Rechtsklick um das Menu zu öffnen";
// The window message the icon's notifications arrive as (pointer movement).
inline constexpr unsigned kCallbackMessage = 0x200;
// The mouse message that acts: the release of the right button.
inline constexpr float kRightButtonUp = 517.0f;

// Fills the record anew for an add.
void FillRecord(app::Form1& form);
void AddTrayIcon(app::Form1& form);
void RemoveTrayIcon(app::Form1& form);
void HideToTray(app::Form1& form);

// The pointer-movement reaction of Form1, which is also how the icon's
// notifications arrive.
void OnMouseMove(app::Form1& form, float x);

void WireTray(app::Form1& form);

// The message-box mode's text.
std::string MessageBoxModeText();

}  // namespace morvex::tray
