// Ending, or asking to close, the one program that owns a top-level window
// with the title held in txtTargetTitle.
#pragma once

#include <cstdint>

namespace morvex::forms {
struct TitleEndingPart;
}

namespace morvex::services {
struct Services;
}

namespace morvex::termination {

inline constexpr const char* kNoWindow = "Error finding target window handle";
inline constexpr const char* kNoProcessId = "Error finding target process ID";
inline constexpr const char* kNoProcessHandle = "Error finding target process handle";
inline constexpr const char* kNotTerminated = "Error terminating process";
inline constexpr const char* kCloseNotSent = "Error sending close message";

// cmdTerminate: ends the owner of the window, then asks Form1 to close. A
// window of the program's own process is not ended: Form1's close request
// runs alone.
void TerminateTargetProcess(forms::TitleEndingPart& part, services::Services& services);
// cmdSendCloseMessage: posts WM_CLOSE to the window; a refused message is told.
void SendTargetCloseMessage(forms::TitleEndingPart& part, services::Services& services);

void WireWindowTitle(forms::TitleEndingPart& part, services::Services& services);

}  // namespace morvex::termination
