#include "app/navigation.h"

#include <string>

#include "forms/parts.h"
#include "forms/texts.h"
#include "services/services.h"

namespace morvex::app {

namespace {

// Opens the homepage in the default browser. The result is ignored: no
// browser or no network is not reported. Elevated, the program never starts
// the browser itself (it would run with the administrator's rights): the
// desktop's shell opens it for the user logged on there, or a box says why
// it could not.
void OpenHomepage(ui::Window& window, services::Services& services) {
  if (!services.account.RunsElevated()) {
    services.shell.Execute(window.peer().Handle(), "Open", forms::kHomepage, "", services.files.AppFolder(),
                           services::kShowNormal);
    return;
  }
  const std::string reason = services.shell.OpenAsDesktopUser(forms::kHomepage);
  if (!reason.empty()) {
    services.messages.Show(forms::HomepageNotOpenedText(reason), forms::kAppTitle, services::kExclamation);
  }
}

}  // namespace

const char* AboutText() {
  static const std::string text = std::string("MorvexTask auf ") + forms::kWebAddress + "!";
  return text.c_str();
}

void WireNavigation(forms::NavigationPart& part, services::Services& services) {
  part.toOptions.onClick = [&part] { part.options.SetOpened(true); };
  part.back.onClick = [&part] { part.options.SetOpened(false); };
  part.homepageLink.onClick = [&part, &services] { OpenHomepage(part.window, services); };
  part.homepage.onClick = [&part, &services] { OpenHomepage(part.window, services); };
  part.about.onClick = [&services] { services.messages.Show(AboutText(), forms::kAppTitle, services::kOkOnly); };
}

}  // namespace morvex::app
