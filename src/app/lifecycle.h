// The program's life: what runs when it starts and how it ends.
#pragma once

namespace morvex::app {

class Form1;

// Fills the process catalogue, shows the main window and loads the kill list;
// a close request saves the kill list and ends the program.
void StartUp(Form1& form);

}  // namespace morvex::app
