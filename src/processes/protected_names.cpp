#include "processes/protected_names.h"

#include <array>

#include "ui/fold_case.h"

namespace morvex::processes {

namespace {

// The names the system gives them in its process list, the pseudo-processes
// (System, Idle, Registry, ...) included; "[System Process]" is the name the
// snapshot gives the idle process.
// svchost.exe hosts the system's services: ending every process of that
// name stops them all.
constexpr std::array<const char*, 15> kProtectedNames = {
    "System",    "System Idle Process", "Idle",         "Registry",     "Secure System", "Memory Compression",
    "smss.exe",  "csrss.exe",           "wininit.exe",  "winlogon.exe", "services.exe",  "lsass.exe",
    "lsaiso.exe", "svchost.exe",        "[System Process]",
};

}  // namespace

std::string TrimmedName(const std::string& name) {
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

bool SameImageName(const std::string& a, const std::string& b) { return ui::FoldCase(a) == ui::FoldCase(b); }

bool IsProtectedName(const std::string& name) {
  const std::string trimmed = TrimmedName(name);
  for (const char* protectedName : kProtectedNames) {
    if (SameImageName(trimmed, protectedName)) return true;
  }
  return false;
}

}  // namespace morvex::processes
