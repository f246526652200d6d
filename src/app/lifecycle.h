// The program's life: what runs when it starts and how it ends.
#pragma once

namespace morvex::app {

class Form1;

// Puts the saved control values back, shows the main window and saves the
// values (so that config.ini exists after a start); a close request saves them
// and ends the program.
void StartUp(Form1& form);

}  // namespace morvex::app
