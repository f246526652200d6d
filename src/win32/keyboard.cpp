#include "win32/keyboard.h"

#include <algorithm>

#include "ui/tab_order.h"
#include "win32/backend.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

// The control of the form whose window is or holds hwnd (a combo box holds
// its edit field), or nullptr.
ui::Control* ControlHolding(HWND hwnd, HWND form) {
  for (; hwnd && hwnd != form; hwnd = GetParent(hwnd)) {
    if (ui::Control* control = ControlOf(hwnd)) return control;
  }
  return nullptr;
}

ui::Control* FocusedControl(HWND form) { return ControlHolding(GetFocus(), form); }

bool IsTabStop(const ui::Window& window, const ui::Control* control) {
  const std::vector<ui::Control*> order = ui::TabOrder(window);
  return control && std::find(order.begin(), order.end(), control) != order.end();
}

// Gives the control the focus; a text field's text is selected, as the dialog
// manager does.
void Focus(const ui::Control& control) {
  HWND hwnd = Win32Backend::HandleOf(control);
  if (!hwnd) return;
  SetFocus(hwnd);
  if (SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(hwnd, EM_SETSEL, 0, -1);
}

void ShowFocusMarks(HWND form, WindowRecord& record) {
  if (record.focusMarks) return;
  record.focusMarks = true;
  SendMessageW(form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (HWND focus = GetFocus(); focus && IsChild(form, focus)) InvalidateRect(focus, nullptr, TRUE);
}

// Whether the key moves the focus, and which way.
bool MovesFocus(const MSG& msg, bool& backwards) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  switch (msg.wParam) {
    case VK_TAB:
      backwards = GetKeyState(VK_SHIFT) < 0;
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      // A list, a combo or a text box moves within itself.
      MSG copy = msg;
      const LRESULT wants = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
      backwards = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
      return (wants & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) == 0;
    }
    default:
      return false;
  }
}

}  // namespace

void HideFocusMarks(HWND form) { SendMessageW(form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0); }

bool HandleNavigationKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  WindowRecord* record = FormRecordOf(msg.hwnd);
  if (!record) return false;
  HWND form = Win32Backend::HandleOf(record->window);
  ShowFocusMarks(form, *record);
  bool backwards = false;
  if (!MovesFocus(msg, backwards)) return false;
  if (ui::Control* next = ui::NextTabStop(record->window, FocusedControl(form), backwards)) Focus(*next);
  return true;
}

void RememberFocus(HWND form) {
  HWND focus = GetFocus();
  if (WindowRecord* record = RecordOf(form); record && focus && IsChild(form, focus)) record->focus = focus;
}

void RestoreFocus(HWND form) {
  WindowRecord* record = RecordOf(form);
  if (!record) return;
  HWND kept = record->focus;
  if (kept && IsWindow(kept) && IsChild(form, kept) && IsTabStop(record->window, ControlHolding(kept, form))) {
    SetFocus(kept);
  } else if (ui::Control* first = ui::NextTabStop(record->window, nullptr)) {
    Focus(*first);
  } else if (GetFocus() != form) {
    SetFocus(form);
  }
}

void KeepFocusOnTabStop(const ui::Window& window, const ui::Control& panel) {
  HWND form = Win32Backend::HandleOf(window);
  HWND focus = GetFocus();
  if (!focus || !IsChild(form, focus) || IsTabStop(window, FocusedControl(form))) return;
  if (IsTabStop(window, &panel)) {
    Focus(panel);
  } else if (ui::Control* first = ui::NextTabStop(window, nullptr)) {
    Focus(*first);
  }
}

bool FocusMarksShown(HWND control) {
  const WindowRecord* record = FormRecordOf(control);
  return record && record->focusMarks;
}

}  // namespace morvex::win32
