#include "ui/events.h"

#include <algorithm>
#include <utility>

namespace morvex::ui {

void EventQueue::Deliver(const Window& window, std::function<void()> event, const void* key) {
  if (running_) {
    const bool alreadyHeld =
        key && std::any_of(held_.begin(), held_.end(), [key](const Held& h) { return h.key == key; });
    if (!alreadyHeld) held_.push_back({&window, key, std::move(event)});
    return;
  }
  Run(event);
}

void EventQueue::Run(const std::function<void()>& handler) {
  if (running_) {
    handler();
    return;
  }
  RunOne(handler);
  while (!held_.empty()) {
    const std::function<void()> next = std::move(held_.front().event);
    held_.pop_front();
    RunOne(next);
  }
}

void EventQueue::RunOne(const std::function<void()>& handler) {
  // Reset also when the handler leaves by an exception.
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(running_);
  handler();
}

void EventQueue::Forget(const Window& window) {
  held_.erase(std::remove_if(held_.begin(), held_.end(), [&window](const Held& h) { return h.window == &window; }),
              held_.end());
}

}  // namespace morvex::ui
