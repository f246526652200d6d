#include "termination/privilege.h"

#include <optional>

namespace morvex::termination {

DebugPrivilege::DebugPrivilege(services::Account& account) : account_(account) {
  if (!account_.RunsElevated()) return;
  const std::optional<bool> before = account_.SetDebugPrivilege(true);
  restore_ = before.has_value() && !*before;
}

DebugPrivilege::~DebugPrivilege() {
  if (restore_) account_.SetDebugPrivilege(false);
}

}  // namespace morvex::termination
