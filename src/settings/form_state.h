// The values of a window's controls kept in config.ini from one run to the
// next: one section named after the window, one key per text box, list box,
// combo box, check box and option button, in the window's declaration order.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "services/services.h"
#include "ui/controls.h"

namespace morvex::settings {

inline constexpr const char* kConfigFileName = "config.ini";
// What a CR LF pair of a text becomes in its one-line value.
inline constexpr std::string_view kLineBreakMark = "~|~";
// The value buffer: at most one byte less than this comes back.
inline constexpr std::size_t kValueBufferSize = 256;

// Shown once per run when config.ini cannot be written.
inline std::string SettingsNotSavedText(const std::string& path, const std::string& reason) {
  return "Die Einstellungen des Fensters wurden nicht gespeichert.\n\nDatei: " + path + "\nGrund: " + reason;
}

// config.ini in the application folder (services::InFolder).
std::string ConfigFilePath(services::Files& files);

// The control's key in its section (ui::ControlKey): its name, or for a
// member of a control array the name and its index, such as
// "optOnLeftClick(0)".
std::string ControlKey(const ui::Control& control);
// The key of a combo box's typed text, beside its index: "Combo1.Text".
std::string TextKey(const ui::Control& control);

// Text values: every CR LF pair becomes "~|~" on writing, and every "~|~" a
// CR LF pair on reading.
std::string EncodeLineBreaks(std::string_view text);
std::string DecodeLineBreaks(std::string_view value);

// A stored list index: a whole decimal number from -1 up, within 16 bits.
std::optional<int> ParseListIndex(std::string_view value);
// A stored check-box or option-button value: a decimal number rounded down
// to a whole number, within 16 bits.
std::optional<int> ParseWholeNumber(std::string_view value);

// The value a control is stored with, in the core's UTF-8; empty for a
// control that is not stored (and for an empty text box). A combo box is
// stored with the index of the item its text equals ("05" typed gives the
// index of the item "05"), -1 when the text is no item.
std::string StoredValue(const ui::Control& control);
// The text stored under TextKey: a combo box's text when it is no item of
// the box; empty otherwise.
std::string StoredText(const ui::Control& control);
// Puts a stored value (UTF-8) into the control as the user's change would,
// so that a changed selection or value runs the control's reaction. A value
// that does not fit the control leaves it as it is.
void ApplyStoredValue(ui::Control& control, std::string_view value);

// Puts the values stored for the window back into its controls (a combo box
// stored without an item gets its stored text). False, with no control
// touched, when config.ini does not exist.
bool RestoreFormState(ui::Window& window, services::Services& services);
// Writes the value of every stored control whose value is not empty; the
// first failure, if any.
services::FileResult SaveFormState(const ui::Window& window, services::Services& services);

// The main window's values, put back at start-up and saved by many handlers.
class WindowSettings {
 public:
  WindowSettings(ui::Window& window, services::Services& services) : window_(window), services_(services) {}
  WindowSettings(const WindowSettings&) = delete;
  WindowSettings& operator=(const WindowSettings&) = delete;

  bool Restore() { return RestoreFormState(window_, services_); }
  // A failure is reported the first time in a run; the program goes on.
  void Save();

 private:
  ui::Window& window_;
  services::Services& services_;
  bool failureReported_ = false;
};

}  // namespace morvex::settings
