#include "ui/events.h"

#include <algorithm>
#include <utility>

namespace morvex::ui {

namespace {

// Sets a flag for a scope and puts back what it was, also when the scope is
// left by an exception.
struct Raised {
  bool& flag;
  bool was;
  explicit Raised(bool& f) : flag(f), was(f) { flag = true; }
  ~Raised() { flag = was; }
};

}  // namespace

void EventQueue::Deliver(const Window& window, std::function<void()> event, const void* key, bool urgent) {
  if (!running_) {
    Run(event);
    return;
  }
  const auto same = std::find_if(held_.begin(), held_.end(), [key](const Held& h) { return key && h.key == key; });
  if (same != held_.end()) {
    if (!urgent || same->urgent) return;
    held_.erase(same);
  }
  if (urgent) {
    // After the urgent ones already held, before every other.
    const auto place = std::find_if(held_.begin(), held_.end(), [](const Held& h) { return !h.urgent; });
    held_.insert(place, {&window, key, true, std::move(event)});
    if (onUrgent) onUrgent();
    return;
  }
  held_.push_back({&window, key, false, std::move(event)});
}

void EventQueue::Run(const std::function<void()>& handler) {
  if (running_) {
    handler();
    return;
  }
  RunOne(handler);
  Drain();
}

void EventQueue::RunOne(const std::function<void()>& handler) {
  Raised running(running_);
  handler();
}

void EventQueue::Drain() {
  for (;;) {
    if (!held_.empty()) {
      const std::function<void()> next = std::move(held_.front().event);
      held_.pop_front();
      RunOne(next);
    } else if (!notices_.empty() && !noticeOpen_) {
      ShowOne();
    } else {
      return;
    }
  }
}

void EventQueue::ShowOne() {
  const std::function<void()> notice = std::move(notices_.front());
  notices_.pop_front();
  Raised open(noticeOpen_);
  notice();
}

void EventQueue::AfterHandlers(std::function<void()> notice) {
  notices_.push_back(std::move(notice));
  if (!running_) Drain();
}

void EventQueue::ShowNoticesNow() {
  while (!notices_.empty()) ShowOne();
}

void EventQueue::Forget(const Window& window) {
  held_.erase(std::remove_if(held_.begin(), held_.end(), [&window](const Held& h) { return h.window == &window; }),
              held_.end());
}

}  // namespace morvex::ui
