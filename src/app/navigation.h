// The handlers that only navigate or inform: the options page, the homepage,
// the About message.
#pragma once

namespace morvex::forms {
struct NavigationPart;
}
namespace morvex::services {
struct Services;
}

namespace morvex::app {

void WireNavigation(forms::NavigationPart& part, services::Services& services);

// The text of the About message.
const char* AboutText();

}  // namespace morvex::app
