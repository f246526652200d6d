#include "app/lifecycle.h"

#include "app/form1.h"
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
void LoadForm1(Form1& form) {
  form.txtSekunde().SetEnabled(true);
  form.lblVersion().SetCaption(kVersionText);
  form.cmdloeschen().SetEnabled(false);
  MORVEX_STARTUP_STEP("txtSekunde, lblVersion, cmdloeschen");
  FillChooser(form.Combo1(), 0, 23);
  FillChooser(form.Combo2(), 3, 59);
  MORVEX_STARTUP_STEP("Combo1 and Combo2 filled");
  settings::RestoreFormState(form);
  MORVEX_STARTUP_STEP("RestoreFormState");
  processes::FillProcessCatalogue(form, form.List1());
  MORVEX_STARTUP_STEP("FillProcessCatalogue");
  form.mnuPopUpShowForm().SetEnabled(false);
  tray::AddTrayIcon(form);
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
    countdown::Start(form);
    MORVEX_STARTUP_STEP("countdown started (Check2)");
  }
}

// Ends the program at once, the tray icon with it.
void EndProgram(Form1& form) {
  if (form.TrayIcon().WasAdded()) tray::RemoveTrayIcon(form);
  form.Svc().lifetime.EndProgram();
}

// The close request: values and kill list saved, the window hidden to the
// tray, unloaded, and the program ended.
void CloseRequest(Form1& form) {
  settings::SaveFormState(form);
  form.KillList().SaveKillList();
  tray::HideToTray(form);
  // Closing the window runs its unload steps.
  settings::SaveFormState(form);
  form.CloseAuxiliaryWindows();
  EndProgram(form);
}

}  // namespace

void StartUp(Form1& form) {
  // The start-up is one handler: an event that arrives while one of its
  // message boxes is open (a close request, a tick) is raised after it.
  form.Events().Run([&form] {
    // The kill-list file is opened and its first entry read before the
    // window loads; its entries reach List2 only after the load steps.
    processes::KillListFile file(form.Svc());
    std::string first;
    const bool hasFirst = file.IsOpen() && !file.AtEnd();
    if (hasFirst) first = file.ReadField();
    MORVEX_STARTUP_STEP("List2.txt looked for, first entry read");
    LoadForm1(form);
    if (!file.IsOpen()) return;
    if (hasFirst) form.List2().AddItem(first);
    // Also for a file that gave nothing: one that could not be read must not
    // be overwritten with an empty list at the close request.
    form.KillList().AppendKillList(file);
    MORVEX_STARTUP_STEP("kill list appended");
  });
}

void WireLifecycle(Form1& form) {
  form.onCloseRequest = [&form] { CloseRequest(form); };
  // A session end inside a handler cannot wait for it: the icon goes, and
  // the files keep what was saved last rather than a state half-way through.
  form.onSessionEnd = [&form](bool handlerRunning) {
    if (handlerRunning) {
      EndProgram(form);
    } else {
      CloseRequest(form);
    }
  };
  form.cmdExit().onClick = [&form] {
    settings::SaveFormState(form);
    form.tmrTime().SetEnabled(false);
    form.tmrCountDown().SetEnabled(false);
    EndProgram(form);
  };
  form.Command4().onClick = [&form] {
    settings::SaveFormState(form);
    EndProgram(form);
  };
  // Command5 ("Countdown") does nothing.
}

}  // namespace morvex::app
