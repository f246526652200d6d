// The two ways the program learns which processes run: the process snapshot
// (image names for the catalogue; identifiers and parents for a run, with a
// handle on a process to end it and wait for its end) and the system's
// management service (process objects that can be asked to terminate).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvex::services {

// A process as the snapshot lists it. A process that has been ended may stay
// listed for a while (its threads wind down, its pending I/O completes), and
// an identifier, its parent's too, may be given to a newer process once the
// older one has gone.
struct ListedProcess {
  std::uint32_t id = 0;
  std::uint32_t parentId = 0;  // the process that started it, when it did
  std::string imageName;
};

// What ending a process through its own handle came to.
enum class HandleEnd {
  kEnded,         // the system took the order (the process may still wind down)
  kAccessDenied,  // the handle may not end it
  kFailed,
};

// A handle on one process: it names that process as long as it is held,
// whatever becomes of its identifier.
class ProcessHandle {
 public:
  virtual ~ProcessHandle() = default;
  // When the process was created, in the system's 100-ns units: a process
  // created later has the larger value. Nothing when it cannot be read.
  virtual std::optional<std::uint64_t> CreationTime() = 0;
  // Ends the process at once (its own termination); the processes it
  // started run on.
  virtual HandleEnd End() = 0;
  // Waits at most `boundMs` milliseconds for the process to end; true when
  // it has ended.
  virtual bool WaitForEnd(int boundMs) = 0;
};

class ProcessSnapshot {
 public:
  virtual ~ProcessSnapshot() = default;
  // The running processes in the order the snapshot delivers them, each
  // image name in UTF-8 as the system names it (up to the first NUL of its
  // record, read in the record's Unicode form). Empty when no snapshot could
  // be taken.
  virtual std::vector<ListedProcess> Processes() = 0;
  // The image names of Processes(), in its order.
  std::vector<std::string> ImageNames() {
    std::vector<std::string> names;
    for (ListedProcess& process : Processes()) names.push_back(std::move(process.imageName));
    return names;
  }
  // A handle on the process with that identifier, to read its creation time,
  // end it and wait for its end; null when none can be opened (it has gone,
  // or the system refuses even that).
  virtual std::unique_ptr<ProcessHandle> Open(std::uint32_t id) = 0;
};

// One process object of the management service.
class ManagedProcess {
 public:
  virtual ~ManagedProcess() = default;
  // The process's image name (UTF-8); empty when the property cannot be read.
  virtual std::string Caption() = 0;
  // The process's identifier; nothing when the property cannot be read.
  virtual std::optional<std::uint32_t> ProcessId() = 0;
  // Asks the process to terminate: the method's return value (0 success,
  // 2 access denied, 3 insufficient privilege, ...), or nothing when the
  // method could not be called (the service lacks it, or the call failed).
  virtual std::optional<std::uint32_t> Terminate() = 0;
};

struct ProcessQueryResult {
  bool ok = true;
  // One object per running process, in the service's order.
  std::vector<std::unique_ptr<ManagedProcess>> processes;
  std::string error;  // the reason, when !ok
};

class ManagementService {
 public:
  virtual ~ManagementService() = default;
  // Connects afresh and queries every running process; nothing is held
  // between calls. Fails when the service cannot be reached or the query fails.
  virtual ProcessQueryResult QueryWin32Processes() = 0;
};

}  // namespace morvex::services
