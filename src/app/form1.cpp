#include "app/form1.h"

#include "app/lifecycle.h"
#include "app/navigation.h"
#include "app/window_tables.h"
#include "countdown/countdown.h"
#include "processes/killlist.h"
#include "processes/process_handlers.h"
#include "settings/autostart.h"
#include "termination/kill_run.h"
#include "termination/window_title.h"
#include "tray/tray.h"

namespace morvex::app {

Form1::Form1(ui::Backend& backend, services::Services& services)
    : ui::Window(Form1Def(), backend),
      services_(services),
      killList_(std::make_unique<processes::KillList>(List2(), services)),
      trayIcon_(std::make_unique<tray::TrayIcon>(services.tray, services.codePage)),
      termination_(std::make_unique<termination::TerminationRunner>(services)),
      countdown_(std::make_unique<countdown::CountdownScheduler>()) {
  WireNavigation(*this);
  WireLifecycle(*this);
  tray::WireTray(*this);
  countdown::WireCountdown(*this);
  processes::WireProcesses(*this);
  termination::WireWindowTitle(*this);
  settings::WireAutostart(*this);
  termination::WireTermination(*this);
}

Form1::~Form1() { CloseAuxiliaryWindows(); }

ui::Window& Form1::Form2() {
  if (!form2_) form2_ = std::make_unique<ui::Window>(Form2Def(), GetBackend());
  return *form2_;
}

void Form1::CloseForm2() { form2_.reset(); }

ui::Window& Form1::DeskR() {
  if (!deskR_) deskR_ = std::make_unique<ui::Window>(DeskRDef(), GetBackend());
  return *deskR_;
}

ui::Window& Form1::FrmDummy() {
  if (!frmDummy_) frmDummy_ = std::make_unique<ui::Window>(FrmDummyDef(), GetBackend());
  return *frmDummy_;
}

void Form1::CloseAuxiliaryWindows() {
  form2_.reset();
  deskR_.reset();
  frmDummy_.reset();
}

void Form1::OpenHomepage() {
  // The result is ignored: no browser or no network is not reported.
  Svc().shell.Execute(peer().Handle(), "Open", kHomepage, "", Svc().files.AppFolder(), services::kShowNormal);
}

}  // namespace morvex::app
