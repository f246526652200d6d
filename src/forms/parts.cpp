#include "forms/parts.h"

namespace morvex::forms {

ui::Window& LazyWindow::Get() {
  if (!window_) window_ = std::make_unique<ui::Window>(def_(), backend_);
  return *window_;
}

namespace {

// The control of that name as its kind; start-up fails with
// std::invalid_argument when the table gives it another kind.
template <class T>
T& Take(const ui::Window& form, const char* name, int index = -1) {
  return form.Get<T>(name, index);
}

}  // namespace

Parts::Parts(ui::Window& form, LazyWindow& form2, LazyWindow& deskR, LazyWindow& frmDummy)
    : window(form),
      catalogue{Take<ui::ListBox>(form, "List1"), Take<ui::Button>(form, "Command1"),
                Take<ui::TextBox>(form, "txtTargetTitle")},
      killList{Take<ui::ListBox>(form, "List2"), Take<ui::Button>(form, "cmduebernehmen"),
               Take<ui::Button>(form, "cmdloeschen"), Take<ui::Button>(form, "Command8")},
      ending{Take<ui::Button>(form, "Command2"), Take<ui::Button>(form, "Command3"), Take<ui::Button>(form, "Command6"),
             form2},
      titleEnding{form, Take<ui::TextBox>(form, "txtTargetTitle"), Take<ui::Button>(form, "cmdTerminate"),
                  Take<ui::Button>(form, "cmdSendCloseMessage")},
      countdown{form,
                Take<ui::ComboBox>(form, "Combo1"),
                Take<ui::ComboBox>(form, "Combo2"),
                Take<ui::ComboBox>(form, "Combo3"),
                Take<ui::Button>(form, "cmdSet"),
                Take<ui::Button>(form, "cmdStop"),
                Take<ui::OptionButton>(form, "optSetCount"),
                Take<ui::OptionButton>(form, "optSetTime"),
                Take<ui::Timer>(form, "tmrCountDown"),
                Take<ui::Timer>(form, "tmrTime"),
                Take<ui::Label>(form, "lblHaveTime"),
                Take<ui::Frame>(form, "Frame7"),
                Take<ui::Label>(form, "Label11"),
                Take<ui::Label>(form, "lblCurrentTimeShow"),
                Take<ui::TextBox>(form, "txtHour"),
                Take<ui::TextBox>(form, "txtMinute"),
                Take<ui::TextBox>(form, "txtSekunde"),
                Take<ui::MediaPlayer>(form, "MMC1")},
      tray{form,
           Take<ui::Button>(form, "cmdAdd"),
           Take<ui::Button>(form, "cmdRemove"),
           Take<ui::Button>(form, "cmdHideForm"),
           Take<ui::Button>(form, "xpButton1"),
           {&Take<ui::Button>(form, "xpButton3"), &Take<ui::Button>(form, "xpButton4")},
           Take<ui::MenuItem>(form, "mnuPopUp"),
           Take<ui::MenuItem>(form, "mnuPopUpShowForm"),
           {&Take<ui::OptionButton>(form, "optOnLeftClick", 0), &Take<ui::OptionButton>(form, "optOnLeftClick", 1)},
           Take<ui::Timer>(form, "tmrTrayIcon"),
           frmDummy},
      navigation{form,
                 Take<ui::RollUp>(form, "xpRollUpContainer1"),
                 Take<ui::Button>(form, "xpButton6"),
                 Take<ui::Button>(form, "xpButton8"),
                 Take<ui::Label>(form, "Label7"),
                 Take<ui::Button>(form, "xpButton7"),
                 Take<ui::MenuItem>(form, "mnuPopUpAbout")},
      autostart{form, Take<ui::Button>(form, "xpButton2"), Take<ui::Button>(form, "xpButton5"), deskR},
      startAndEnd{Take<ui::CheckBox>(form, "Check1"), Take<ui::CheckBox>(form, "Check2"),
                  Take<ui::Button>(form, "cmdExit"), Take<ui::Button>(form, "Command4"),
                  Take<ui::Label>(form, "lblVersion")} {}

}  // namespace morvex::forms
