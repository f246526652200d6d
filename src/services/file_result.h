// The outcome of writing a file.
#pragma once

#include <string>

namespace morvex::services {

struct FileResult {
  bool ok = true;
  std::string error;  // the system's reason, in the system's language, when !ok
  // A refusal that may pass in a moment: another program (an antivirus, a
  // cloud folder, a backup) holds the file open without letting it be
  // replaced. Never for a read-only file, whose refusal is meant.
  bool momentary = false;
};

}  // namespace morvex::services
