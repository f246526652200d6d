// One event at a time. Every event that reaches the program from outside (a
// click, a timer tick, a close request, a notification of the tray icon) is
// delivered through the event queue of the program's backend. While a handler
// runs, the events that arrive are held and raised in arrival order once it
// has ended: a popup menu or a wait on a COM call runs a message loop of its
// own inside the handler, and without the queue an event from that loop would
// run in the middle of the handler.
//
// Nothing that waits for the user holds a handler: a message box (every box
// of the program only informs) is a notice, shown once the handler and the
// events held behind it have ended. While a notice is open, events run as
// usual, each a handler of its own; an urgent event (the countdown's expiry
// when it is due) that arrives during a handler goes first and has the
// backend close what holds the handler (its popup menu).
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
  // come as one, as the system's own timer messages do). An `urgent` one is
  // held before the others and calls onUrgent.
  void Deliver(const Window& window, std::function<void()> event, const void* key = nullptr, bool urgent = false);
  // Runs `handler` as one handler (the start-up is one): events that arrive
  // meanwhile are held, and raised once it has ended. Inside a running
  // handler it simply runs, as part of that handler.
  void Run(const std::function<void()>& handler);
  bool HandlerRunning() const { return running_; }
  // Drops the held events of a window that goes away.
  void Forget(const Window& window);

  // Shows `notice` once no handler runs and no event is held, after the
  // notices before it; at once when nothing runs. One notice at a time: the
  // notices of the handlers that run while one is open wait until it closes.
  void AfterHandlers(std::function<void()> notice);
  // The notices not yet shown: now, in order (the program is about to end
  // and a box must still be seen), or never (the session ends).
  void ShowNoticesNow();
  void DropNotices() { notices_.clear(); }

  // Set by the backend: closes what holds the running handler in a message
  // loop of its own (an open popup menu), so that an urgent event runs soon.
  std::function<void()> onUrgent;

 private:
  struct Held {
    const Window* window;
    const void* key;
    bool urgent;
    std::function<void()> event;
  };
  void RunOne(const std::function<void()>& handler);
  // Raises the held events, then shows the notices, until neither is left.
  void Drain();
  void ShowOne();

  std::deque<Held> held_;
  std::deque<std::function<void()>> notices_;
  bool running_ = false;
  bool noticeOpen_ = false;
};

}  // namespace morvex::ui
