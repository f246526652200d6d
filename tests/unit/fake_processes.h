// Fake services for finding and ending processes, for native tests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "services/services.h"

namespace morvex::testing {

// The processes of a system that ends them as Windows does: a process ended
// (by the service's Terminate or its own handle) stops at once, its children
// run on, and it stays listed for its `lingerMs`, which a wait through its
// handle spends on the test's clock (a wait that times out, its whole bound).
struct FakeProcessTable {
  struct Process {
    std::uint32_t id, parentId;
    std::string name;
    std::uint64_t created;
    int lingerMs = 0;
    bool endable = true;  // through its own handle
    bool ended = false, gone = false;
  };
  Process* Find(std::uint32_t id) {
    for (Process& process : processes) {
      if (process.id == id && !process.gone) return &process;
    }
    return nullptr;
  }
  std::vector<Process> processes;  // not added to while a handle is held
  std::vector<std::uint32_t> endedByHandle;
  std::function<void(int)> passTime;
};

// Image names in UTF-8, as the snapshot reports them, with the identifiers
// of the same position in `ids` (1000 + its position where `ids` is shorter)
// and no handle to open; or, where `table` is set, its processes.
class FakeProcessSnapshot : public services::ProcessSnapshot {
 public:
  class Handle : public services::ProcessHandle {
   public:
    Handle(FakeProcessTable& table, FakeProcessTable::Process& process) : table_(table), process_(process) {}
    std::optional<std::uint64_t> CreationTime() override { return process_.created; }
    services::HandleEnd End() override {
      if (!process_.endable) return services::HandleEnd::kAccessDenied;
      if (!process_.ended) table_.endedByHandle.push_back(process_.id);
      process_.ended = true;
      return services::HandleEnd::kEnded;
    }
    bool WaitForEnd(int boundMs) override {
      const bool ends = process_.gone || (process_.ended && process_.lingerMs <= boundMs);
      if (table_.passTime) table_.passTime(process_.gone ? 0 : ends ? process_.lingerMs : boundMs);
      process_.gone = ends;
      return ends;
    }

   private:
    FakeProcessTable& table_;
    FakeProcessTable::Process& process_;
  };

  std::vector<services::ListedProcess> Processes() override {
    ++snapshots;
    std::vector<services::ListedProcess> listed;
    if (table) {
      for (const auto& process : table->processes) {
        if (!process.gone) listed.push_back({process.id, process.parentId, process.name});
      }
      return listed;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      listed.push_back({i < ids.size() ? ids[i] : static_cast<std::uint32_t>(1000 + i), 0, names[i]});
    }
    return listed;
  }
  std::unique_ptr<services::ProcessHandle> Open(std::uint32_t id) override {
    FakeProcessTable::Process* process = table ? table->Find(id) : nullptr;
    return process ? std::make_unique<Handle>(*table, *process) : nullptr;
  }
  std::vector<std::string> names;
  std::vector<std::uint32_t> ids;
  FakeProcessTable* table = nullptr;
  int snapshots = 0;
};

// The management service: one object per caption, with the identifier of
// the same position in `ids` (1000 + its position where `ids` is shorter;
// 0 for one that cannot be read), or one per running process of `table`;
// Terminate is recorded and returns `terminateResults[caption]` (0 where
// none is set).
class FakeManagementService : public services::ManagementService {
 public:
  class Process : public services::ManagedProcess {
   public:
    Process(std::string caption, std::uint32_t id, FakeManagementService& owner)
        : caption_(std::move(caption)), id_(id), owner_(owner) {}
    std::string Caption() override { return caption_; }
    std::optional<std::uint32_t> ProcessId() override {
      return id_ == 0 ? std::nullopt : std::optional<std::uint32_t>(id_);
    }
    std::optional<std::uint32_t> Terminate() override {
      owner_.terminated.push_back(caption_);
      owner_.terminatedIds.push_back(id_);
      if (owner_.table) {
        if (FakeProcessTable::Process* process = owner_.table->Find(id_)) process->ended = true;
      }
      const auto it = owner_.terminateResults.find(caption_);
      return it == owner_.terminateResults.end() ? std::optional<std::uint32_t>(0) : it->second;
    }

   private:
    std::string caption_;
    std::uint32_t id_;
    FakeManagementService& owner_;
  };
  services::ProcessQueryResult QueryWin32Processes() override {
    ++queries;
    if (onQuery) onQuery();
    services::ProcessQueryResult result;
    if (!error.empty()) return {false, {}, error};
    if (table) {
      for (const auto& process : table->processes) {
        if (!process.ended) result.processes.push_back(std::make_unique<Process>(process.name, process.id, *this));
      }
      return result;
    }
    for (std::size_t i = 0; i < captions.size(); ++i) {
      const std::uint32_t id = i < ids.size() ? ids[i] : static_cast<std::uint32_t>(1000 + i);
      result.processes.push_back(std::make_unique<Process>(captions[i], id, *this));
    }
    return result;
  }
  std::vector<std::string> captions;
  std::vector<std::uint32_t> ids;
  std::vector<std::uint32_t> terminatedIds;
  std::string error;  // the query fails with this reason when set
  std::vector<std::string> terminated;
  std::map<std::string, std::optional<std::uint32_t>> terminateResults;
  int queries = 0;
  std::function<void()> onQuery;
  FakeProcessTable* table = nullptr;  // where set, its running processes, each ended by Terminate
};

// The system's commands: each start is recorded, nothing runs. A started
// program ends when it is waited for with the exit code `exitCodes[name]`
// of the first name after an /IM that has one other than 0 (else 0), unless
// `programsEnd` is false.
class FakeSystemCommands : public services::SystemCommands {
 public:
  class Program : public services::StartedProgram {
   public:
    Program(FakeSystemCommands& owner, std::uint32_t code) : owner_(owner), code_(code) {}
    bool WaitForEnd(int boundMs) override {
      owner_.waits.push_back(boundMs);
      if (owner_.onWait) owner_.onWait();
      ended_ = owner_.programsEnd;
      return ended_;
    }
    std::optional<std::uint32_t> ExitCode() override { return ended_ ? std::optional<std::uint32_t>(code_) : std::nullopt; }
    bool End() override {
      ++owner_.ended;
      return owner_.endable;
    }
    std::uint32_t ProcessId() override { return 9000; }

   private:
    FakeSystemCommands& owner_;
    std::uint32_t code_;
    bool ended_ = false;
  };
  std::string SystemFolder() override { return "C:\\Windows\\system32"; }
  services::StartResult Start(const std::string& program, const std::string& commandLine) override {
    programs.push_back(program);
    lines.push_back(commandLine);
    if (onStart) onStart();
    if (!error.empty()) return {nullptr, error};
    std::uint32_t code = 0;
    for (std::size_t at = commandLine.find(" /IM "); at != std::string::npos; at = commandLine.find(" /IM ", at + 1)) {
      std::string name = commandLine.substr(at + 5);
      name = name[0] == '"' ? name.substr(1, name.find('"', 1) - 1) : name.substr(0, name.find(' '));
      const auto named = exitCodes.find(name);
      if (code == 0 && named != exitCodes.end()) code = named->second;
    }
    return {std::make_unique<Program>(*this, code), {}};
  }
  std::vector<std::string> programs;
  std::vector<std::string> lines;  // each start's command line
  std::vector<int> waits;  // the bound of each wait for a program's end
  std::map<std::string, std::uint32_t> exitCodes;
  std::string error;       // starting fails with this reason when set
  bool programsEnd = true;
  int ended = 0;           // programs ended by the run
  bool endable = true;     // whether ending one succeeds
  std::function<void()> onStart;
  std::function<void()> onWait;
};

// The pause: recorded, never slept.
class FakePause : public services::Pause {
 public:
  void Sleep(int ms) override {
    pauses.push_back(ms);
    if (onPause) onPause();
  }
  std::vector<int> pauses;
  std::function<void()> onPause;
};

// Windows and processes by number; every call is recorded in order.
class FakeWindowOps : public services::WindowOps {
 public:
  std::uintptr_t FindTopWindow(const std::string& title) override {
    calls.push_back("FindTopWindow " + title);
    auto it = windows.find(title);
    return it == windows.end() ? 0 : it->second;
  }
  std::uint32_t WindowProcessId(std::uintptr_t window) override {
    calls.push_back("WindowProcessId " + std::to_string(window));
    auto it = owners.find(window);
    return it == owners.end() ? 0 : it->second;
  }
  std::uintptr_t OpenProcess(std::uint32_t access, bool inheritable, std::uint32_t processId) override {
    calls.push_back("OpenProcess " + std::to_string(access) + " " + std::to_string(inheritable) + " " +
                    std::to_string(processId));
    return openable ? processId + 7000 : 0;
  }
  bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) override {
    calls.push_back("TerminateProcess " + std::to_string(process) + " " + std::to_string(exitCode));
    return terminable;
  }
  void CloseHandle(std::uintptr_t process) override { calls.push_back("CloseHandle " + std::to_string(process)); }
  bool Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    calls.push_back("Post " + std::to_string(window) + " " + std::to_string(message) + " " +
                    std::to_string(wParam) + " " + std::to_string(lParam));
    return window != refusing;
  }
  bool ProgramIsForeground() override { return foreground; }
  std::map<std::string, std::uintptr_t> windows;  // title (UTF-8) -> window
  std::map<std::uintptr_t, std::uint32_t> owners;  // window -> process identifier
  bool openable = true;    // process handles are the identifier + 7000
  bool terminable = true;
  bool foreground = true;  // whether one of the program's windows is the foreground window
  std::uintptr_t refusing = 13;  // a window of an elevated program: refuses posts
  std::vector<std::string> calls;
};

}  // namespace morvex::testing
