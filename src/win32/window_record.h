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
};

// Attaches the record to the window; nullptr takes it away again.
void Attach(HWND hwnd, WindowRecord* record);
// The record the window carries, or nullptr.
WindowRecord* RecordOf(HWND hwnd);

}  // namespace morvex::win32
