#include "app/lifecycle.h"

#include "app/form1.h"
#include "settings/form_state.h"

namespace morvex::app {

void StartUp(Form1& form) {
  form.onCloseRequest = [&form] {
    settings::SaveFormState(form);
    form.Hide();
    form.CloseAuxiliaryWindows();
    form.Svc().lifetime.EndProgram();
  };
  settings::RestoreFormState(form);
  form.Show();
  settings::SaveFormState(form);
}

}  // namespace morvex::app
