// The program's life: the start-up sequence and every way the program ends.
#pragma once

namespace morvex::app {

class Program;

// Runs the start-up sequence: the kill-list file opened and its first entry
// read, the window's load steps, then the rest of the kill list.
void StartUp(Program& program);

// Wires the close request (values and kill list saved, the window hidden to
// the tray, unloaded, the program ended), the session end, cmdExit and
// Command4, and the request of a later start to show the window. Every way
// out removes the tray icon, so that no dead icon stays in the notification
// area.
void WireLifecycle(Program& program);

}  // namespace morvex::app
