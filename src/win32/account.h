// The account service on Windows: the program's token (elevation, the debug
// privilege) set against the token of the process that owns the desktop's
// shell window, and the one way the program opens something as the user
// logged on there: through that shell itself.
#pragma once

#include <string>

#include "services/account.h"

namespace morvex::win32 {

class Win32Account : public services::Account {
 public:
  // TokenElevation of the process token, asked once.
  bool RunsElevated() override;
  // The user of the token of the process that owns GetShellWindow(),
  // compared with the program's own (EqualSid). A shell process the
  // program may not look into counts as another account's.
  services::ShellOwner DesktopShellOwner() override;
  // AdjustTokenPrivileges on the process token, with its previous state;
  // nothing where it fails or answers ERROR_NOT_ALL_ASSIGNED.
  std::optional<bool> SetDebugPrivilege(bool enabled) override;
};

// Whether the debug privilege is enabled in the program's token now (the
// management service's connection asks for it only then).
bool DebugPrivilegeEnabled();

// Opens a document or web address with the shell of the desktop (the
// desktop folder view's Shell.Application, IShellDispatch2::ShellExecute),
// so that it runs in the shell's process and with its token, not with the
// program's. Empty on success, else the reason.
std::string OpenThroughDesktopShell(const std::string& file);

}  // namespace morvex::win32
