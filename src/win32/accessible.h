// What a screen reader is told about a Tab stop (Active Accessibility): the
// control answers WM_GETOBJECT with the system's own object for its window,
// except for its name, its role and the state that goes with the role. The
// system's object knows neither the program's own controls (the xp buttons
// are owner-drawn, the roll-up header is a class of our own) nor which frame
// names a list box.
#pragma once

#include <windows.h>

#include <string>

#include "ui/controls.h"

namespace morvex::win32 {

// A control's accessible name: its caption without a mnemonic's marker; a
// control that shows data rather than a caption (a list, combo or text box)
// is named by the caption of the frame that holds it, or not at all.
std::string AccessibleName(const ui::Window& window, const ui::Control& control);

// The answer to WM_GETOBJECT of a control's window, 0 for an object other
// than its client area (or when oleacc is missing): the system answers then.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp);

}  // namespace morvex::win32
