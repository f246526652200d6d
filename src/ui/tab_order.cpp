#include "ui/tab_order.h"

#include <algorithm>
#include <tuple>

namespace morvex::ui {

namespace {

// A control's rectangle in the window's coordinates, as it is now: an open
// roll-up panel reaches down to its open height. For the control's own place
// a panel counts as its header bar (`header`).
Rect PlaceInWindow(const Window& window, const Control& control, bool header) {
  const ControlDef& def = control.Def();
  Rect rect = def.rect;
  if (!header && def.kind == Kind::RollUp && def.openHeight > 0 && control.peer().Opened()) {
    rect.height = def.openHeight;
  }
  for (const std::string* parent = &def.parent; !parent->empty();) {
    const ControlDef& container = window.Find(*parent).Def();
    rect.left += container.rect.left;
    rect.top += container.rect.top;
    parent = &container.parent;
  }
  return rect;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// Whether a sibling declared before `layer` (the control or one of its
// containers) lies over the control's place.
bool Covered(const Window& window, const Control& layer, const Rect& place) {
  for (const auto& other : window.Controls()) {
    if (other.get() == &layer) return false;
    const ControlDef& def = other->Def();
    if (def.parent != layer.Def().parent || def.rect.width <= 0 || def.rect.height <= 0 || !other->Visible()) {
      continue;
    }
    if (Overlap(PlaceInWindow(window, *other, false), place)) return true;
  }
  return false;
}

bool IsTabStop(const Window& window, const Control& control) {
  if (!TakesFocus(control.GetKind()) || !control.Enabled() || !control.Visible()) return false;
  const Rect place = PlaceInWindow(window, control, true);
  if (Covered(window, control, place)) return false;
  for (const std::string* parent = &control.Def().parent; !parent->empty();) {
    const Control& container = window.Find(*parent);
    if (!container.Visible() || !container.Enabled()) return false;
    if (container.GetKind() == Kind::RollUp && !container.peer().Opened()) return false;
    if (Covered(window, container, place)) return false;
    parent = &container.Def().parent;
  }
  return true;
}

}  // namespace

bool TakesFocus(Kind kind) {
  switch (kind) {
    case Kind::Button:
    case Kind::XpButton:
    case Kind::CheckBox:
    case Kind::OptionButton:
    case Kind::ComboBox:
    case Kind::ListBox:
    case Kind::TextBox:
    case Kind::RollUp:
      return true;
    default:
      return false;
  }
}

std::vector<Control*> TabOrder(const Window& window) {
  const Rect client{0, 0, window.Def().clientWidth, window.Def().clientHeight};
  struct Stop {
    bool outside;
    int top, left, position;
    Control* control;
  };
  std::vector<Stop> stops;
  for (const auto& control : window.Controls()) {
    if (!IsTabStop(window, *control)) continue;
    const Rect place = PlaceInWindow(window, *control, true);
    stops.push_back({!Overlap(place, client), place.top, place.left, control->Position(), control.get()});
  }
  std::sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
    return std::tie(a.outside, a.top, a.left, a.position) < std::tie(b.outside, b.top, b.left, b.position);
  });
  std::vector<Control*> order;
  for (const Stop& stop : stops) order.push_back(stop.control);
  return order;
}

Control* NextTabStop(const Window& window, const Control* from, bool backwards) {
  const std::vector<Control*> order = TabOrder(window);
  if (order.empty()) return nullptr;
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return backwards ? order.back() : order.front();
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  const std::ptrdiff_t i = at - order.begin();
  return order[static_cast<std::size_t>((i + (backwards ? n - 1 : 1)) % n)];
}

}  // namespace morvex::ui
