// One event at a time. Every event that reaches the program from outside (a
// click, a timer tick, a close request, a notification of the tray icon) is
// delivered through the event queue of the program's backend. While a handler
// runs, the events that arrive are held and raised in arrival order once it
// has ended: a message box, a popup menu or a wait on a COM call runs a
// message loop of its own inside the handler, and without the queue an event
// from that loop would run in the middle of the handler.
#pragma once

#include <deque>
#include <functional>

namespace morvex::ui {

class Window;

class EventQueue {
 public:
  // Raises `event` as a handler of its own when no handler runs; otherwise
  // holds it. An event with a `key` is held once: a further one with the same
  // key while the first is held adds nothing (the held ticks of one timer
  // come as one, as the system's own timer messages do).
  void Deliver(const Window& window, std::function<void()> event, const void* key = nullptr);
  // Runs `handler` as one handler (the start-up is one): events that arrive
  // meanwhile are held, and raised once it has ended. Inside a running
  // handler it simply runs, as part of that handler.
  void Run(const std::function<void()>& handler);
  bool HandlerRunning() const { return running_; }
  // Drops the held events of a window that goes away.
  void Forget(const Window& window);

 private:
  struct Held {
    const Window* window;
    const void* key;
    std::function<void()> event;
  };
  void RunOne(const std::function<void()>& handler);

  std::deque<Held> held_;
  bool running_ = false;
};

}  // namespace morvex::ui
