// The description of a window as data: one row per control or menu item, in the
// window's declaration order. Both backends build windows from these rows, the
// settings code walks them, and each row's position gives its command ID.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvex::ui {

enum class Kind {
  Label,
  Frame,
  Button,      // ordinary command button
  XpButton,    // styled push button
  CheckBox,
  OptionButton,
  ComboBox,
  ListBox,
  TextBox,
  Timer,
  MenuItem,
  RollUp,      // roll-up panel: a container with a header that toggles it
  MediaPlayer,
};

const char* KindName(Kind kind);

// Positions and sizes in twips, relative to the container's top left corner.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class Align { Left, Center };

// Colours as 0xRRGGBB; kNoColour keeps the system's colour.
inline constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;

struct ControlDef {
  std::string name;
  int index = -1;            // member of a control array when >= 0
  Kind kind = Kind::Label;
  std::string parent;        // container's name; empty for the window itself
  std::string caption;       // caption, text, or the initial text of a combo box
  Rect rect;
  std::string tooltip;
  std::string accessibleName;  // what a screen reader names it, where its caption or frame's is not that
  double fontSize = 8.25;    // points
  bool bold = false;
  std::uint32_t foreColour = kNoColour;
  std::uint32_t backColour = kNoColour;
  Align align = Align::Left;
  bool visible = true;
  bool enabled = true;
  bool value = false;        // check box checked, option button selected, roll-up opened
  bool multiSelect = false;  // list box: extended selection
  int maxLength = 0;         // text box: 0 = unlimited
  int interval = 0;          // timer: milliseconds
  bool separator = false;    // menu item drawn as a separator line
  int openHeight = 0;        // roll-up panel: height when opened (rect.height is the closed one)
};

enum class Border { FixedSingle, Sizable, FixedDialog, None };

struct WindowDef {
  std::string name;
  std::string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  Border border = Border::FixedSingle;
  bool showInTaskbar = true;
  bool centred = true;
  int iconId = 0;        // resource ID of the window's icon, 0 for none
  std::vector<ControlDef> controls;
};

// A control's key: its name, or for a member of a control array the name and
// its index in parentheses, such as "optOnLeftClick(0)".
std::string ControlKey(const std::string& name, int index);

// Command and control IDs: 1000 + the position in the declaration order.
inline constexpr int kFirstControlId = 1000;

// Twips to pixels at the given dots per inch (15 twips per pixel at 96 DPI).
int TwipsToPixels(int twips, int dpi);

// The containers that hold the control (frames, roll-up panels), from the
// one it lies in directly outwards; none for a control on the window itself.
inline std::vector<const ControlDef*> ContainersOf(const WindowDef& window, const ControlDef& control) {
  std::vector<const ControlDef*> containers;
  for (const std::string* parent = &control.parent; !parent->empty();) {
    const ControlDef* container = nullptr;
    for (const ControlDef& row : window.controls) {
      if (row.name == *parent && row.index < 0) container = &row;
    }
    if (!container) break;
    containers.push_back(container);
    parent = &container->parent;
  }
  return containers;
}

// The roll-up panel that holds the control, or nullptr.
inline const ControlDef* PanelOf(const WindowDef& window, const ControlDef& control) {
  for (const ControlDef* container : ContainersOf(window, control)) {
    if (container->kind == Kind::RollUp) return container;
  }
  return nullptr;
}

// Whether the control lies wholly below the window's client area where its
// table places it (its top, in the window's coordinates, at or below the
// client area's bottom edge): no user ever sees it there.
inline bool LiesBelowClientArea(const WindowDef& window, const ControlDef& control) {
  int top = control.rect.top;
  for (const ControlDef* container : ContainersOf(window, control)) top += container->rect.top;
  return window.clientHeight > 0 && top >= window.clientHeight;
}

// Whether the control is a window of its own (timers, menu items and the
// media player are not).
inline bool HasWindowOfItsOwn(Kind kind) {
  return kind != Kind::Timer && kind != Kind::MenuItem && kind != Kind::MediaPlayer;
}

// Whether the control's window is made just after the window's first paint:
// one with a window of its own, below the client area, and in no roll-up
// panel (whose controls come when it first opens).
inline bool MadeAfterFirstPaint(const WindowDef& window, const ControlDef& control) {
  return HasWindowOfItsOwn(control.kind) && !PanelOf(window, control) && LiesBelowClientArea(window, control);
}

}  // namespace morvex::ui
