// The debug privilege, held only while the program ends processes: each way
// of ending (the service step and each TASKKILL of a run, Command3,
// Command6, cmdTerminate) holds one DebugPrivilege for its step, and the
// token is as before once the step is over. So nothing the program starts
// for the user (the browser) inherits it, and a token that refuses it
// (policy took it away) is taken as one that does not have it.
#pragma once

#include "services/account.h"

namespace morvex::termination {

class DebugPrivilege {
 public:
  // Elevated, enables the privilege; unelevated the token has none to enable.
  explicit DebugPrivilege(services::Account& account);
  // Disables it again where this one enabled it.
  ~DebugPrivilege();
  DebugPrivilege(const DebugPrivilege&) = delete;
  DebugPrivilege& operator=(const DebugPrivilege&) = delete;

 private:
  services::Account& account_;
  bool restore_ = false;
};

}  // namespace morvex::termination
