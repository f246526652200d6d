#include "app/lifecycle.h"

#include "app/program.h"
#include "app/version.h"
#include "countdown/countdown.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "settings/form_state.h"
#include "tray/tray.h"
#include "ui/startup_trace.h"

namespace morvex::app {

namespace {

// The hour and minute choosers: every item from `first` to `last`, and from
// 10 on the first item selected after each append (which pauses a countdown).
void FillChooser(ui::ComboBox& combo, int first, int last) {
  for (int n = first; n <= last; ++n) {
    combo.AddItem(countdown::TwoDigits(n));
    if (n >= 10) combo.SetListIndex(0);
  }
}

// The version shown in lblVersion, as set in CMakeLists.txt.
constexpr const char* kVersionText = "Version " MORVEX_VERSION_STR;

// The window's load steps, between opening the kill-list file and appending
// its entries.
void LoadForm1(Program& program) {
  forms::Parts& parts = program.Parts();
  forms::CountdownPart& countdown = parts.countdown;
  forms::TrayPart& tray = parts.tray;
  countdown.secondField.SetEnabled(true);
  parts.startAndEnd.version.SetCaption(kVersionText);
  parts.killList.remove.SetEnabled(false);
  MORVEX_STARTUP_STEP("txtSekunde, lblVersion, cmdloeschen");
  FillChooser(countdown.hours, 0, 23);
  FillChooser(countdown.minutes, 3, 59);
  MORVEX_STARTUP_STEP("Combo1 and Combo2 filled");
  program.Settings().Restore();
  countdown::MendSecondsField(countdown);
  MORVEX_STARTUP_STEP("RestoreFormState");
  processes::FillProcessCatalogue(program.Services(), parts.catalogue.list);
  MORVEX_STARTUP_STEP("FillProcessCatalogue");
  tray.showWindow.SetEnabled(false);
  tray::AddTrayIcon(tray, program.TrayIcon());
  tray.showWindow.SetEnabled(true);
  MORVEX_STARTUP_STEP("AddTrayIcon");
  parts.window.Hide();
  MORVEX_STARTUP_STEP("Hide");
  if (parts.startAndEnd.startHidden.Value() == 1) {
    tray.showWindow.SetEnabled(true);
  } else {
    parts.window.Show();
    MORVEX_STARTUP_STEP("Show");
    program.Settings().Save();
    MORVEX_STARTUP_STEP("SaveFormState");
  }
  if (parts.startAndEnd.startCountdown.Value() == 1) {
    countdown::Start(countdown, program.Services(), program.Countdown());
    MORVEX_STARTUP_STEP("countdown started (Check2)");
  }
}

// Ends the program at once, the tray icon with it. The boxes not yet shown
// are shown first; not when the session ends, which no box may hold up.
void EndProgram(Program& program, bool sessionEnds = false) {
  ui::EventQueue& events = program.Parts().window.Events();
  if (sessionEnds) {
    events.DropNotices();
  } else {
    events.ShowNoticesNow();
  }
  if (program.TrayIcon().WasAdded()) tray::RemoveTrayIcon(program.TrayIcon());
  program.Services().lifetime.EndProgram();
}

// The close request: values and kill list saved, the window hidden to the
// tray, unloaded, and the program ended.
void CloseRequest(Program& program, bool sessionEnds = false) {
  program.Settings().Save();
  program.KillList().SaveKillList();
  tray::HideToTray(program.Parts().tray, program.TrayIcon());
  // Closing the window runs its unload steps.
  program.Settings().Save();
  program.Form().CloseAuxiliaryWindows();
  EndProgram(program, sessionEnds);
}

}  // namespace

void StartUp(Program& program) {
  forms::Parts& parts = program.Parts();
  // The start-up is one handler: an event that arrives meanwhile (a close
  // request, a tick) is raised after it, and its boxes (a failed save, a
  // refused Start) are shown once it has ended: the countdown of Check2 is
  // armed before any of them is seen.
  parts.window.Events().Run([&program, &parts] {
    // The countdown Check2 arms may be a minute or less from its end: its
    // warning names the kill list's entries, so it waits until they are in
    // List2 (on every way out of this handler).
    struct HeldWarning {
      countdown::CountdownScheduler& scheduler;
      explicit HeldWarning(countdown::CountdownScheduler& s) : scheduler(s) { scheduler.HoldWarning(); }
      ~HeldWarning() { scheduler.ReleaseWarning(); }
      HeldWarning(const HeldWarning&) = delete;
      HeldWarning& operator=(const HeldWarning&) = delete;
    } heldWarning(program.Countdown());
    // The kill-list file is opened and its first entry read before the
    // window loads; its entries reach List2 only after the load steps.
    processes::KillListFile file(program.Services());
    std::string first;
    const bool hasFirst = file.IsOpen() && !file.AtEnd();
    if (hasFirst) first = file.ReadField();
    MORVEX_STARTUP_STEP("List2.txt looked for, first entry read");
    LoadForm1(program);
    if (!file.IsOpen()) return;
    if (hasFirst) parts.killList.list.AddItem(first);
    // Also for a file that gave nothing: one that could not be read must not
    // be overwritten with an empty list at the close request.
    program.KillList().AppendKillList(file);
    MORVEX_STARTUP_STEP("kill list appended");
  });
}

void WireLifecycle(Program& program) {
  forms::Parts& parts = program.Parts();
  parts.window.onCloseRequest = [&program] { CloseRequest(program); };
  // A session end inside a handler cannot wait for it: the icon goes, and
  // the files keep what was saved last rather than a state half-way through.
  parts.window.onSessionEnd = [&program](bool handlerRunning) {
    if (handlerRunning) {
      EndProgram(program, true);
    } else {
      CloseRequest(program, true);
    }
  };
  parts.startAndEnd.exit.onClick = [&program, &parts] {
    program.Settings().Save();
    parts.countdown.clockTick.SetEnabled(false);
    parts.countdown.tick.SetEnabled(false);
    EndProgram(program);
  };
  parts.startAndEnd.end.onClick = [&program] {
    program.Settings().Save();
    EndProgram(program);
  };
  // Command5 ("Countdown") does nothing.
  // A later start from the same folder ends at once and asks this copy to
  // show its window, as "Morvex anzeigen" in the tray's menu does.
  parts.window.onShowRequest = [&parts] { parts.tray.showWindow.Click(); };
}

}  // namespace morvex::app
