// One running copy per application folder: two copies of one folder would
// write each other's kill list and settings over, show two tray icons and
// end the kill list twice at a countdown's expiry. A later start from the
// folder asks the running copy to show its window and ends, before it has
// made a window or touched a file.
#pragma once

#include "services/folder_claim.h"
#include "services/services.h"

namespace morvex::app {

// How long a later start tries to reach the running copy, whose main window
// does not exist yet while it is still starting, and the step of its tries.
inline constexpr int kReachRunningCopyMs = 10000;
inline constexpr int kReachStepMs = 100;

// Whether this process is the folder's running copy. When another one runs,
// it has been asked to show its window, or, where it could not be reached
// within the bound, the user has been told so; this process is to end. A copy
// that ends meanwhile hands the folder over: then this process runs.
bool ClaimFolder(services::FolderClaim& claim, services::MessageBoxes& messages,
                 int boundMs = kReachRunningCopyMs);

}  // namespace morvex::app
