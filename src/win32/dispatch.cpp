#include "win32/dispatch.h"

#include <commctrl.h>

#include "win32/accessible.h"
#include "win32/backend.h"
#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/keyboard.h"
#include "win32/layout.h"
#include "win32/notification_area.h"
#include "win32/paint.h"
#include "win32/peers.h"
#include "win32/single_instance.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

using ui::Kind;

// The messages a container passes on to its form.
bool Forwarded(UINT msg) {
  return msg == WM_COMMAND || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX ||
         msg == WM_CTLCOLORBTN || msg == WM_DRAWITEM;
}

LRESULT OnCommand(ui::Window& window, WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  ui::Control* control = window.FindById(id);
  if (!control) return 0;
  if (lp == 0) {  // a menu item
    if (code == 0) control->UserClicked();
    return 0;
  }
  switch (control->GetKind()) {
    case Kind::Button:
    case Kind::XpButton:
    case Kind::CheckBox:
    case Kind::OptionButton:
      if (code == BN_CLICKED) control->UserClicked();
      break;
    case Kind::Label:
      if (code == STN_CLICKED) control->UserClicked();
      break;
    case Kind::ListBox:
      if (code == LBN_SELCHANGE) control->UserClicked();
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) control->UserClicked();
      if (code == CBN_EDITCHANGE) static_cast<ui::ComboBox*>(control)->UserChanged();
      break;
    default:
      break;
  }
  return 0;
}

// A control's colours from its table; the window's face where it has none.
LRESULT OnColour(const WindowRecord& form, HDC dc, HWND hwnd, bool edit, LRESULT fallback) {
  ui::Control* control = form.window.FindById(GetDlgCtrlID(hwnd));
  if (!control) return fallback;
  const ui::ControlDef& def = control->Def();
  const auto rgb = [](std::uint32_t c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); };
  if (def.foreColour != ui::kNoColour) SetTextColor(dc, rgb(def.foreColour));
  if (def.backColour != ui::kNoColour) {
    SetBkColor(dc, rgb(def.backColour));
    return reinterpret_cast<LRESULT>(form.backend.Gdi().Brush(rgb(def.backColour)));
  }
  if (edit) return fallback;
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT OnMouseMove(ui::Window& window, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  int button = 0;
  if (wp & MK_LBUTTON) button |= 1;
  if (wp & MK_RBUTTON) button |= 2;
  if (wp & MK_MBUTTON) button |= 4;
  int shift = 0;
  if (wp & MK_SHIFT) shift |= 1;
  if (wp & MK_CONTROL) shift |= 2;
  window.MouseMoved(button, shift, x, y);
  return 0;
}

}  // namespace

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowRecord* form = RecordOf(hwnd);
  if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
  ui::Window& window = form->window;
  if (msg == TaskbarCreatedMessage()) {
    window.ShellRestarted();
    return 0;
  }
  if (msg == Win32Backend::MakeLaterControlsMessage()) {
    form->backend.MakeLaterControls(window);
    return 0;
  }
  if (msg == ShowRequestMessage()) {
    // The window is shown once a box that is open has been closed: the box
    // comes to the front meanwhile.
    BringOpenBoxForward();
    window.ShowRequested();
    return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      return OnCommand(window, wp, lp);
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        RememberFocus(hwnd);
      } else if (!HIWORD(wp)) {
        RestoreFocus(hwnd);
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(hwnd);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return OnColour(*form, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg == WM_CTLCOLOREDIT,
                      DefWindowProcW(hwnd, msg, wp, lp));
    case WM_DRAWITEM:
      DrawXpButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_TIMER:
      if (ui::Control* control = window.FindById(static_cast<int>(wp))) {
        if (control->GetKind() == Kind::Timer) static_cast<ui::Timer*>(control)->Fire();
      }
      return 0;
    case WM_MOUSEMOVE:
      return OnMouseMove(window, wp, lp);
    case WM_CLOSE:
      window.RequestClose();
      return 0;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
      // The clock was set, or a setting changed that may be the time zone:
      // asking again what the clock shows costs nothing.
      window.ClockChanged();
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wp) window.SessionEnding();
      return 0;
    case WM_DPICHANGED: {
      // The new DPI is the message's (its low word: the X axis, the same as
      // the Y axis); the system's would be the one the process started at
      // where GetDpiForWindow is missing (Windows 8.1, the first Windows 10).
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      const int dpi = LOWORD(wp) > 0 ? LOWORD(wp) : SystemDpiOf(hwnd);
      LayOut(window, dpi, form->backend.Gdi());
      // The icons at the new DPI's sizes, the tray's too (its handler).
      if (const int iconId = window.Def().iconId) {
        form->backend.SetFormIcons(hwnd, iconId, dpi);
        window.IconsChanged();
      }
      return 0;
    }
    case WM_NCDESTROY:
      Attach(hwnd, nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (Forwarded(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  WindowRecord* record = RecordOf(hwnd);
  if (!record) return DefWindowProcW(hwnd, msg, wp, lp);
  ui::Control& control = *record->control;
  // The panel's own state; asked for only once its peer is the control's.
  const auto panel = [&control]() -> RollUpPeer& { return static_cast<RollUpPeer&>(control.peer()); };
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (static_cast<short>(HIWORD(lp)) < ui::TwipsToPixels(kRollUpHeaderTwips, DpiOf(hwnd))) {
        control.UserClicked();
      }
      return 0;
    case WM_PAINT:
      PaintRollUp(hwnd, Widen(control.Caption()), panel().HeaderFont(), record->backend.Gdi().Brush(kHeaderBlue),
                  GetFocus() == hwnd && FocusMarksShown(hwnd));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_KEYDOWN:
      // Space on the focused header toggles the panel, as a click does.
      if (wp == VK_SPACE && !(lp & (1 << 30))) control.UserClicked();
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerGetObject(hwnd, wp, lp)) return answer;
      return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_SETFONT:
      panel().SetHeaderFont(reinterpret_cast<HFONT>(wp));
      if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(panel().HeaderFont());
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      Attach(hwnd, nullptr);
      return DefWindowProcW(hwnd, msg, wp, lp);
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK AccessibleSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETOBJECT) {
    if (const LRESULT answer = AnswerGetObject(hwnd, wp, lp)) return answer;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ContainerSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (Forwarded(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  if (msg == WM_ERASEBKGND) {
    // A group box paints only its frame; its inside is the window's face.
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(reinterpret_cast<HDC>(wp), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  if (msg == WM_PRINTCLIENT) {
    // A themed control inside has the group box paint its background into
    // the control's own DC and then draws its caption there: the DC keeps
    // the control's font, not the group box's.
    HDC dc = reinterpret_cast<HDC>(wp);
    const int saved = SaveDC(dc);
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    RestoreDC(dc, saved);
    return result;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace morvex::win32
