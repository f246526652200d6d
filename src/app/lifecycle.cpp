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
  forms::Form1& form = program.Form();
  form.txtSekunde().SetEnabled(true);
  form.lblVersion().SetCaption(kVersionText);
  form.cmdloeschen().SetEnabled(false);
  MORVEX_STARTUP_STEP("txtSekunde, lblVersion, cmdloeschen");
  FillChooser(form.Combo1(), 0, 23);
  FillChooser(form.Combo2(), 3, 59);
  MORVEX_STARTUP_STEP("Combo1 and Combo2 filled");
  settings::RestoreFormState(form);
  countdown::MendSecondsField(form);
  MORVEX_STARTUP_STEP("RestoreFormState");
  processes::FillProcessCatalogue(form, form.List1());
  MORVEX_STARTUP_STEP("FillProcessCatalogue");
  form.mnuPopUpShowForm().SetEnabled(false);
  tray::AddTrayIcon(form, program.TrayIcon());
  form.mnuPopUpShowForm().SetEnabled(true);
  MORVEX_STARTUP_STEP("AddTrayIcon");
  form.Hide();
  MORVEX_STARTUP_STEP("Hide");
  if (form.Check1().Value() == 1) {
    form.mnuPopUpShowForm().SetEnabled(true);
  } else {
    form.Show();
    MORVEX_STARTUP_STEP("Show");
    settings::SaveFormState(form);
    MORVEX_STARTUP_STEP("SaveFormState");
  }
  if (form.Check2().Value() == 1) {
    countdown::Start(form, program.Countdown());
    MORVEX_STARTUP_STEP("countdown started (Check2)");
  }
}

// Ends the program at once, the tray icon with it. The boxes not yet shown
// are shown first; not when the session ends, which no box may hold up.
void EndProgram(Program& program, bool sessionEnds = false) {
  ui::EventQueue& events = program.Form().Events();
  if (sessionEnds) {
    events.DropNotices();
  } else {
    events.ShowNoticesNow();
  }
  if (program.TrayIcon().WasAdded()) tray::RemoveTrayIcon(program.TrayIcon());
  program.Form().Svc().lifetime.EndProgram();
}

// The close request: values and kill list saved, the window hidden to the
// tray, unloaded, and the program ended.
void CloseRequest(Program& program, bool sessionEnds = false) {
  forms::Form1& form = program.Form();
  settings::SaveFormState(form);
  program.KillList().SaveKillList();
  tray::HideToTray(form, program.TrayIcon());
  // Closing the window runs its unload steps.
  settings::SaveFormState(form);
  form.CloseAuxiliaryWindows();
  EndProgram(program, sessionEnds);
}

}  // namespace

void StartUp(Program& program) {
  forms::Form1& form = program.Form();
  // The start-up is one handler: an event that arrives meanwhile (a close
  // request, a tick) is raised after it, and its boxes (a failed save, a
  // refused Start) are shown once it has ended: the countdown of Check2 is
  // armed before any of them is seen.
  form.Events().Run([&program, &form] {
    // The kill-list file is opened and its first entry read before the
    // window loads; its entries reach List2 only after the load steps.
    processes::KillListFile file(form.Svc());
    std::string first;
    const bool hasFirst = file.IsOpen() && !file.AtEnd();
    if (hasFirst) first = file.ReadField();
    MORVEX_STARTUP_STEP("List2.txt looked for, first entry read");
    LoadForm1(program);
    if (!file.IsOpen()) return;
    if (hasFirst) form.List2().AddItem(first);
    // Also for a file that gave nothing: one that could not be read must not
    // be overwritten with an empty list at the close request.
    program.KillList().AppendKillList(file);
    MORVEX_STARTUP_STEP("kill list appended");
  });
}

void WireLifecycle(Program& program) {
  forms::Form1& form = program.Form();
  form.onCloseRequest = [&program] { CloseRequest(program); };
  // A session end inside a handler cannot wait for it: the icon goes, and
  // the files keep what was saved last rather than a state half-way through.
  form.onSessionEnd = [&program](bool handlerRunning) {
    if (handlerRunning) {
      EndProgram(program, true);
    } else {
      CloseRequest(program, true);
    }
  };
  form.cmdExit().onClick = [&program, &form] {
    settings::SaveFormState(form);
    form.tmrTime().SetEnabled(false);
    form.tmrCountDown().SetEnabled(false);
    EndProgram(program);
  };
  form.Command4().onClick = [&program, &form] {
    settings::SaveFormState(form);
    EndProgram(program);
  };
  // Command5 ("Countdown") does nothing.
  // A later start from the same folder ends at once and asks this copy to
  // show its window, as "Morvex anzeigen" in the tray's menu does.
  form.onShowRequest = [&form] { form.mnuPopUpShowForm().Click(); };
}

}  // namespace morvex::app
