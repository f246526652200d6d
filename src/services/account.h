// The account the program runs under, set against the desktop's: whether the
// program runs elevated, whether the desktop's shell belongs to the same
// account, and the debug privilege of the program's token. Every check of
// the program's rights asks this one service: the homepage (never opened
// with an elevated token), the log-on shortcut (made only for the account
// that is logged on) and the ending of processes (the privilege only while
// they are ended).
#pragma once

#include <optional>

namespace morvex::services {

// Who owns the desktop's shell (the process of its shell window).
enum class ShellOwner {
  kNoShell,       // no shell window on this desktop (no desktop at all, another shell)
  kSameAccount,   // the account the program runs under, elevated or not
  kOtherAccount,  // another account: the program was started with another's password
};

class Account {
 public:
  virtual ~Account() = default;
  // Whether the program's token is elevated (an administrator's, run as such).
  virtual bool RunsElevated() = 0;
  virtual ShellOwner DesktopShellOwner() = 0;
  // Enables or disables the debug privilege in the program's token. Gives
  // whether it was enabled before, or nothing where the token was not
  // changed: the token does not hold the privilege (the system's
  // ERROR_NOT_ALL_ASSIGNED) or cannot be adjusted.
  virtual std::optional<bool> SetDebugPrivilege(bool enabled) = 0;
};

}  // namespace morvex::services
