// The Windows side of the start-up trace (bench builds with
// MORVEX_STARTUP_TRACE only; see ui/startup_trace.h).
#pragma once

#include <windows.h>

namespace morvex::win32 {

// Handles the messages that follow the start-up as the message loop does,
// until the queue is empty for the first time (the window is painted), notes
// that moment and writes startup-trace.txt beside the program.
void FinishStartupTrace(HWND main);

}  // namespace morvex::win32
