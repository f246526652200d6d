#include "app/navigation.h"

#include <string>

#include "app/form1.h"

namespace morvex::app {

const char* AboutText() {
  static const std::string text = std::string("MorvexTask auf ") + kWebAddress + "!";
  return text.c_str();
}

void WireNavigation(Form1& form) {
  form.xpButton6().onClick = [&form] { form.xpRollUpContainer1().SetOpened(true); };
  form.xpButton8().onClick = [&form] { form.xpRollUpContainer1().SetOpened(false); };
  form.Label7().onClick = [&form] { form.OpenHomepage(); };
  form.xpButton7().onClick = [&form] { form.OpenHomepage(); };
  form.mnuPopUpAbout().onClick = [&form] {
    form.Svc().messages.Show(AboutText(), kAppTitle, services::kOkOnly);
  };
}

}  // namespace morvex::app
