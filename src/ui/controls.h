// The control toolkit: one class per kind of control, each a thin layer of
// semantics over its backend's Peer.
//
// Events. A user's action reaches the control through the backend
// (UserClicked, UserChanged, Fire, and the window's RequestClose, MouseMoved,
// ShellRestarted, ShowRequested, SessionEnding); these go through the
// backend's event queue (ui/events.h), so that handlers never interleave. A
// programmatic change of a selection or value raises the same event the
// user's change would (Win32 sends no notification for these, so the toolkit
// raises them itself), but only when the value actually changes; it runs at
// once, inside the handler that made the change, as do the program's own
// Click and RunCloseRequest.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/control_def.h"
#include "ui/events.h"
#include "ui/peer.h"

namespace morvex::ui {

class Window;

class Control {
 public:
  Control(Window& window, const ControlDef& def, int position);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDef& Def() const { return def_; }
  const std::string& Name() const { return def_.name; }
  int Index() const { return def_.index; }
  Kind GetKind() const { return def_.kind; }
  int Position() const { return position_; }
  int Id() const { return kFirstControlId + position_; }
  Window& Owner() const { return window_; }

  void SetEnabled(bool enabled) { peer().SetEnabled(enabled); }
  bool Enabled() const { return peer().Enabled(); }
  void SetVisible(bool visible) { peer().SetVisible(visible); }
  bool Visible() const { return peer().Visible(); }
  void SetCaption(const std::string& text) { peer().SetText(text); }
  std::string Caption() const { return peer().Text(); }
  bool HasFocus() const { return peer().HasFocus(); }
  void SetFocus() { peer().SetFocus(); }

  // Raised on a click: buttons, menu items, labels, check boxes, option
  // buttons (when selected), list and combo boxes (when the selection changes).
  std::function<void()> onClick;

  // Backend entry: the user clicked or picked something.
  void UserClicked();
  // The program's own call of the click reaction: runs it now, as part of
  // the running handler.
  void Click() { RaiseClick(); }

  void AttachPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
  Peer& peer() const { return *peer_; }

 protected:
  void RaiseClick() {
    if (onClick) onClick();
  }
  // What the user's click does: raises the click; a check box, an option
  // button and a roll-up panel change their state first.
  virtual void ApplyUserClick() { RaiseClick(); }
  // Delivers an event of this control through the event queue.
  void Deliver(std::function<void()> event, const void* key = nullptr, bool urgent = false);

 private:
  Window& window_;
  const ControlDef& def_;
  int position_;
  std::unique_ptr<Peer> peer_;
};

// The kinds without behaviour of their own are types of their own all the
// same, so that asking for one kind by the name of another fails.
class Label : public Control {
 public:
  using Control::Control;
};

class Frame : public Control {
 public:
  using Control::Control;
};

// Command buttons and xp buttons.
class Button : public Control {
 public:
  using Control::Control;
};

class MenuItem : public Control {
 public:
  using Control::Control;
};

class TextBox : public Control {
 public:
  using Control::Control;
  void SetText(const std::string& text) { peer().SetText(text); }
  std::string Text() const { return peer().Text(); }
  void SetLocked(bool locked) { peer().SetLocked(locked); }
  bool Locked() const { return peer().Locked(); }
};

class CheckBox : public Control {
 public:
  using Control::Control;
  // 0 unchecked, 1 checked, 2 greyed. Raises a click when the value changes.
  void SetValue(int value);
  int Value() const { return peer().Check(); }

 protected:
  // The user's click checks an unchecked box and unchecks any other.
  void ApplyUserClick() override { SetValue(Value() == 0 ? 1 : 0); }
};

class OptionButton : public Control {
 public:
  using Control::Control;
  // Selecting one clears the other option buttons of the same container and
  // raises a click when it was not selected before; deselecting raises nothing.
  void SetValue(bool selected);
  bool Value() const { return peer().Check() != 0; }

 protected:
  void ApplyUserClick() override { SetValue(true); }
};

// Shared by list boxes and combo boxes.
class ListControl : public Control {
 public:
  using Control::Control;
  // The selected position, -1 for none. Setting it raises a click when it
  // changes.
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int position) = 0;
  int ListCount() const { return peer().Count(); }
  std::string List(int position) const { return peer().Item(position); }
  void AddItem(const std::string& text) { peer().AddItem(text); }
  void RemoveItem(int position) { peer().RemoveItem(position); }
  void Clear() { peer().ClearItems(); }
};

class ListBox : public ListControl {
 public:
  using ListControl::ListControl;
  bool MultiSelect() const { return Def().multiSelect; }
  // The selected position (single selection) or, while any entry is selected,
  // the focus mark (extended selection); -1 for none. Setting it raises a
  // click when it changes.
  int ListIndex() const override;
  void SetListIndex(int position) override;
  bool Selected(int position) const;
  void SetSelected(int position, bool selected);
  int SelCount() const;
  // The text of the selected entry (single selection); empty for none.
  std::string Text() const;
  int FindExact(const std::string& text) const { return peer().FindExact(text); }
  // Appends the entries at the end without redrawing in between.
  void AddItems(const std::vector<std::string>& items);
};

class ComboBox : public ListControl {
 public:
  using ListControl::ListControl;
  int ListIndex() const override { return peer().CurSel(); }
  // Selecting an entry puts its text into the edit field and raises a click
  // when the selection changes. Clearing the selection (-1) keeps the text.
  void SetListIndex(int position) override;
  void SetText(const std::string& text) { peer().SetText(text); }
  std::string Text() const { return peer().Text(); }
  // Raised when the user types into the edit field (no click).
  std::function<void()> onChange;
  // Backend entry: the user typed.
  void UserChanged();
};

class Timer : public Control {
 public:
  Timer(Window& window, const ControlDef& def, int position);
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetInterval(int ms);
  int Interval() const { return interval_; }
  std::function<void()> onTimer;
  // Backend entry: one timer event; ignored while disabled or with interval 0
  // when it is raised. Held events of one timer come as one.
  void Fire();
  // Asked when an event of the timer arrives while a handler runs: true when
  // it must not wait behind that handler's menu (EventQueue's urgent event).
  std::function<bool()> urgentWhen;

 private:
  // A timer has no window of its own; its state lives here and the peer
  // only schedules the events.
  bool enabled_;
  int interval_;
};

class RollUp : public Control {
 public:
  using Control::Control;
  void SetOpened(bool opened) { peer().SetOpened(opened); }
  bool Opened() const { return peer().Opened(); }

 protected:
  // The user clicked the header: toggles the panel.
  void ApplyUserClick() override { SetOpened(!Opened()); }
};

class MediaPlayer : public Control {
 public:
  using Control::Control;
  // The three assignments that start a sound: file name, a flag, the command.
  void SetFileName(const std::string& path) { fileName_ = path; }
  void SetWait(bool wait) { wait_ = wait; }
  void SetCommand(const std::string& command);
  const std::string& FileName() const { return fileName_; }
  bool Wait() const { return wait_; }

 private:
  // Properties of the player that only stand between the assignments.
  std::string fileName_;
  bool wait_ = false;
};

class Backend;

// A top-level window built from its table.
class Window {
 public:
  Window(const WindowDef& def, Backend& backend);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const WindowDef& Def() const { return def_; }
  const std::string& Name() const { return def_.name; }
  Backend& GetBackend() const { return backend_; }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // The control of that name (and index, for a control array); throws
  // std::out_of_range for an unknown name.
  Control& Find(const std::string& name, int index = -1) const;
  // The same, as the class of its kind; throws std::invalid_argument when the
  // control is of another kind.
  template <class T>
  T& Get(const std::string& name, int index = -1) const {
    Control& control = Find(name, index);
    if (T* typed = dynamic_cast<T*>(&control)) return *typed;
    WrongKind(control);
  }
  // The control with the given command ID, or nullptr.
  Control* FindById(int id) const;

  void SetCaption(const std::string& caption) { peer().SetCaption(caption); }
  std::string Caption() const { return peer().Caption(); }
  void Show() { peer().SetVisible(true); }
  void Hide() { peer().SetVisible(false); }
  bool Visible() const { return peer().Visible(); }

  // Raised when something asks the window to close (the user, another
  // program, the program itself). The handler decides what happens.
  std::function<void()> onCloseRequest;
  // Raised when the session ends (log-off, shut-down). It cannot wait: the
  // system ends the process once it has been told, so it is raised at once,
  // also while a handler runs, and learns whether one does.
  std::function<void(bool handlerRunning)> onSessionEnd;
  // Raised when the shell's taskbar has been created anew (Explorer restarted).
  std::function<void()> onShellRestarted;
  // Raised when the window's icons have been loaded again at a new DPI.
  std::function<void()> onIconsChanged;
  // Raised with button state, shift state and the pointer position in
  // pixels; also how the tray icon's notifications arrive (the mouse message
  // in place of x).
  std::function<void(int button, int shift, int x, int y)> onMouseMove;
  // Raised when a later start of the program asks this one to show its window.
  std::function<void()> onShowRequest;
  // Raised when the system's clock has been set or its time zone changed.
  std::function<void()> onClockChanged;

  // Backend entries.
  void RequestClose();
  void SessionEnding();
  void ShellRestarted();
  void IconsChanged();
  void MouseMoved(int button, int shift, int x, int y);
  void ShowRequested();
  void ClockChanged();

  // The program's own close request: runs it now, as part of the running
  // handler.
  void RunCloseRequest() {
    if (onCloseRequest) onCloseRequest();
  }

  EventQueue& Events() const;

  WindowPeer& peer() const { return *peer_; }

 private:
  [[noreturn]] void WrongKind(const Control& control) const;

  const WindowDef& def_;
  Backend& backend_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unordered_map<std::string, Control*> byKey_;
  std::unique_ptr<WindowPeer> peer_;
};

// Makes the peers of a window and its controls.
class Backend {
 public:
  virtual ~Backend() = default;
  // Creates the native window and every control of the table, hidden.
  virtual std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) = 0;
  virtual std::unique_ptr<Peer> CreatePeer(Window& window, Control& control) = 0;
  // Called once all peers exist.
  virtual void WindowBuilt(Window&) {}
  // Called before a window is destroyed.
  virtual void WindowDestroyed(Window&) {}

  // The one queue through which every event of the program's windows comes.
  EventQueue& Events() { return events_; }

 private:
  EventQueue events_;
};

}  // namespace morvex::ui
