#include "app/navigation.h"

#include <string>

#include "forms/parts.h"
#include "forms/texts.h"
#include "services/services.h"

namespace morvex::app {

namespace {

// Opens the homepage in the default browser. The result is ignored: no
// browser or no network is not reported.
void OpenHomepage(ui::Window& window, services::Services& services) {
  services.shell.Execute(window.peer().Handle(), "Open", forms::kHomepage, "", services.files.AppFolder(),
                         services::kShowNormal);
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
