#include "app/single_copy.h"

namespace morvex::app {

namespace {

constexpr const char* kUnreachableTitle = "Morvex läuft bereits";
constexpr const char* kUnreachableText =
    "Morvex läuft aus diesem Ordner bereits, antwortet aber nicht.\r\n"
    "Ein zweites Morvex wird nicht gestartet.";

}  // namespace

bool ClaimFolder(services::FolderClaim& claim, services::MessageBoxes& messages, int boundMs) {
  using services::FolderObject;
  FolderObject object = claim.CreateObject();
  for (int waited = 0;; waited += kReachStepMs) {
    if (object == FolderObject::kOwn || object == FolderObject::kUnavailable) return true;
    if (const std::uintptr_t window = claim.FindRunningWindow()) {
      if (claim.AskToShow(window)) return false;
      break;
    }
    if (waited >= boundMs) break;
    if (claim.WaitForObject(kReachStepMs)) return true;
    // An object that may not be opened cannot be waited for: once the copy
    // that holds it has ended, it is made anew.
    if (object == FolderObject::kDenied) object = claim.CreateObject();
  }
  messages.Show(kUnreachableText, kUnreachableTitle, services::kExclamation);
  return false;
}

}  // namespace morvex::app
