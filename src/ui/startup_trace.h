// The start-up trace of the bench build. With MORVEX_STARTUP_TRACE defined
// (the Windows build of the bench preset; never a release), each
// MORVEX_STARTUP_STEP("what") notes the moment a step of the start-up has
// ended, and the Windows program writes the notes to startup-trace.txt beside
// itself once its window is painted. Otherwise the macro is nothing and its
// argument is not evaluated. It lives with the toolkit, the lowest layer,
// since the toolkit, the program and the Win32 shell all note steps.
#pragma once

#ifdef MORVEX_STARTUP_TRACE
#include <string>

namespace morvex::ui {
void NoteStartupStep(const std::string& step);
}  // namespace morvex::ui

#define MORVEX_STARTUP_STEP(step) ::morvex::ui::NoteStartupStep(step)
#else
#define MORVEX_STARTUP_STEP(step) static_cast<void>(0)
#endif
