// The peers of a form's controls: the toolkit's primitives over the real
// windows (LISTBOX, COMBOBOX, EDIT, BUTTON, STATIC and the roll-up panel),
// the menus, timers and the sound player.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/controls.h"
#include "win32/gdi_cache.h"
#include "win32/handles.h"
#include "win32/window_record.h"

namespace morvex::win32 {

// A control that is a window of its own; its window goes with it. What every
// such window does (text, enabled, visible, focus, its caption's font) is
// here; a label, a frame and a command button do no more.
class ControlPeer : public ui::Peer {
 public:
  ControlPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi);
  HWND Handle() const { return hwnd_.get(); }

  void SetText(const std::string& text) override;
  std::string Text() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetVisible(bool visible) override;
  bool Visible() const override;
  bool HasFocus() const override;
  void SetFocus() override;

  // Gives a caption the font it fits its control in at the DPI; measured
  // again only when the text or the DPI has changed.
  void FitCaption(const std::wstring& text, int dpi);

 protected:
  LRESULT Send(UINT message, WPARAM wp, LPARAM lp) const { return SendMessageW(Handle(), message, wp, lp); }

 private:
  UniqueWindow hwnd_;
  const ui::ControlDef& def_;
  GdiCache& gdi_;
  std::wstring fittedText_;
  int fittedDpi_ = 0;
};

// The peer of the control's kind for its window (all kinds but the roll-up
// panel, the menus, timers and the sound player).
std::unique_ptr<ControlPeer> MakeControlPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi);

// A check box or an option button: a button with a check mark.
class CheckButtonPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void SetCheck(int value) override;
  int Check() const override;
};

// A text box (EDIT).
class EditPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void SetLocked(bool locked) override;
  bool Locked() const override;
};

// The messages of the entries of a list: a list box's or a combo box's.
struct ItemMessages {
  UINT count, textLength, text, add, remove, reset, curSel, setCurSel;
};

// The entries and the single selection of a list box or a combo box, through
// the messages of its kind.
class ItemsPeer : public ControlPeer {
 public:
  ItemsPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi, const ItemMessages& messages)
      : ControlPeer(hwnd, def, gdi), messages_(messages) {}

  int Count() const override;
  std::string Item(int position) const override;
  void AddItem(const std::string& text) override;
  void RemoveItem(int position) override;
  void ClearItems() override;
  int CurSel() const override;
  void SetCurSel(int position) override;

 private:
  int SendInt(UINT message, WPARAM wp, LPARAM lp) const;

  const ItemMessages& messages_;
};

// A list box (LISTBOX): also the extended selection, the focus mark, the
// exact search and the redraw while it is filled.
class ListBoxPeer : public ItemsPeer {
 public:
  ListBoxPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi);
  bool Selected(int position) const override;
  void SetSelected(int position, bool selected) override;
  int Caret() const override;
  int FindExact(const std::string& text) const override;
  void SetRedraw(bool redraw) override;
};

// A combo box (COMBOBOX): its entries; its text is its edit field's.
class ComboBoxPeer : public ItemsPeer {
 public:
  ComboBoxPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi);
};

// The roll-up panel: a window of our own class (PanelProc) whose header
// toggles it; opened, it is laid out at its open height.
class RollUpPeer : public ControlPeer {
 public:
  RollUpPeer(HWND hwnd, ui::Control& control, ui::Window& window, Win32Backend& backend);
  ~RollUpPeer() override;

  void SetOpened(bool opened) override;
  bool Opened() const override { return opened_; }

  // The header's font, kept as a standard control keeps its own.
  HFONT HeaderFont() const { return headerFont_; }
  void SetHeaderFont(HFONT font) { headerFont_ = font; }

 private:
  WindowRecord record_;
  bool opened_;
  HFONT headerFont_ = nullptr;
};

// Menu items: a top-level menu owns a popup; its items are entries of it.
class MenuPeer : public ui::Peer {
 public:
  MenuPeer(HMENU parent, UINT id, const ui::ControlDef& def);
  HMENU Popup() const { return popup_.get(); }

  void SetText(const std::string& text) override;
  std::string Text() const override { return text_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  // Both top-level menus are hidden: the window has no menu bar.
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }

 private:
  HMENU parent_;
  UniqueMenu popup_;
  UINT id_;
  std::string text_;
  bool visible_;
  bool enabled_;
};

// A control that is no window: no text, always enabled, never seen.
class WindowlessPeer : public ui::Peer {
 public:
  void SetText(const std::string&) override {}
  std::string Text() const override { return {}; }
  void SetEnabled(bool) override {}
  bool Enabled() const override { return true; }
  void SetVisible(bool) override {}
  bool Visible() const override { return false; }
};

// A timer of the form; its ticks arrive as WM_TIMER with the control's ID.
class TimerPeer : public WindowlessPeer {
 public:
  TimerPeer(HWND form, UINT id) : form_(form), id_(id) {}
  ~TimerPeer() override;
  void SetTimer(bool enabled, int intervalMs) override;

 private:
  HWND form_;
  UINT id_;
};

class MediaPeer : public WindowlessPeer {
 public:
  // Asynchronous; a missing file or a failed playback is ignored.
  void Play(const std::string& path) override;
};

}  // namespace morvex::win32
