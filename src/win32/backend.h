// The Win32 backend of the control toolkit: it makes the real windows of a
// form's table and their peers, and keeps what they share (fonts, brushes,
// icons, the hidden owner, the tooltip). It holds no behaviour of its own.
//
//   peers.*        the controls' peers: the toolkit's primitives over windows
//   form_peer.*    a form's peer, which keeps its record (window_record.h)
//   styles.*       each kind's window class and styles
//   layout.*       positions, sizes and fonts at a DPI (dpi.*, captions.*)
//   dispatch.*     window messages to toolkit events
//   paint.*        the controls drawn in the program's own style
//   gdi_cache.*    fonts and brushes made once
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "ui/controls.h"
#include "win32/gdi_cache.h"
#include "win32/handles.h"

namespace morvex::win32 {

class ControlPeer;

class Win32Backend : public ui::Backend {
 public:
  // Registers the program's window classes.
  explicit Win32Backend(HINSTANCE instance);

  std::unique_ptr<ui::WindowPeer> CreateWindowPeer(ui::Window& window) override;
  std::unique_ptr<ui::Peer> CreatePeer(ui::Window& window, ui::Control& control) override;
  // Places the window for the system's DPI of it.
  void WindowBuilt(ui::Window& window) override;
  void WindowDestroyed(ui::Window& window) override;

  static HWND HandleOf(const ui::Window& window);
  static HWND HandleOf(const ui::Control& control);

  // Sizes the window for a DPI of the caller's choosing (centred where its
  // table says so) and lays out its controls.
  void Place(ui::Window& window, int dpi);

  // Gives the window's controls the tips their table names. The form's peer
  // asks for them when the form is first shown and painted: no tip can show
  // before, and the window is on the screen that much sooner.
  void AddTooltips(const ui::Window& window);

  // Makes the windows of the controls in the roll-up panel that were kept in
  // memory while it was closed, with the state the program gave them; called
  // when the panel opens.
  void MakePanelContents(ui::Window& window, const ui::Control& panel);

  // Makes the windows of the controls that lie below the client area, in no
  // roll-up panel (ui::MadeAfterFirstPaint), which were kept in memory while
  // the window was built, shown and painted, with the state the program gave
  // them, each at its place in the z-order. The window asks for it with a
  // message it posts to itself once built: posted messages come before the
  // keyboard's and the mouse's, so no input reaches a control before its
  // window exists.
  void MakeLaterControls(ui::Window& window);
  static UINT MakeLaterControlsMessage() { return WM_APP + 1; }

  GdiCache& Gdi() { return gdi_; }

  // The form's big and small icons (WM_SETICON) at the sizes of the DPI.
  void SetFormIcons(HWND form, int resourceId, int dpi);
  // The small icon at the size the notification area shows at the DPI
  // (SM_CXSMICON): at the system's DPI LoadIconMetric's small icon, at
  // another one scaled down from the nearest larger image; loaded once.
  HICON ShellIcon(int resourceId, int dpi);
  // The same icon loaded afresh from a module; the caller owns it.
  static HICON LoadShellIcon(HINSTANCE module, int resourceId, int dpi);

 private:
  // The roll-up panel the control lies in (the nearest), or nullptr.
  static const ui::Control* PanelOf(const ui::Window& window, const ui::ControlDef& def);
  // The control's window, in its container, at its place for the form's DPI.
  std::unique_ptr<ControlPeer> MakeControlWindow(ui::Window& window, ui::Control& control);
  // The window that owns the forms kept off the taskbar, made on first use.
  HWND HiddenOwner();
  // The icon of the resource at the size, loaded once.
  HICON Icon(int resourceId, int size);
  void AddTooltip(HWND form, HWND control, const std::string& text);

  HINSTANCE instance_;
  GdiCache gdi_;
  std::map<std::pair<int, int>, UniqueIcon> icons_;
  std::map<std::pair<int, int>, UniqueIcon> shellIcons_;
  UniqueWindow hiddenOwner_;
  // One tooltip window for every control that has a tip; it belongs to the
  // first form that asked for it and goes with that form.
  HWND tooltip_ = nullptr;
};

}  // namespace morvex::win32
