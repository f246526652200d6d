#include "ui/headless.h"

namespace morvex::ui {

namespace {

// Decodes one UTF-8 sequence at text[i]; returns the code point and advances i.
// Malformed bytes come back as themselves.
char32_t NextCodePoint(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size() && (byte(i + 1) & 0xC0) == 0x80) {
    const char32_t cp = ((b0 & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
    i += 2;
    return cp;
  }
  ++i;
  return b0;
}

// Letter case folded as Win32 compares list entries: ASCII and the Latin-1
// letters of UTF-8 text (so "Ä" equals "ä").
std::string FoldCase(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t start = i;
    char32_t cp = NextCodePoint(utf8, i);
    if (cp >= 'A' && cp <= 'Z') {
      out += static_cast<char>(cp - 'A' + 'a');
    } else if (i - start == 2 && ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))) {
      cp += 0x20;  // Latin-1 capitals fold onto their small letters
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out.append(utf8, start, i - start);
    }
  }
  return out;
}

}  // namespace

HeadlessPeer::HeadlessPeer(const ControlDef& def)
    : isCombo_(def.kind == Kind::ComboBox),
      multi_(def.multiSelect),
      text_(def.caption),
      enabled_(def.enabled),
      visible_(def.visible),
      check_(def.value ? 1 : 0),
      opened_(def.value) {}

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
  auto peer = std::make_unique<HeadlessPeer>(control.Def());
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
