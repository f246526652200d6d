// The two ways the program learns which processes run: the process snapshot
// (image names, for the catalogue) and the system's management service
// (process objects that can be asked to terminate).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvex::services {

class ProcessSnapshot {
 public:
  virtual ~ProcessSnapshot() = default;
  // The image names of the running processes, in the order the snapshot
  // delivers them, in UTF-8 as the system names them (each name up to the
  // first NUL of its record, read in the record's Unicode form). Empty when
  // no snapshot could be taken.
  virtual std::vector<std::string> ImageNames() = 0;
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
