// The handlers that only navigate or inform: the options page, the homepage,
// the About message.
#pragma once

namespace morvex::forms {
class Form1;
}

namespace morvex::app {

void WireNavigation(forms::Form1& form);

// The text of the About message.
const char* AboutText();

}  // namespace morvex::app
