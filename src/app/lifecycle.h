// The program's life: the start-up sequence and every way the program ends.
#pragma once

#include <string>

#include "app/version.h"

namespace morvex::app {

class Form1;

// The version shown in lblVersion (set in CMakeLists.txt).
inline constexpr int kVersionMajor = MORVEX_VERSION_MAJOR;
inline constexpr int kVersionMinor = MORVEX_VERSION_MINOR;
inline constexpr int kVersionRevision = MORVEX_VERSION_REVISION;
std::string VersionText();

// Runs the start-up sequence: the kill-list file opened and its first entry
// read, the window's load steps, then the rest of the kill list.
void StartUp(Form1& form);

// The window's load steps, between opening the kill-list file and appending
// its entries.
void LoadForm1(Form1& form);

// The close request: values and kill list saved, the window hidden to the
// tray, unloaded, and the program ended.
void CloseRequest(Form1& form);

// Ends the program at once. The tray icon goes with it, so that no dead icon
// stays in the notification area.
void EndProgram(Form1& form);

void WireLifecycle(Form1& form);

}  // namespace morvex::app
