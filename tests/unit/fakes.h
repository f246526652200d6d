// Fake services and a main window on the headless backend, for native tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "countdown/local_time.h"
#include "standins/code_pages.h"
#include "standins/private_profile.h"
#include "services/services.h"
#include "ui/headless.h"
#include "unit/fake_processes.h"

namespace morvex::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  int style;
  bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBoxes : public services::MessageBoxes {
 public:
  void Show(const std::string& text, const std::string& title, int style) override {
    shown.push_back({text, title, style});
    if (onShow) onShow();
  }
  std::vector<ShownMessage> shown;
  std::function<void()> onShow;
};

class FakeShell : public services::Shell {
 public:
  struct Call {
    std::uintptr_t window;
    std::string operation, file, parameters, directory;
    int show;
  };
  void Execute(std::uintptr_t window, const std::string& operation, const std::string& file,
               const std::string& parameters, const std::string& directory, int show) override {
    calls.push_back({window, operation, file, parameters, directory, show});
  }
  std::string OpenAsDesktopUser(const std::string& file) override { return desktopOpened.emplace_back(file), ""; }
  std::vector<Call> calls;
  std::vector<std::string> desktopOpened;  // what the desktop's shell was asked to open
};

// Unelevated, the desktop's shell its own; each change of the debug
// privilege (off at first) is logged, refused where the token lacks it.
class FakeAccount : public services::Account {
 public:
  bool RunsElevated() override { return elevated; }
  services::ShellOwner DesktopShellOwner() override { return shellOwner; }
  std::optional<bool> SetDebugPrivilege(bool on) override {
    log->push_back(!holdsPrivilege ? "privilege refused" : on ? "privilege on" : "privilege off");
    return holdsPrivilege ? std::optional<bool>(std::exchange(enabled, on)) : std::nullopt;
  }
  bool elevated = false, holdsPrivilege = true, enabled = false;
  services::ShellOwner shellOwner = services::ShellOwner::kSameAccount;
  std::vector<std::string> changes;
  std::vector<std::string>* log = &changes;
};

// The system clock and the elapsed-time clock of a PC in Europe/Berlin: CET
// (UTC+1), and CEST (UTC+2) from the last Sunday of March 01:00 UTC to the
// last Sunday of October 01:00 UTC (2027-03-28 02:00 -> 03:00, 2026-10-25
// 03:00 -> 02:00 local). Both clocks stand still until the test moves them.
class FakeClock : public services::Clock {
 public:
  FakeClock() { SetLocal({2026, 6, 15, 10, 20, 30, 0}); }
  services::Instant Now() override { return instant; }
  services::LocalTime LocalAt(services::Instant at) override {
    return countdown::LocalFromMs(at + BerlinOffset(at) + zoneShift);
  }
  std::int64_t Elapsed() override { return elapsed; }

  // Time passes, awake or asleep: both clocks run on.
  void Pass(std::int64_t ms) {
    instant += ms;
    elapsed += ms;
  }
  // The clock is set by hand: only the system clock moves.
  void SetBy(std::int64_t ms) { instant += ms; }
  // The system clock at the first instant Berlin's clocks show `local`.
  void SetLocal(const services::LocalTime& local) {
    const std::int64_t ms = countdown::LocalMs(local);
    for (const std::int64_t offset : {kSummer, kWinter}) {
      if (BerlinOffset(ms - offset) == offset) {
        instant = ms - offset;
        return;
      }
    }
    instant = ms - kWinter;  // a time the spring change skips: an hour later
  }
  services::LocalTime Local() { return LocalAt(instant); }

  static std::int64_t BerlinOffset(services::Instant at) {
    using namespace std::chrono;
    const year y = year_month_day{floor<days>(sys_time<milliseconds>(milliseconds(at)))}.year();
    const auto change = [y](month m) {
      return (sys_days{y / m / Sunday[last]} + hours(1)).time_since_epoch() / milliseconds(1);
    };
    return at >= change(March) && at < change(October) ? kSummer : kWinter;
  }

  services::Instant instant = 0;
  std::int64_t elapsed = 3600 * 1000;  // the PC started an hour ago
  std::int64_t zoneShift = 0;          // the user moved to another time zone

 private:
  static constexpr std::int64_t kWinter = 3600 * 1000;
  static constexpr std::int64_t kSummer = 2 * kWinter;
};

// Files in memory, addressed by their full path.
class FakeFiles : public services::Files {
 public:
  std::string AppFolder() override { return appFolder; }
  std::string ExecutablePath() override { return executablePath; }
  bool IsOrdinaryFile(const std::string& path) override { return files.count(path) > 0; }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  services::ReadResult Read(const std::string& path) override {
    if (onRead) onRead(path);
    if (auto it = readErrors.find(path); it != readErrors.end()) return {false, {}, it->second};
    auto it = files.find(path);
    if (it == files.end()) return {false, {}, "Das System kann die angegebene Datei nicht finden."};
    return {true, it->second, {}};
  }
  services::FileResult Replace(const std::string& path, const std::string& bytes) override {
    ++writes[path];
    if (onReplace) onReplace(path);
    if (auto it = writeErrors.find(path); it != writeErrors.end()) return {false, it->second};
    if (auto it = heldOpen.find(path); it != heldOpen.end() && it->second > 0) {
      --it->second;
      return {false, "Der Prozess kann nicht auf die Datei zugreifen", true};
    }
    files[path] = bytes;
    return {};
  }
  std::string appFolder = "C:\\Morvex";
  std::string executablePath = "C:\\Morvex\\morvex.exe";
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> readErrors;
  std::map<std::string, std::string> writeErrors;
  std::map<std::string, int> heldOpen;  // the next n replaces are refused for a moment
  std::map<std::string, int> writes;
  std::function<void(const std::string&)> onReplace;
  std::function<void(const std::string&)> onRead;
};

class FakeLifetime : public services::Lifetime {
 public:
  void EndProgram() override { ++ended; }
  std::uint32_t ProcessId() override { return processId; }
  std::string ImageName() override { return imageName; }
  std::vector<std::string> AncestorImageNames() override { return ancestors; }
  int ended = 0;
  std::uint32_t processId = 4242;
  std::string imageName = "morvex.exe";
  std::vector<std::string> ancestors;
};

class FakeNotificationArea : public services::NotificationArea {
 public:
  std::uint32_t RecordSize() const override { return 88; }
  // The first `refusedAdds` adds fail, as while the shell is not ready.
  bool Notify(int message, const services::TrayIconRecord& record) override {
    const bool taken = message != services::kTrayAdd || refusedAdds-- <= 0;
    calls.push_back({message, record, taken});
    return taken;
  }
  void ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                   const std::string& text) override {
    balloons.push_back({record.id, title, text});
  }
  services::UserState QueryUserState() override { return userState; }
  void ShowNotice(const std::string& title, const std::string& text) override { notices.push_back({0, title, text}); }
  void CloseNotice() override { ++noticesClosed; }
  struct Balloon {
    std::uint32_t id;
    std::string title, text;
  };
  std::vector<Balloon> balloons;
  services::UserState userState = services::UserState::kAcceptsNotifications;
  std::vector<Balloon> notices;  // the program's own notice windows (id 0)
  int noticesClosed = 0;
  struct Call {
    int message;
    services::TrayIconRecord record;
    bool taken;
  };
  std::vector<Call> calls;
  int refusedAdds = 0;

  // The icons the notification area shows after these calls: an add for a
  // window and id that is already shown leaves one icon, a delete removes it.
  std::size_t Icons() const {
    std::set<std::pair<std::uintptr_t, std::uint32_t>> shown;
    for (const Call& call : calls) {
      if (!call.taken) continue;
      const std::pair<std::uintptr_t, std::uint32_t> key{call.record.window, call.record.id};
      if (call.message == services::kTrayAdd) shown.insert(key);
      if (call.message == services::kTrayDelete) shown.erase(key);
    }
    return shown.size();
  }
};

// Private-profile files kept among the FakeFiles, read and written by the
// same rules as the portable stand-in.
class MemoryProfile : public services::PrivateProfile {
 public:
  explicit MemoryProfile(FakeFiles& files) : files_(files) {}
  std::size_t GetString(const std::string& section, const std::string& key, char* buffer,
                        std::size_t size, const std::string& file) override {
    const services::ReadResult read = files_.Read(file);
    return standins::ReadProfileValue(read.ok ? read.bytes : std::string(), section, key, buffer, size);
  }
  services::FileResult WriteString(const std::string& section, const std::string& key, const std::string& value,
                                   const std::string& file) override {
    const services::ReadResult read = files_.Read(file);
    if (!read.ok && files_.readErrors.count(file) > 0) return {false, read.error};
    return files_.Replace(file, standins::WriteProfileValue(read.bytes, section, key, value));
  }
  services::FileResult DeleteKey(const std::string& section, const std::string& key,
                                 const std::string& file) override {
    const services::ReadResult read = files_.Read(file);
    if (!read.ok) return {files_.readErrors.count(file) == 0, read.error};
    const std::string updated = standins::RemoveProfileKey(read.bytes, section, key);
    return updated == read.bytes ? services::FileResult{} : files_.Replace(file, updated);
  }

 private:
  FakeFiles& files_;
};

class FakeShellLinks : public services::ShellLinks {
 public:
  struct Call {
    std::string folder, name, target, arguments;
    std::int32_t flag;
    std::string parent;
    bool operator==(const Call&) const = default;
  };
  std::int32_t CreateShellLink(const std::string& folder, const std::string& name, const std::string& target,
                               const std::string& arguments, std::int32_t flag, const std::string& parent) override {
    calls.push_back({folder, name, target, arguments, flag, parent});
    if (onCreate) onCreate();
    return result;
  }
  bool FolderExists(const std::string& folder, const std::string& parent) override {
    return missing.count(parent + "\\" + folder) == 0;
  }
  std::int32_t result = 1;
  std::vector<Call> calls;
  std::set<std::string> missing;  // parent + "\\" + folder
  std::function<void()> onCreate;
};

// The entries of a list box or combo box, in order.
inline std::vector<std::string> ItemsOf(const ui::ListControl& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

// Everything a test needs to run the main window without an operating system.
struct Rig {
  FakeMessageBoxes messages;
  FakeShell shell;
  FakeClock clock;
  FakeFiles files;
  standins::NativeCodePages codePage;
  FakeLifetime lifetime;
  FakeNotificationArea tray;
  MemoryProfile profile{files};
  FakeProcessSnapshot snapshot;
  FakeManagementService management;
  FakeWindowOps windows;
  FakeShellLinks links;
  FakeSystemCommands commands;
  FakePause pause;
  FakeAccount account;
  services::Services services{messages, shell,    clock,      files,   codePage, lifetime,    tray,
                              profile,  snapshot, management, windows, links,    commands,    pause, account};
  ui::HeadlessBackend backend;
  std::unique_ptr<app::Program> program = std::make_unique<app::Program>(backend, services);

  app::Program& Program() { return *program; }
  forms::Form1& Form() { return program->Form(); }
  static ui::HeadlessPeer& Peer(const ui::Control& control) { return ui::HeadlessBackend::PeerOf(control); }
};

}  // namespace morvex::testing
