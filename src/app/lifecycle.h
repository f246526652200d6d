// The program's life: what runs when it starts and how it ends.
#pragma once

namespace morvex::app {

class Form1;

// Shows the main window with its design values; a close request ends the program.
void StartUp(Form1& form);

}  // namespace morvex::app
