// The command line the program starts the system's TASKKILL with, directly
// (no command interpreter, no batch file): one start per name.
//
//   "<system folder>\taskkill.exe" /F /IM <name> /T
//
// The command line is Unicode: the name goes in as the system names it, no
// code page in between. It is one argument as the system's command-line rules
// read it: a name without blanks or tabs as it is, one with them in double
// quotes. Nothing else is special, since no command interpreter reads the
// line ('&', '^', '%', '!' are ordinary characters). A name that is empty, or
// holds a double quote, a backslash, a slash or a control character, cannot
// be one argument and is never handed on; no image name holds one.
//
// A start for a name the program's own process carries also holds a filter
// that spares that process, so that another copy of the program ends but
// this one goes on: /F /IM morvex.exe /FI "PID ne 1234" /T. One for a name a
// process the program descends from carries (explorer.exe, which started it)
// lacks /T, which would end the program among that process's descendants.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvex::termination {

inline constexpr const char* kTaskkillFileName = "taskkill.exe";

// Whether the name can be handed to TASKKILL as one argument.
bool IsTaskkillWord(std::string_view name);

struct TaskkillStart {
  std::string name;
  // The process the start must leave running, by its identifier.
  std::optional<std::uint32_t> spared;
  // Whether the processes the matching ones started end with them (/T).
  bool tree = true;
};

// The full path of TASKKILL in the system folder.
std::string TaskkillPath(const std::string& systemFolder);

// The whole command line, the program's path first; nullopt when
// !IsTaskkillWord(start.name).
std::optional<std::string> TaskkillCommandLine(const std::string& systemFolder, const TaskkillStart& start);

// What TASKKILL's exit code says: 0 ended, 128 no such process; any other
// code is its refusal.
inline constexpr std::uint32_t kTaskkillNotFound = 128;

}  // namespace morvex::termination
