// Whether the system's management service can end a process, found out by
// asking the service itself, not by guessing from the platform: its
// Win32_Process class either has the method Terminate or it has not (Wine 8
// and Wine 10 have not). Tests of a Terminate that works skip where it lacks.
#pragma once

#include <string>

namespace morvex::probes {

struct ManagementTerminate {
  bool available = false;
  std::string why;  // what the service said, in words
};

// Asked once, on a thread of its own; the same answer afterwards.
const ManagementTerminate& ManagementServiceTerminate();

}  // namespace morvex::probes
