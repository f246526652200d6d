// The one way back from a window handle to the toolkit. Each of the
// program's own windows (a form, a roll-up panel) carries one property that
// points to its record, which the window's peer keeps; a control of a system
// class is reached through its form, by its ID. A property, unlike a
// window's user data, is never found on a window of another kind.
#pragma once

#include <windows.h>

#include "ui/controls.h"

namespace morvex::win32 {

class Win32Backend;

struct WindowRecord {
  Win32Backend& backend;
  ui::Window& window;
  ui::Control* control = nullptr;  // a roll-up panel's control; none for a form
  int dpi = 0;                     // the DPI a form was created or last laid out at
  // A form's keyboard state: the control that had the focus when the form
  // was last deactivated, and whether the focus mark shows (once the
  // keyboard has been used in the form).
  HWND focus = nullptr;
  bool focusMarks = false;
};

// Attaches the record to the window; nullptr takes it away again.
void Attach(HWND hwnd, WindowRecord* record);
// The record the window carries, or nullptr.
WindowRecord* RecordOf(HWND hwnd);
// The record of the form the window lies in (the window itself for a form),
// or nullptr.
WindowRecord* FormRecordOf(HWND hwnd);
// The control whose window this is, or nullptr (a form, a window inside a
// control such as a combo box's edit field, a window of another program).
ui::Control* ControlOf(HWND hwnd);

}  // namespace morvex::win32
