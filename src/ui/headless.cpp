#include "ui/headless.h"

#include "ui/fold_case.h"

namespace morvex::ui {

HeadlessPeer::HeadlessPeer(const ControlDef& def, HeadlessPeer** focus)
    : isCombo_(def.kind == Kind::ComboBox),
      multi_(def.multiSelect),
      text_(def.caption),
      enabled_(def.enabled),
      visible_(def.visible),
      check_(def.value ? 1 : 0),
      opened_(def.value),
      focus_(focus) {}

HeadlessPeer::~HeadlessPeer() {
  if (HasFocus()) *focus_ = nullptr;
}

std::string HeadlessPeer::Item(int position) const {
  if (position < 0 || position >= Count()) return {};
  return items_[static_cast<std::size_t>(position)];
}

void HeadlessPeer::AddItem(const std::string& text) {
  items_.push_back(text);
  selected_.push_back(false);
  if (!isCombo_ && caret_ < 0) caret_ = 0;
}

void HeadlessPeer::RemoveItem(int position) {
  if (position < 0 || position >= Count()) return;
  items_.erase(items_.begin() + position);
  selected_.erase(selected_.begin() + position);
  if (curSel_ == position) {
    curSel_ = -1;
  } else if (curSel_ > position) {
    --curSel_;
  }
  if (caret_ > position) --caret_;
  if (caret_ >= Count()) caret_ = Count() - 1;
}

void HeadlessPeer::ClearItems() {
  items_.clear();
  selected_.clear();
  curSel_ = -1;
  caret_ = -1;
  if (isCombo_) text_.clear();
}

void HeadlessPeer::SetCurSel(int position) {
  curSel_ = position >= 0 && position < Count() ? position : -1;
  if (curSel_ >= 0) caret_ = curSel_;
  if (isCombo_) text_ = curSel_ >= 0 ? items_[static_cast<std::size_t>(curSel_)] : std::string();
}

bool HeadlessPeer::Selected(int position) const {
  if (position < 0 || position >= Count()) return false;
  return multi_ ? static_cast<bool>(selected_[static_cast<std::size_t>(position)]) : curSel_ == position;
}

void HeadlessPeer::SetSelected(int position, bool selected) {
  if (position < 0 || position >= Count()) return;
  selected_[static_cast<std::size_t>(position)] = selected;
}

int HeadlessPeer::FindExact(const std::string& text) const {
  const std::string folded = FoldCase(text);
  for (int i = 0; i < Count(); ++i) {
    if (FoldCase(items_[static_cast<std::size_t>(i)]) == folded) return i;
  }
  return -1;
}

void HeadlessPeer::UserSelect(int position, bool ctrl) {
  if (position < 0 || position >= Count()) return;
  if (!multi_) {
    SetCurSel(position);
  } else if (ctrl) {
    selected_[static_cast<std::size_t>(position)] = !selected_[static_cast<std::size_t>(position)];
  } else {
    for (std::size_t i = 0; i < selected_.size(); ++i) selected_[i] = static_cast<int>(i) == position;
  }
  caret_ = position;
}

std::unique_ptr<WindowPeer> HeadlessBackend::CreateWindowPeer(Window& window) {
  return std::make_unique<HeadlessWindowPeer>(window.Def());
}

std::unique_ptr<Peer> HeadlessBackend::CreatePeer(Window&, Control& control) {
  auto peer = std::make_unique<HeadlessPeer>(control.Def(), &focus_);
  if (control.GetKind() == Kind::Timer) {
    peer->SetTimer(control.Def().enabled, control.Def().interval);
  }
  return peer;
}

HeadlessPeer& HeadlessBackend::PeerOf(const Control& control) {
  return static_cast<HeadlessPeer&>(control.peer());
}

HeadlessWindowPeer& HeadlessBackend::PeerOf(const Window& window) {
  return static_cast<HeadlessWindowPeer&>(window.peer());
}

}  // namespace morvex::ui
