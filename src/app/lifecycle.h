// The program's life: the start-up sequence and every way the program ends.
#pragma once

#include <string>

namespace morvex::app {

class Form1;

// The version shown in lblVersion.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 230;

// Runs the start-up sequence: the kill-list file opened and its first entry
// read, the window's load steps, then the rest of the kill list.
void StartUp(Form1& form);

// The close request: values and kill list saved, the window hidden to the
// tray, unloaded, and the program ended.
void CloseRequest(Form1& form);

// Ends the program at once. The tray icon goes with it, so that no dead icon
// stays in the notification area.
void EndProgram(Form1& form);

void WireLifecycle(Form1& form);

}  // namespace morvex::app
