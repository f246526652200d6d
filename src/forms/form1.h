// The main window: its controls (built from its table), typed accessors to
// them, the bundle of services and the auxiliary windows. It knows nothing of
// the subsystems: they include it, take the controls they work on, and get
// each other's objects as parameters from the program's wiring (app/).
#pragma once

#include <memory>
#include <set>
#include <string>

#include "forms/texts.h"
#include "services/services.h"
#include "ui/controls.h"

namespace morvex::forms {

#define MORVEX_CONTROL(Type, Name) \
  ui::Type& Name() const { return Get<ui::Type>(#Name); }

class Form1 : public ui::Window {
 public:
  Form1(ui::Backend& backend, services::Services& services);
  ~Form1() override;

  services::Services& Svc() const { return services_; }

  // Auxiliary windows, created on first use and kept until the program ends.
  ui::Window& Form2();  // the wait window; created anew for each run
  void CloseForm2();
  bool HasForm2() const { return form2_ != nullptr; }
  ui::Window& DeskR();
  bool HasDeskR() const { return deskR_ != nullptr; }
  ui::Window& FrmDummy();
  bool HasFrmDummy() const { return frmDummy_ != nullptr; }
  // Closes every auxiliary window that is open.
  void CloseAuxiliaryWindows();

  // True the first time in a run that a notice of this kind is asked for:
  // a failure that comes back at every attempt is reported once.
  bool FirstNotice(const std::string& kind) { return notices_.insert(kind).second; }

  MORVEX_CONTROL(Frame, Frame2)
  MORVEX_CONTROL(TextBox, txtTargetTitle)
  MORVEX_CONTROL(Button, Command3)
  MORVEX_CONTROL(Button, Command8)
  MORVEX_CONTROL(Button, Command7)
  MORVEX_CONTROL(Button, Command6)
  MORVEX_CONTROL(Button, xpButton4)
  MORVEX_CONTROL(TextBox, txtSekunde)
  MORVEX_CONTROL(TextBox, txtMinute)
  MORVEX_CONTROL(TextBox, txtHour)
  MORVEX_CONTROL(CheckBox, chkSound)
  MORVEX_CONTROL(Button, Command5)
  MORVEX_CONTROL(Button, Command4)
  MORVEX_CONTROL(ListBox, List3)
  MORVEX_CONTROL(Timer, Timer1)
  MORVEX_CONTROL(TextBox, Text1)
  MORVEX_CONTROL(RollUp, xpRollUpContainer1)
  MORVEX_CONTROL(Button, xpButton8)
  MORVEX_CONTROL(Button, xpButton7)
  MORVEX_CONTROL(Frame, Frame5)
  MORVEX_CONTROL(CheckBox, Check2)
  MORVEX_CONTROL(Frame, Frame6)
  MORVEX_CONTROL(ComboBox, Combo1)
  MORVEX_CONTROL(ComboBox, Combo2)
  MORVEX_CONTROL(Button, cmdSet)
  MORVEX_CONTROL(Button, cmdStop)
  MORVEX_CONTROL(Label, Label6)
  MORVEX_CONTROL(OptionButton, optSetCount)
  MORVEX_CONTROL(OptionButton, optSetTime)
  MORVEX_CONTROL(Timer, tmrCountDown)
  MORVEX_CONTROL(Timer, tmrTime)
  MORVEX_CONTROL(ComboBox, Combo3)
  MORVEX_CONTROL(Label, Label5)
  MORVEX_CONTROL(Label, lblHaveTime)
  MORVEX_CONTROL(Frame, Frame4)
  MORVEX_CONTROL(CheckBox, Check1)
  MORVEX_CONTROL(Button, xpButton5)
  MORVEX_CONTROL(Button, xpButton2)
  MORVEX_CONTROL(Button, xpButton1)
  MORVEX_CONTROL(Button, cmdRemove)
  MORVEX_CONTROL(Button, cmdHideForm)
  MORVEX_CONTROL(Button, cmdAdd)
  MORVEX_CONTROL(Button, cmdTerminate)
  MORVEX_CONTROL(Button, cmdSendCloseMessage)
  MORVEX_CONTROL(RollUp, xpRollUpContainer2)
  MORVEX_CONTROL(Frame, Frame7)
  MORVEX_CONTROL(Label, Label11)
  MORVEX_CONTROL(Button, xpButton3)
  MORVEX_CONTROL(Button, xpButton6)
  MORVEX_CONTROL(Button, cmdloeschen)
  MORVEX_CONTROL(Button, cmduebernehmen)
  MORVEX_CONTROL(Frame, Frame1)
  MORVEX_CONTROL(ListBox, List2)
  MORVEX_CONTROL(Button, Command2)
  MORVEX_CONTROL(Label, Label10)
  MORVEX_CONTROL(Frame, Frame3)
  MORVEX_CONTROL(ListBox, List1)
  MORVEX_CONTROL(Button, Command1)
  MORVEX_CONTROL(Label, Label4)
  MORVEX_CONTROL(Label, Label13)
  MORVEX_CONTROL(Label, Label12)
  MORVEX_CONTROL(Label, lblCurrentTimeShow)
  MORVEX_CONTROL(MediaPlayer, MMC1)
  MORVEX_CONTROL(Button, cmdExit)
  MORVEX_CONTROL(Label, lblVersion)
  MORVEX_CONTROL(Label, Label9)
  MORVEX_CONTROL(Label, Label8)
  MORVEX_CONTROL(Label, Label7)
  MORVEX_CONTROL(Label, Label3)
  MORVEX_CONTROL(Label, Label1)
  MORVEX_CONTROL(Label, Label2)
  MORVEX_CONTROL(MenuItem, mnuPopUp)
  MORVEX_CONTROL(MenuItem, mnuPopUpShowForm)
  MORVEX_CONTROL(MenuItem, mnuPopUpAbout)
  MORVEX_CONTROL(MenuItem, mnleer)
  MORVEX_CONTROL(MenuItem, mnuPopUpQuit)
  MORVEX_CONTROL(MenuItem, mnstartform)
  MORVEX_CONTROL(MenuItem, mnstartanzeigen)
  MORVEX_CONTROL(Timer, tmrTrayIcon)
  ui::OptionButton& optOnLeftClick(int index) const { return Get<ui::OptionButton>("optOnLeftClick", index); }

 private:
  services::Services& services_;
  std::unique_ptr<ui::Window> form2_;
  std::unique_ptr<ui::Window> deskR_;
  std::unique_ptr<ui::Window> frmDummy_;
  std::set<std::string> notices_;
};

#undef MORVEX_CONTROL

}  // namespace morvex::forms
