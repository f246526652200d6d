// What each kind of control and window is made as: its window class and
// styles, and what a screen reader announces it as. The program's own
// classes are registered by the backend.
#pragma once

#include <windows.h>

#include "ui/control_def.h"

namespace morvex::win32 {

inline constexpr wchar_t kFormClass[] = L"MorvexForm";
inline constexpr wchar_t kPanelClass[] = L"MorvexRollUp";  // the roll-up panel
inline constexpr wchar_t kOwnerClass[] = L"MorvexOwner";   // the hidden owner of windows kept off the taskbar

struct WindowStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

// A top-level window of the border style.
WindowStyle FormStyle(ui::Border border);

// A control of a kind that is a window of its own (not a timer, menu item or
// media player): its class, and its styles with its visibility and enabling.
// A kind that takes the focus (ui::TakesFocus) is a Tab stop.
WindowStyle ControlStyle(const ui::ControlDef& def);

// The accessible role of a control of the kind (a push button, a check box,
// a list, ...).
LONG AccessibleRole(ui::Kind kind);

}  // namespace morvex::win32
