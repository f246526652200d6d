#include "app/lifecycle.h"

#include "app/form1.h"

namespace morvex::app {

void StartUp(Form1& form) {
  form.onCloseRequest = [&form] {
    form.Hide();
    form.CloseAuxiliaryWindows();
    form.Svc().lifetime.EndProgram();
  };
  form.Show();
}

}  // namespace morvex::app
