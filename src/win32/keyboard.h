// The keyboard in the program's forms. Tab and Shift+Tab, and the arrow keys
// on a control that has no use for them, move the focus in the order of
// ui/tab_order.h: the message loop hands key messages here before the dialog
// manager, which would walk the order the windows were made in and reach
// controls that the user cannot see (the covered start page, a closed
// options page). A form that becomes active gives the focus back to the Tab
// stop that had it, or to its first one. The focus mark is drawn once the
// keyboard has been used in the form; before, the focus is not shown.
#pragma once

#include <windows.h>

#include "ui/controls.h"

namespace morvex::win32 {

// Hides the form's focus mark until the keyboard is used in it.
void HideFocusMarks(HWND form);

// A key message of the program's forms: notes that the keyboard is used and,
// for the keys that move the focus, moves it. True when the message has been
// dealt with and goes no further.
bool HandleNavigationKey(const MSG& msg);

// The form is being deactivated: it keeps the control with the focus.
void RememberFocus(HWND form);
// The form has been activated or given the focus: the focus goes to the Tab
// stop that had it, or to the first one; to the form itself when it has none.
void RestoreFocus(HWND form);

// A roll-up panel has opened or closed: a focus left on a control that is no
// Tab stop now (covered, or in the page that closed) goes to the panel's
// header, or where that is none, to the first Tab stop.
void KeepFocusOnTabStop(const ui::Window& window, const ui::Control& panel);

// Whether a control that has the focus shows the focus mark.
bool FocusMarksShown(HWND control);

}  // namespace morvex::win32
