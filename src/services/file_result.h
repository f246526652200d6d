// The outcome of writing a file.
#pragma once

#include <string>

namespace morvex::services {

struct FileResult {
  bool ok = true;
  std::string error;  // the system's reason, in the system's language, when !ok
};

}  // namespace morvex::services
