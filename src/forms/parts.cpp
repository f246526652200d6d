#include "forms/parts.h"

namespace morvex::forms {

ui::Window& LazyWindow::Get() {
  if (!window_) window_ = std::make_unique<ui::Window>(def_(), backend_);
  return *window_;
}

// Each control by its name, as its kind (Window::Get throws for another).
Parts::Parts(ui::Window& form, LazyWindow& form2, LazyWindow& deskR, LazyWindow& frmDummy)
    : window(form),
      catalogue{form.Get<ui::ListBox>("List1"), form.Get<ui::Button>("Command1"),
                form.Get<ui::TextBox>("txtTargetTitle")},
      killList{form.Get<ui::ListBox>("List2"), form.Get<ui::Button>("cmduebernehmen"),
               form.Get<ui::Button>("cmdloeschen"), form.Get<ui::Button>("Command8")},
      ending{form.Get<ui::Button>("Command2"), form.Get<ui::Button>("Command3"), form.Get<ui::Button>("Command6"),
             form2},
      titleEnding{form, form.Get<ui::TextBox>("txtTargetTitle"), form.Get<ui::Button>("cmdTerminate"),
                  form.Get<ui::Button>("cmdSendCloseMessage")},
      countdown{form,
                form.Get<ui::ComboBox>("Combo1"),
                form.Get<ui::ComboBox>("Combo2"),
                form.Get<ui::ComboBox>("Combo3"),
                form.Get<ui::Button>("cmdSet"),
                form.Get<ui::Button>("cmdStop"),
                form.Get<ui::OptionButton>("optSetCount"),
                form.Get<ui::OptionButton>("optSetTime"),
                form.Get<ui::Timer>("tmrCountDown"),
                form.Get<ui::Timer>("tmrTime"),
                form.Get<ui::Label>("lblHaveTime"),
                form.Get<ui::Frame>("Frame7"),
                form.Get<ui::Label>("Label11"),
                form.Get<ui::Label>("lblCurrentTimeShow"),
                form.Get<ui::TextBox>("txtHour"),
                form.Get<ui::TextBox>("txtMinute"),
                form.Get<ui::TextBox>("txtSekunde"),
                form.Get<ui::MediaPlayer>("MMC1")},
      tray{form,
           form.Get<ui::Button>("cmdAdd"),
           form.Get<ui::Button>("cmdRemove"),
           form.Get<ui::Button>("cmdHideForm"),
           form.Get<ui::Button>("xpButton1"),
           {&form.Get<ui::Button>("xpButton3"), &form.Get<ui::Button>("xpButton4")},
           form.Get<ui::MenuItem>("mnuPopUp"),
           form.Get<ui::MenuItem>("mnuPopUpShowForm"),
           {&form.Get<ui::OptionButton>("optOnLeftClick", 0), &form.Get<ui::OptionButton>("optOnLeftClick", 1)},
           form.Get<ui::Timer>("tmrTrayIcon"),
           frmDummy},
      navigation{form,
                 form.Get<ui::RollUp>("xpRollUpContainer1"),
                 form.Get<ui::Button>("xpButton6"),
                 form.Get<ui::Button>("xpButton8"),
                 form.Get<ui::Label>("Label7"),
                 form.Get<ui::Button>("xpButton7"),
                 form.Get<ui::MenuItem>("mnuPopUpAbout")},
      autostart{form, form.Get<ui::Button>("xpButton2"), form.Get<ui::Button>("xpButton5"), deskR},
      startAndEnd{form.Get<ui::CheckBox>("Check1"), form.Get<ui::CheckBox>("Check2"),
                  form.Get<ui::Button>("cmdExit"), form.Get<ui::Button>("Command4"),
                  form.Get<ui::Label>("lblVersion")} {}

}  // namespace morvex::forms
