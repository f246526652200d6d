#include "app/navigation.h"

#include <string>

#include "forms/form1.h"

namespace morvex::app {

namespace {

// Opens the homepage in the default browser. The result is ignored: no
// browser or no network is not reported.
void OpenHomepage(forms::Form1& form) {
  form.Svc().shell.Execute(form.peer().Handle(), "Open", forms::kHomepage, "", form.Svc().files.AppFolder(),
                           services::kShowNormal);
}

}  // namespace

const char* AboutText() {
  static const std::string text = std::string("MorvexTask auf ") + forms::kWebAddress + "!";
  return text.c_str();
}

void WireNavigation(forms::Form1& form) {
  form.xpButton6().onClick = [&form] { form.xpRollUpContainer1().SetOpened(true); };
  form.xpButton8().onClick = [&form] { form.xpRollUpContainer1().SetOpened(false); };
  form.Label7().onClick = [&form] { OpenHomepage(form); };
  form.xpButton7().onClick = [&form] { OpenHomepage(form); };
  form.mnuPopUpAbout().onClick = [&form] {
    form.Svc().messages.Show(AboutText(), forms::kAppTitle, services::kOkOnly);
  };
}

}  // namespace morvex::app
