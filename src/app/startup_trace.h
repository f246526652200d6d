// The start-up trace of the bench build. With MORVEX_STARTUP_TRACE defined
// (the Windows build of the bench preset; never a release), each
// MORVEX_STARTUP_STEP("what") notes the moment a step of the start-up has
// ended, and the Windows program writes the notes to startup-trace.txt beside
// itself once its window is painted. Otherwise the macro is nothing and its
// argument is not evaluated.
#pragma once

#ifdef MORVEX_STARTUP_TRACE
#include <string>

namespace morvex::app {
void NoteStartupStep(const std::string& step);
}  // namespace morvex::app

#define MORVEX_STARTUP_STEP(step) ::morvex::app::NoteStartupStep(step)
#else
#define MORVEX_STARTUP_STEP(step) static_cast<void>(0)
#endif
