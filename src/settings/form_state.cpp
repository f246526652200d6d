#include "settings/form_state.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "forms/texts.h"

namespace morvex::settings {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr int kSmallest16 = -32768;
constexpr int kLargest16 = 32767;
constexpr std::string_view kTextKeySuffix = ".Text";

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  result.reserve(text.size());
  std::size_t position = 0;
  for (std::size_t found; (found = text.find(from, position)) != std::string_view::npos;
       position = found + from.size()) {
    result.append(text.substr(position, found - position)).append(to);
  }
  return result.append(text.substr(position));
}

// One leading '+' is allowed as it would be for the user; "+-1" is not.
std::string_view WithoutPlus(std::string_view value) {
  if (value.size() > 1 && value.front() == '+' && value[1] != '-') value.remove_prefix(1);
  return value;
}

bool IsStored(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::TextBox:
    case ui::Kind::ListBox:
    case ui::Kind::ComboBox:
    case ui::Kind::CheckBox:
    case ui::Kind::OptionButton:
      return true;
    default:
      return false;
  }
}

// The item a combo box's text equals: the selected one when it still shows
// its text, else the first equal one; -1 for a text that is no item.
int ItemShown(const ui::ComboBox& combo) {
  const std::string text = combo.Text();
  const int selected = combo.ListIndex();
  if (selected >= 0 && combo.List(selected) == text) return selected;
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (combo.List(i) == text) return i;
  }
  return -1;
}

// The stored value of a key, in UTF-8; empty when missing or empty.
std::string ReadStored(const std::string& section, const std::string& key, const std::string& path,
                       services::Services& services) {
  std::array<char, kValueBufferSize> buffer;
  buffer.fill(' ');
  std::size_t count = services.profile.GetString(section, key, buffer.data(), buffer.size(), path);
  if (count > buffer.size() - 1) count = buffer.size() - 1;
  return services.codePage.FromAnsi(std::string(buffer.data(), count));
}

}  // namespace

std::string ConfigFilePath(services::Files& files) {
  return services::InFolder(files.AppFolder(), kConfigFileName);
}

std::string ControlKey(const ui::Control& control) { return ui::ControlKey(control.Name(), control.Index()); }

std::string TextKey(const ui::Control& control) { return ControlKey(control) + std::string(kTextKeySuffix); }

std::string EncodeLineBreaks(std::string_view text) { return ReplaceAll(text, kCrLf, kLineBreakMark); }

std::string DecodeLineBreaks(std::string_view value) { return ReplaceAll(value, kLineBreakMark, kCrLf); }

std::optional<int> ParseListIndex(std::string_view value) {
  value = WithoutPlus(value);
  int index = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  if (index < -1 || index > kLargest16) return std::nullopt;
  return index;
}

std::optional<int> ParseWholeNumber(std::string_view value) {
  value = WithoutPlus(value);
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  if (!std::isfinite(number)) return std::nullopt;
  const double whole = std::floor(number);
  if (whole < kSmallest16 || whole > kLargest16) return std::nullopt;
  return static_cast<int>(whole);
}

std::string StoredValue(const ui::Control& control) {
  switch (control.GetKind()) {
    case ui::Kind::TextBox:
      return EncodeLineBreaks(static_cast<const ui::TextBox&>(control).Text());
    case ui::Kind::ListBox:
      return std::to_string(static_cast<const ui::ListBox&>(control).ListIndex());
    case ui::Kind::ComboBox:
      return std::to_string(ItemShown(static_cast<const ui::ComboBox&>(control)));
    case ui::Kind::CheckBox:
      return std::to_string(static_cast<const ui::CheckBox&>(control).Value());
    case ui::Kind::OptionButton:
      return static_cast<const ui::OptionButton&>(control).Value() ? "-1" : "0";
    default:
      return {};
  }
}

std::string StoredText(const ui::Control& control) {
  if (control.GetKind() != ui::Kind::ComboBox) return {};
  const auto& combo = static_cast<const ui::ComboBox&>(control);
  // A box without items (Combo3) has nothing the user could type into.
  if (combo.ListCount() == 0) return {};
  return ItemShown(combo) < 0 ? EncodeLineBreaks(combo.Text()) : std::string();
}

void ApplyStoredValue(ui::Control& control, std::string_view value) {
  switch (control.GetKind()) {
    case ui::Kind::TextBox:
      static_cast<ui::TextBox&>(control).SetText(DecodeLineBreaks(value));
      break;
    case ui::Kind::ListBox:
    case ui::Kind::ComboBox: {
      // A combo box keeps its edit text when its selection is cleared (see
      // ComboBox::SetListIndex): one stored without selection keeps the text
      // it was typed with.
      auto& list = static_cast<ui::ListControl&>(control);
      const std::optional<int> index = ParseListIndex(value);
      if (index && *index <= list.ListCount() - 1) list.SetListIndex(*index);
      break;
    }
    case ui::Kind::CheckBox: {
      const std::optional<int> state = ParseWholeNumber(value);
      if (state && *state >= 0 && *state <= 2) static_cast<ui::CheckBox&>(control).SetValue(*state);
      break;
    }
    case ui::Kind::OptionButton: {
      const std::optional<int> state = ParseWholeNumber(value);
      if (state) static_cast<ui::OptionButton&>(control).SetValue(*state != 0);
      break;
    }
    default:
      break;
  }
}

bool RestoreFormState(ui::Window& window, services::Services& services) {
  const std::string path = ConfigFilePath(services.files);
  if (!services.files.Exists(path)) return false;
  for (const auto& control : window.Controls()) {
    if (!IsStored(control->GetKind())) continue;
    const std::string value = ReadStored(window.Name(), ControlKey(*control), path, services);
    if (value.empty()) continue;  // missing or empty: the control keeps its value
    ApplyStoredValue(*control, value);
    // A combo box stored without an item: its text was typed, and comes back.
    if (control->GetKind() != ui::Kind::ComboBox || ParseListIndex(value) != -1) continue;
    const std::string text = ReadStored(window.Name(), TextKey(*control), path, services);
    if (!text.empty()) static_cast<ui::ComboBox&>(*control).SetText(DecodeLineBreaks(text));
  }
  return true;
}

services::FileResult SaveFormState(const ui::Window& window, services::Services& services) {
  const std::string path = ConfigFilePath(services.files);
  services::FileResult first;
  const auto write = [&](const std::string& key, const std::string& value) {
    // An empty value is never written, so the key keeps what it held before.
    if (value.empty()) return;
    const services::FileResult result =
        services.profile.WriteString(window.Name(), key, services.codePage.ToAnsi(value), path);
    if (!result.ok && first.ok) first = result;
  };
  for (const auto& control : window.Controls()) {
    write(ControlKey(*control), StoredValue(*control));
    if (control->GetKind() != ui::Kind::ComboBox) continue;
    const std::string text = StoredText(*control);
    write(TextKey(*control), text);
    // A text that is an item again, or empty, leaves no typed text behind to
    // come back at the next start. (A box without items keeps what an older
    // file holds: the user cannot change it.)
    const auto& combo = static_cast<const ui::ComboBox&>(*control);
    if (!text.empty() || combo.ListCount() == 0) continue;
    const services::FileResult result = services.profile.DeleteKey(window.Name(), TextKey(*control), path);
    if (!result.ok && first.ok) first = result;
  }
  return first;
}

void WindowSettings::Save() {
  const services::FileResult result = SaveFormState(window_, services_);
  if (result.ok || failureReported_) return;
  failureReported_ = true;
  services_.messages.Show(SettingsNotSavedText(ConfigFilePath(services_.files), result.error), forms::kNotSavedTitle,
                          services::kCritical);
}

}  // namespace morvex::settings
