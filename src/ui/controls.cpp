#include "ui/controls.h"

#include <stdexcept>
#include <utility>

#include "ui/startup_trace.h"

namespace morvex::ui {

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Label: return "Label";
    case Kind::Frame: return "Frame";
    case Kind::Button: return "Button";
    case Kind::XpButton: return "XpButton";
    case Kind::CheckBox: return "CheckBox";
    case Kind::OptionButton: return "OptionButton";
    case Kind::ComboBox: return "ComboBox";
    case Kind::ListBox: return "ListBox";
    case Kind::TextBox: return "TextBox";
    case Kind::Timer: return "Timer";
    case Kind::MenuItem: return "MenuItem";
    case Kind::RollUp: return "RollUp";
    case Kind::MediaPlayer: return "MediaPlayer";
  }
  return "?";
}

std::string ControlKey(const std::string& name, int index) {
  return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

int TwipsToPixels(int twips, int dpi) {
  // Rounded to the nearest pixel, halves away from zero.
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

Control::Control(Window& window, const ControlDef& def, int position)
    : window_(window), def_(def), position_(position) {}

void Control::UserClicked() {
  Deliver([this] { ApplyUserClick(); });
}

void Control::Deliver(std::function<void()> event, const void* key, bool urgent) {
  window_.Events().Deliver(window_, std::move(event), key, urgent);
}

void CheckBox::SetValue(int value) {
  if (value == Value()) return;
  peer().SetCheck(value);
  RaiseClick();
}

void OptionButton::SetValue(bool selected) {
  if (selected == Value()) return;
  if (!selected) {
    peer().SetCheck(0);
    return;
  }
  for (const auto& other : Owner().Controls()) {
    if (other.get() != this && other->GetKind() == Kind::OptionButton &&
        other->Def().parent == Def().parent) {
      other->peer().SetCheck(0);
    }
  }
  peer().SetCheck(1);
  RaiseClick();
}

int ListBox::ListIndex() const {
  if (!MultiSelect()) return peer().CurSel();
  return SelCount() == 0 ? -1 : peer().Caret();
}

void ListBox::SetListIndex(int position) {
  if (position == ListIndex()) return;
  if (MultiSelect()) {
    for (int i = 0; i < ListCount(); ++i) peer().SetSelected(i, i == position);
  } else {
    peer().SetCurSel(position);
  }
  RaiseClick();
}

bool ListBox::Selected(int position) const {
  if (!MultiSelect()) return position >= 0 && peer().CurSel() == position;
  return peer().Selected(position);
}

void ListBox::SetSelected(int position, bool selected) {
  if (MultiSelect()) {
    peer().SetSelected(position, selected);
  } else if (selected) {
    peer().SetCurSel(position);
  } else if (peer().CurSel() == position) {
    peer().SetCurSel(-1);
  }
}

int ListBox::SelCount() const {
  int n = 0;
  for (int i = 0; i < ListCount(); ++i) n += Selected(i) ? 1 : 0;
  return n;
}

std::string ListBox::Text() const {
  const int i = MultiSelect() ? peer().Caret() : peer().CurSel();
  return i >= 0 && i < ListCount() ? peer().Item(i) : std::string();
}

void ListBox::AddItems(const std::vector<std::string>& items) {
  peer().SetRedraw(false);
  for (const auto& item : items) peer().AddItem(item);
  peer().SetRedraw(true);
}

void ComboBox::UserChanged() {
  Deliver([this] {
    if (onChange) onChange();
  });
}

void ComboBox::SetListIndex(int position) {
  if (position == ListIndex()) return;
  if (position < 0) {
    const std::string text = Text();
    peer().SetCurSel(-1);
    peer().SetText(text);
  } else {
    peer().SetCurSel(position);
  }
  RaiseClick();
}

Timer::Timer(Window& window, const ControlDef& def, int position)
    : Control(window, def, position), enabled_(def.enabled), interval_(def.interval) {}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  peer().SetTimer(enabled_, interval_);
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  peer().SetTimer(enabled_, interval_);
}

void Timer::Fire() {
  const bool urgent = enabled_ && Owner().Events().HandlerRunning() && urgentWhen && urgentWhen();
  Deliver(
      [this] {
        if (enabled_ && interval_ > 0 && onTimer) onTimer();
      },
      this, urgent);
}

void MediaPlayer::SetCommand(const std::string& command) {
  if (command == "Sound") peer().Play(fileName_);
}

namespace {

std::unique_ptr<Control> MakeControl(Window& window, const ControlDef& def, int position) {
  switch (def.kind) {
    case Kind::Label: return std::make_unique<Label>(window, def, position);
    case Kind::Frame: return std::make_unique<Frame>(window, def, position);
    case Kind::Button:
    case Kind::XpButton: return std::make_unique<Button>(window, def, position);
    case Kind::MenuItem: return std::make_unique<MenuItem>(window, def, position);
    case Kind::TextBox: return std::make_unique<TextBox>(window, def, position);
    case Kind::CheckBox: return std::make_unique<CheckBox>(window, def, position);
    case Kind::OptionButton: return std::make_unique<OptionButton>(window, def, position);
    case Kind::ListBox: return std::make_unique<ListBox>(window, def, position);
    case Kind::ComboBox: return std::make_unique<ComboBox>(window, def, position);
    case Kind::Timer: return std::make_unique<Timer>(window, def, position);
    case Kind::RollUp: return std::make_unique<RollUp>(window, def, position);
    case Kind::MediaPlayer: return std::make_unique<MediaPlayer>(window, def, position);
  }
  throw std::invalid_argument("unknown kind of control: " + def.name);
}

}  // namespace

Window::Window(const WindowDef& def, Backend& backend) : def_(def), backend_(backend) {
  int position = 0;
  for (const auto& cdef : def_.controls) {
    controls_.push_back(MakeControl(*this, cdef, position++));
    byKey_[ControlKey(cdef.name, cdef.index)] = controls_.back().get();
  }
  peer_ = backend_.CreateWindowPeer(*this);
  MORVEX_STARTUP_STEP(def_.name + ": window created");
  for (auto& control : controls_) control->AttachPeer(backend_.CreatePeer(*this, *control));
  MORVEX_STARTUP_STEP(def_.name + ": " + std::to_string(controls_.size()) + " controls created");
  backend_.WindowBuilt(*this);
  MORVEX_STARTUP_STEP(def_.name + ": placed and laid out (fonts, captions fitted)");
}

Window::~Window() {
  backend_.Events().Forget(*this);
  backend_.WindowDestroyed(*this);
  // The window's peer goes first: destroying the native window also destroys
  // the native controls, whose peers then only forget their handles.
  peer_.reset();
  controls_.clear();
}

Control& Window::Find(const std::string& name, int index) const {
  const auto it = byKey_.find(ControlKey(name, index));
  if (it == byKey_.end()) throw std::out_of_range("no control " + ControlKey(name, index) + " in " + def_.name);
  return *it->second;
}

void Window::WrongKind(const Control& control) const {
  throw std::invalid_argument(ControlKey(control.Name(), control.Index()) + " in " + def_.name + " is a " +
                              KindName(control.GetKind()));
}

EventQueue& Window::Events() const { return backend_.Events(); }

void Window::RequestClose() {
  Events().Deliver(*this, [this] { RunCloseRequest(); });
}

void Window::SessionEnding() {
  if (!onSessionEnd) return;
  if (Events().HandlerRunning()) {
    onSessionEnd(true);
  } else {
    Events().Run([this] { onSessionEnd(false); });
  }
}

void Window::ShellRestarted() {
  Events().Deliver(*this, [this] {
    if (onShellRestarted) onShellRestarted();
  });
}

void Window::IconsChanged() {
  Events().Deliver(*this, [this] {
    if (onIconsChanged) onIconsChanged();
  });
}

void Window::MouseMoved(int button, int shift, int x, int y) {
  Events().Deliver(*this, [this, button, shift, x, y] {
    if (onMouseMove) onMouseMove(button, shift, x, y);
  });
}

void Window::ShowRequested() {
  Events().Deliver(*this, [this] {
    if (onShowRequest) onShowRequest();
  });
}

void Window::ClockChanged() {
  Events().Deliver(*this, [this] {
    if (onClockChanged) onClockChanged();
  });
}

Control* Window::FindById(int id) const {
  const int position = id - kFirstControlId;
  if (position < 0 || position >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<std::size_t>(position)].get();
}

}  // namespace morvex::ui
