// The operating-system services the program uses, each a small interface so
// that a test can replace it and make it fail. The main window receives one
// bundle of references; nothing is reached through globals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "services/account.h"
#include "services/file_result.h"
#include "services/in_folder.h"
#include "services/notification_area.h"
#include "services/private_profile.h"
#include "services/processes.h"
#include "services/shell_links.h"
#include "services/system_commands.h"
#include "services/window_ops.h"

namespace morvex::services {

// Message box styles as the program passes them (button and icon bits).
enum MessageStyle : int {
  kOkOnly = 0,
  kCritical = 16,
  kExclamation = 48,
  kInformation = 64,
  // Above every window that is not itself on top: for a box that comes
  // while the program is not the foreground program.
  kTopmost = 0x40000,
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal message box and returns when it is closed.
  virtual void Show(const std::string& text, const std::string& title, int style) = 0;
};

// How a window opened by the shell is shown: as its program shows it normally.
inline constexpr int kShowNormal = 1;

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document or web address; failures are not reported.
  virtual void Execute(std::uintptr_t window, const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory, int show) = 0;
  // Opens a document or web address through the shell of the desktop, as
  // the account logged on there opens it (never with the program's elevated
  // token). Empty on success, else why it could not.
  virtual std::string OpenAsDesktopUser(const std::string& file) = 0;
};

// A local calendar date and time of day, as the user's clock shows it.
struct LocalTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int millisecond = 0;
};

// A moment in time: milliseconds since 1970-01-01 00:00:00 UTC.
using Instant = std::int64_t;

class Clock {
 public:
  virtual ~Clock() = default;
  // The instant the system clock shows now. It moves when the clock is set,
  // by hand or by the time service.
  virtual Instant Now() = 0;
  // The local date and time at an instant, by the rules of the user's time
  // zone, daylight saving time included.
  virtual LocalTime LocalAt(Instant instant) = 0;
  // Milliseconds since a fixed moment (the system's start). Runs on while the
  // PC sleeps or hibernates and does not move when the clock is set.
  virtual std::int64_t Elapsed() = 0;
};

class Pause {
 public:
  virtual ~Pause() = default;
  // Blocks the calling thread for `ms` milliseconds; no event of the program
  // is handled meanwhile.
  virtual void Sleep(int ms) = 0;
};

struct ReadResult {
  bool ok = true;
  std::string bytes;
  std::string error;
};

// Files in the application folder. Paths are UTF-8; the Win32 side widens them,
// so folders with umlauts work.
class Files {
 public:
  virtual ~Files() = default;
  // The folder that holds the executable, as the platform reports it (a
  // drive's root with its "\"); InFolder joins a file's name to it.
  virtual std::string AppFolder() = 0;
  // The full path of the running program's own file, under whatever name it
  // was saved ("morvex (1).exe" as well).
  virtual std::string ExecutablePath() = 0;
  // An ordinary file: not a folder, not hidden, not a system file.
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
  // Any file system entry at that exact path.
  virtual bool Exists(const std::string& path) = 0;
  virtual ReadResult Read(const std::string& path) = 0;
  // Writes the new content beside the file and replaces the old file only when
  // the new one is complete, so a failed write never destroys what was saved.
  // The file that is replaced keeps its attributes and access rights.
  virtual FileResult Replace(const std::string& path, const std::string& bytes) = 0;
};

// The system's ANSI code page, the one of the files and the ...A functions
// (Windows-1252 in native tests).
class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual std::string ToAnsi(const std::string& utf8) = 0;
  // The text in the ANSI code page exactly; nothing when a character has no
  // form of its own there (no look-alike stands in for it).
  virtual std::optional<std::string> ToAnsiExactly(const std::string& utf8) = 0;
  virtual std::string FromAnsi(const std::string& ansi) = 0;
};

// The program's own life.
class Lifetime {
 public:
  virtual ~Lifetime() = default;
  // Ends the program at once: no further event of it runs.
  virtual void EndProgram() = 0;
  // The identifier of the program's own process.
  virtual std::uint32_t ProcessId() = 0;
  // The image name of the program's own process, as the system lists it
  // among the running processes (normally morvex.exe).
  virtual std::string ImageName() = 0;
  // The image names of the processes the own process descends from, its
  // parent first, as the system's list of running processes links them now.
  virtual std::vector<std::string> AncestorImageNames() = 0;
};

struct Services {
  MessageBoxes& messages;
  Shell& shell;
  Clock& clock;
  Files& files;
  CodePage& codePage;
  Lifetime& lifetime;
  NotificationArea& notificationArea;
  PrivateProfile& profile;
  ProcessSnapshot& snapshot;
  ManagementService& management;
  WindowOps& windows;
  ShellLinks& links;
  SystemCommands& commands;
  Pause& pause;
  Account& account;
};

}  // namespace morvex::services
