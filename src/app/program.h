// The program as a whole: the main window, its parts, and the objects of the
// subsystems that keep state of their own besides the window's controls. It
// builds them and hands every subsystem the parts of the window it works on
// (program.cpp is the one place that shows which uses which); a subsystem
// that works with another's object is handed that object here.
#pragma once

#include "countdown/countdown.h"
#include "forms/form1.h"
#include "forms/parts.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "settings/form_state.h"
#include "termination/kill_run.h"
#include "tray/tray.h"

namespace morvex::app {

// The program's message boxes: each only informs, so none holds the handler
// that asks for it. It is shown once that handler (and every event held
// behind it) has ended, one box at a time; while it is open the program's
// events run as usual, the countdown's among them. A box that comes while
// the program is not the foreground program (the countdown's expiry while
// the user plays, the window waiting in the tray) shows above the other
// windows: the system would leave it behind them.
class NoticeBoxes : public services::MessageBoxes {
 public:
  NoticeBoxes(ui::EventQueue& events, services::MessageBoxes& boxes, services::WindowOps& windows)
      : events_(events), boxes_(boxes), windows_(windows) {}
  void Show(const std::string& text, const std::string& title, int style) override;

 private:
  ui::EventQueue& events_;
  services::MessageBoxes& boxes_;
  services::WindowOps& windows_;
};

class Program {
 public:
  Program(ui::Backend& backend, services::Services& services);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  forms::Form1& Form() { return form_; }
  forms::Parts& Parts() { return parts_; }
  services::Services& Services() { return services_; }
  settings::WindowSettings& Settings() { return settings_; }
  processes::KillList& KillList() { return killList_; }
  tray::TrayIcon& TrayIcon() { return trayIcon_; }
  termination::TerminationRunner& Termination() { return termination_; }
  countdown::CountdownScheduler& Countdown() { return countdown_; }

 private:
  // The services the program works with: the system's, with the boxes shown
  // after their handler.
  NoticeBoxes boxes_;
  services::Services services_;
  // The window first: the objects below work on its controls and go before it.
  forms::Form1 form_;
  forms::Parts parts_;
  settings::WindowSettings settings_;
  processes::KillList killList_;
  processes::Catalogue catalogue_;
  tray::TrayIcon trayIcon_;
  termination::TerminationRunner termination_;
  termination::Ending ending_;
  countdown::CountdownScheduler countdown_;
};

}  // namespace morvex::app
