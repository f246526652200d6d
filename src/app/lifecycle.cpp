#include "app/lifecycle.h"

#include "app/form1.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"

namespace morvex::app {

void StartUp(Form1& form) {
  form.onCloseRequest = [&form] {
    processes::SaveKillList(form);
    form.Hide();
    form.CloseAuxiliaryWindows();
    form.Svc().lifetime.EndProgram();
  };
  processes::FillProcessCatalogue(form, form.List1());
  form.Show();
  // The kill list comes last, after the window's other load steps, so that no
  // entry of it is selected.
  processes::LoadKillList(form);
}

}  // namespace morvex::app
