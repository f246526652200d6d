// Window messages become toolkit events. Every event reaches its handler
// through the toolkit's EventQueue (the controls' UserClicked, a timer's
// Fire, a window's RequestClose and the like raise it there).
#pragma once

#include <windows.h>

namespace morvex::win32 {

// A form: notifications of its controls (WM_COMMAND), their colours and
// drawing, timers, the pointer, closing, the session's end, a new DPI, a
// new taskbar, a later start's request to show the window, and where the
// focus goes when the form is activated.
LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// A roll-up panel: a click on its header, or Space while the header has the
// focus, toggles it; it paints itself and tells a screen reader what it is.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// A Tab stop of a system class: tells a screen reader what it is
// (win32/accessible.h).
LRESULT CALLBACK AccessibleSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

// A frame (group box) that contains controls: passes their notifications on
// to the form and paints its inside in the window's face.
LRESULT CALLBACK ContainerSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

}  // namespace morvex::win32
