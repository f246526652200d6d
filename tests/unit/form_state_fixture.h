// Helpers for the tests of the stored window state: config.ini among the
// fakes, the stored controls' values and clicks, and a restart.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "settings/form_state.h"
#include "unit/fakes.h"

namespace morvex::settings {

using testing::Rig;

inline const std::string kConfig = "C:\\Morvex\\config.ini";

// Counts the click events of every stored control, by key.
struct ClickLog {
  explicit ClickLog(forms::Form1& form) {
    for (const auto& control : form.Controls()) {
      if (StoredValue(*control).empty() && control->GetKind() != ui::Kind::TextBox) continue;
      const std::string key = ControlKey(*control);
      control->onClick = [this, key] { ++clicks[key]; };
    }
  }
  std::map<std::string, int> clicks;
};

// The hour and minute choosers as start-up fills them: "00".."23" and
// "03".."59", the first entry selected.
inline void FillChoosers(forms::Form1& form) {
  for (int hour = 0; hour < 24; ++hour)
    form.Get<ui::ComboBox>("Combo1").AddItem((hour < 10 ? "0" : "") + std::to_string(hour));
  for (int minute = 3; minute < 60; ++minute)
    form.Get<ui::ComboBox>("Combo2").AddItem((minute < 10 ? "0" : "") + std::to_string(minute));
  form.Get<ui::ComboBox>("Combo1").SetListIndex(0);
  form.Get<ui::ComboBox>("Combo2").SetListIndex(0);
}

// The values of all stored controls, with the edit texts of the combo boxes.
inline std::map<std::string, std::string> Snapshot(const forms::Form1& form) {
  std::map<std::string, std::string> values;
  for (const auto& control : form.Controls()) {
    values[ControlKey(*control)] = StoredValue(*control);
    if (control->GetKind() == ui::Kind::ComboBox) {
      values[ControlKey(*control) + ".Text"] = static_cast<const ui::ComboBox&>(*control).Text();
    }
  }
  return values;
}

// A new main window over the same files, as after a restart.
inline void Restart(Rig& rig) { rig.program = std::make_unique<app::Program>(rig.backend, rig.services); }

}  // namespace morvex::settings
