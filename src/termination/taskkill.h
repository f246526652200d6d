// The command line the program starts the system's TASKKILL with, directly
// (no command interpreter, no batch file): one start for as many names as
// share their options and fit one command line.
//
//   "<system folder>\taskkill.exe" /F /IM <name> /IM <name> ... /T
//
// The command line is Unicode: each name goes in as the system names it, no
// code page in between. Each is one argument as the system's command-line
// rules read it: a name without blanks or tabs as it is, one with them in
// double quotes. Nothing else is special, since no command interpreter reads
// the line ('&', '^', '%', '!' are ordinary characters). A name that is
// empty, or holds a double quote, a backslash, a slash or a control
// character, cannot be one argument and is never handed on; no image name
// holds one.
//
// A start for the name the program's own process carries also holds a filter
// that spares that process, so that another copy of the program ends but
// this one goes on: /F /IM morvex.exe /FI "PID ne 1234" /T. That name has a
// start of its own: a TASKKILL that knows no /FI refuses the whole call. The
// names processes the program descends from carry (explorer.exe, which
// started it) have a start without /T, which would end the program among
// that process's descendants.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvex::termination {

inline constexpr const char* kTaskkillFileName = "taskkill.exe";

// The longest command line the system starts a program with, in characters,
// its terminating zero left out.
inline constexpr std::size_t kCommandLineLimit = 32766;

// Whether the name can be handed to TASKKILL as one argument.
bool IsTaskkillWord(std::string_view name);

struct TaskkillStart {
  std::vector<std::string> names;
  // The process the start must leave running, by its identifier.
  std::optional<std::uint32_t> spared;
  // Whether the processes the matching ones started end with them (/T).
  bool tree = true;
};

// The full path of TASKKILL in the system folder.
std::string TaskkillPath(const std::string& systemFolder);

// The whole command line, the program's path first; nullopt when a name is
// not IsTaskkillWord or there is none.
std::optional<std::string> TaskkillCommandLine(const std::string& systemFolder, const TaskkillStart& start);

// The start's names shared out, in order, among as few starts of its options
// as keep each command line within kCommandLineLimit (counted in bytes of
// UTF-8, never fewer than the line's characters). A name too long for any
// line has a start of its own, which the system refuses.
std::vector<TaskkillStart> FittingStarts(const std::string& systemFolder, const TaskkillStart& start);

// What TASKKILL's exit code says: 0 ended, 128 no such process; any other
// code is its refusal. A call for several names gives one code for all.
inline constexpr std::uint32_t kTaskkillNotFound = 128;

}  // namespace morvex::termination
