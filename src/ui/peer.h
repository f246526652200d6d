// The primitives a backend provides for one control. The controls' semantics
// (which event a change raises, what a combo box keeps, how option buttons
// exclude each other) live once in controls.cpp, over these primitives.
//
// A backend keeps the state: the headless backend in memory, the Win32 backend
// in the real windows. Nothing here is cached beside it.
#pragma once

#include <cstdint>
#include <string>

namespace morvex::ui {

class Peer {
 public:
  virtual ~Peer() = default;

  // Caption of a label, frame, button, check box, option button, menu item or
  // roll-up header; text of a text box; edit text of a combo box.
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;

  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // The control's own visibility flag (not whether its container shows).
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;

  // The keyboard focus of the control's window.
  virtual bool HasFocus() const { return false; }
  virtual void SetFocus() {}

  // Check box 0/1/2, option button 0/1.
  virtual void SetCheck(int) {}
  virtual int Check() const { return 0; }

  // Text box: read-only while locked.
  virtual void SetLocked(bool) {}
  virtual bool Locked() const { return false; }

  // List box and combo box entries.
  virtual int Count() const { return 0; }
  virtual std::string Item(int) const { return {}; }
  virtual void AddItem(const std::string&) {}
  virtual void RemoveItem(int) {}
  virtual void ClearItems() {}
  // Single-selection list box and combo box: the selected position, -1 for none.
  // A combo box's edit text follows: the item's text, or empty for -1.
  virtual int CurSel() const { return -1; }
  virtual void SetCurSel(int) {}
  // Extended-selection list box.
  virtual bool Selected(int) const { return false; }
  virtual void SetSelected(int, bool) {}
  // The entry with the focus mark.
  virtual int Caret() const { return -1; }
  // First entry equal to the text with letter case ignored; -1 for none,
  // -2 when the lookup itself fails.
  virtual int FindExact(const std::string&) const { return -1; }
  // Suspends redrawing while a list is filled.
  virtual void SetRedraw(bool) {}

  // Timer.
  virtual void SetTimer(bool /*enabled*/, int /*intervalMs*/) {}

  // Roll-up panel.
  virtual void SetOpened(bool) {}
  virtual bool Opened() const { return false; }

  // Media player: starts playing the wave file, failures ignored.
  virtual void Play(const std::string&) {}
};

// The primitives of a top-level window.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  // Destroys the window; no event is raised.
  virtual void Destroy() = 0;
  // Whether the pointer is now over this window or one of its controls.
  virtual bool PointerOverWindow() const { return false; }
  // Brings the window to the foreground.
  virtual void SetForeground() {}
  // Opens a menu of another window (the menu at position `menu` of that
  // window's declaration order) as a popup owned by this window, at the
  // pointer, with the item at `defaultItem` drawn as the default. Returns when
  // the menu has closed; a chosen item raises its click on the menu's window.
  virtual void PopupMenu(const WindowPeer& /*menuWindow*/, int /*menu*/, int /*defaultItem*/) {}
  // The handle of the window's small icon at the size the notification area
  // shows at the window's DPI (0 in the headless backend).
  virtual std::uintptr_t IconHandle() const { return 0; }
  // Opaque native handle, for services that need it (0 in the headless backend).
  virtual std::uintptr_t Handle() const { return 0; }
};

}  // namespace morvex::ui
