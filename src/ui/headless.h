// The headless backend: controls kept in memory, behaving like their Win32
// counterparts where the program depends on it (a list box's selection and
// focus mark after removals, the case-insensitive exact search, a combo box's
// edit text after its selection changes). Tests drive it through the same
// backend entries that the Win32 backend uses for real input. The Win32
// backend keeps the controls of a closed roll-up panel in such peers until
// the panel first opens.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace morvex::ui {

class HeadlessPeer : public Peer {
 public:
  // `focus` is the backend's one place of the focus; without it the peer
  // never has the focus.
  explicit HeadlessPeer(const ControlDef& def, HeadlessPeer** focus = nullptr);
  ~HeadlessPeer() override;

  void SetText(const std::string& text) override { text_ = text; }
  std::string Text() const override { return text_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  bool HasFocus() const override { return focus_ && *focus_ == this; }
  void SetFocus() override {
    if (focus_) *focus_ = this;
  }
  void SetCheck(int value) override { check_ = value; }
  int Check() const override { return check_; }
  void SetLocked(bool locked) override { locked_ = locked; }
  bool Locked() const override { return locked_; }

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int position) const override;
  void AddItem(const std::string& text) override;
  void RemoveItem(int position) override;
  void ClearItems() override;
  int CurSel() const override { return curSel_; }
  void SetCurSel(int position) override;
  bool Selected(int position) const override;
  void SetSelected(int position, bool selected) override;
  int Caret() const override { return caret_; }
  int FindExact(const std::string& text) const override;

  void SetTimer(bool enabled, int intervalMs) override {
    timerEnabled_ = enabled;
    timerInterval_ = intervalMs;
  }
  void SetOpened(bool opened) override { opened_ = opened; }
  bool Opened() const override { return opened_; }
  void Play(const std::string& path) override { played.push_back(path); }

  // Test entries: what a user's click on an entry does to the list.
  void UserSelect(int position, bool ctrl);
  bool TimerScheduled() const { return timerEnabled_ && timerInterval_ > 0; }

  std::vector<std::string> played;

 private:
  bool isCombo_;
  bool multi_;
  std::string text_;
  bool enabled_;
  bool visible_;
  int check_;
  bool locked_ = false;
  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int curSel_ = -1;
  int caret_ = -1;
  bool timerEnabled_ = false;
  int timerInterval_ = 0;
  bool opened_;
  HeadlessPeer** focus_;
};

class HeadlessWindowPeer : public WindowPeer {
 public:
  explicit HeadlessWindowPeer(const WindowDef& def) : caption_(def.caption) {}
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  std::string Caption() const override { return caption_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void Destroy() override { destroyed = true; }
  bool PointerOverWindow() const override { return pointerOver; }
  void SetForeground() override { ++foregroundCalls; }
  void PopupMenu(const WindowPeer&, int menu, int defaultItem) override {
    popups.push_back({menu, defaultItem});
    if (onPopup) onPopup();
  }
  std::uintptr_t IconHandle() const override { return iconHandle; }

  bool pointerOver = false;
  bool destroyed = false;
  int foregroundCalls = 0;
  std::uintptr_t iconHandle = 0;
  struct Popup {
    int menu;
    int defaultItem;
  };
  std::vector<Popup> popups;
  // Runs while the popup is "open", so a test can choose an item.
  std::function<void()> onPopup;

 private:
  std::string caption_;
  bool visible_ = false;
};

class HeadlessBackend : public Backend {
 public:
  // An urgent event closes the open popup menu: counted here, as the
  // headless popup returns when its test's choice has run.
  HeadlessBackend() {
    Events().onUrgent = [this] { ++menusClosed; };
  }
  int menusClosed = 0;
  std::unique_ptr<WindowPeer> CreateWindowPeer(Window& window) override;
  std::unique_ptr<Peer> CreatePeer(Window& window, Control& control) override;

  static HeadlessPeer& PeerOf(const Control& control);
  static HeadlessWindowPeer& PeerOf(const Window& window);

 private:
  HeadlessPeer* focus_ = nullptr;
};

}  // namespace morvex::ui
